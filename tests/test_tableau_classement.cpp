// Sur le tableau du vote final, chaque glisser-déposer place, échange ou rend un nom sans jamais le perdre ni le doubler, et seul un tableau complet validé à temps donne ses points.
#include "garde_messages.h"
#include "soiree.h"

#include "accuse.h"
#include "cadre_vote.h"

#include <QDrag>
#include <QLineEdit>
#include <QMimeData>
#include <QRandomGenerator>
#include <QWindow>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
using Joueurs::codes;
const char* const etiquettes[] = {"label_cafard_deplacable", "label_chacal_deplacable", "label_chien_deplacable",
                                  "label_cochon_deplacable", "label_hyene_deplacable", "label_rat_deplacable",
                                  "label_requin_deplacable", "label_serpent_deplacable", "label_vautour_deplacable"};
constexpr int nombre_accuses = 9;
constexpr int nombre_cadres = 8;
constexpr int aucun = 12;
constexpr int points_finaux = 9;

constexpr int page_intervote = 1;
constexpr int page_vote_final = 4;
constexpr int sous_page_bouton_vote = 0;

// Le bulletin s'ouvre quand le code est tapé : les gestes du joueur viennent après.
constexpr int ouverture_bulletin_ms = 500;
constexpr int refus_ms = 2000;
// Le vote final reste ouvert pendant tous les bulletins du test.
constexpr int vote_final_prolonge_s = 5000;

// Destinations d'un glisser qui ne sont pas une case (les cases sont 0 à 7).
constexpr int sur_la_reserve = -1;
constexpr int sur_le_fond = -2;
constexpr int echap = -3;
constexpr int depuis_la_reserve = -1;
constexpr int vide = -1;
const QList<int> tableau_vide = {vide, vide, vide, vide, vide, vide, vide, vide};

// Décalage de la prise par rapport au centre : le point saisi doit suivre le pointeur.
const QPoint decalage_prise(-9, 4);

// Ce qu'on voit pendant un glisser, relevé au premier mouvement du pointeur.
struct Observation {
    int glisser_crees = 0;
    QPoint point_chaud;
    QSize taille_image;
    QString texte;
    QString texte_case_source;
    bool etiquette_source_visible = true;
};
}

class TestTableauClassement : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void deplacements_data();
    void deplacements();
    void appui_sans_glisser_data();
    void appui_sans_glisser();
    void retirer_data();
    void retirer();
    void suite_de_glisser_garde_chaque_nom_une_fois();
    void refus_puis_bulletin_du_premier_sauve();
    void bulletin_d_un_ecarte_en_sept_cases();
    void points_cumules_sur_deux_votants();
    void voter_plus_tard_ne_compte_rien();
    void bulletin_ecoule_ne_compte_rien();
    void refus_rattrape_par_le_compte_a_rebours();
    void aucune_attente_relancee();

private:
    MainWindow& fenetre() { return soiree->fenetre(); }
    Cadre_vote* cadre(int position) const;
    QLabel* etiquette(int index) const { return soiree->label(etiquettes[index]); }
    QPoint centre(const QWidget* widget) const;
    QList<int> noms_du_tableau(int votant) const;
    int nombre_de_glisser() const { return soiree->fenetre().findChildren<QDrag*>().size(); }
    QList<int> points() const;

    void bulletin(int votant, const std::function<void()>& gestes);
    void bulletin_reporte(int votant, const std::function<void()>& gestes);
    void glisser(const QWidget* depart, const QPoint& arrivee, bool annuler = false);
    void placer(int index, int position);
    void remplir(const QList<int>& noms);
    void cliquer(const char* bouton);
    void verifier_tableau(const QList<int>& en_jeu);
    void verifier_bulletin_enregistre(int votant, const QList<int>& noms, const QList<int>& points_avant);

    std::unique_ptr<Soiree> soiree;
    int premier_sauve = -1;
    QList<int> ecartes;
    Observation observation;
};

Cadre_vote* TestTableauClassement::cadre(int position) const
{
    return soiree->widget<Cadre_vote>(qPrintable(QStringLiteral("cadre_%1").arg(position + 1)));
}

QPoint TestTableauClassement::centre(const QWidget* widget) const
{
    return widget->mapTo(&soiree->fenetre(), widget->rect().center());
}

// Les noms que le votant classe : tous les écartés sauf lui-même, dans l'ordre du rôle.
QList<int> TestTableauClassement::noms_du_tableau(int votant) const
{
    QList<int> noms = ecartes;
    noms.removeOne(votant);
    return noms;
}

QList<int> TestTableauClassement::points() const
{
    QList<int> resultat;
    for (const Accuse* accuse : soiree->fenetre().get_accuses())
        resultat.append(accuse->get_votes_recus(points_finaux));
    return resultat;
}

// Une soirée courte en mode test, où tout le monde s'abstient, jusqu'au vote final.
void TestTableauClassement::initTestCase()
{
    soiree = std::make_unique<Soiree>();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre()));
    QTest::mouseClick(soiree->bouton("bouton_test"), Qt::LeftButton);
    for (int vote = 1; vote < nombre_accuses; ++vote) {
        QVERIFY(soiree->attendre_page(page_intervote, limite_attente_ms));
        fenetre().set_temps_restant_intervote(1);
        QVERIFY(soiree->attendre([&] { return fenetre().get_nombre_ecartes() == vote; }, limite_attente_ms));
    }
    QVERIFY(soiree->attendre_page(page_intervote, limite_attente_ms));
    QVERIFY(fenetre().phase_finale());
    fenetre().set_temps_restant_intervote(vote_final_prolonge_s);
    for (const Accuse* accuse : fenetre().get_accuses()) {
        if (accuse->get_ecarte())
            ecartes.append(accuse->get_index());
        else
            premier_sauve = accuse->get_index();
    }
    QCOMPARE(ecartes.size(), nombre_cadres);
}

// Ouvre le bulletin final du votant et y fait ses gestes ; le bulletin se
// ferme par les gestes eux-mêmes ou, en cas d'échec, par son compte à rebours.
// Le code est validé par le bouton : après un glisser, la fenêtre n'a plus
// forcément le focus clavier qu'il faudrait à Entrée.
void TestTableauClassement::bulletin(int votant, const std::function<void()>& gestes)
{
    QObject portee;
    bool ouvert = false;
    soiree->ouvrir_code();
    QTimer::singleShot(ouverture_bulletin_ms, &portee, [&] {
        ouvert = true;
        QCOMPARE(soiree->page(), page_vote_final);
        gestes();
    });
    QTest::keyClicks(soiree->widget<QLineEdit>("ligne_code"), codes[votant]);
    cliquer("bouton_ok_vote");
    QVERIFY2(ouvert, "le bulletin ne s'est pas ouvert");
}

// Un vrai glisser : appui, deux mouvements, puis lâcher (ou Échap) ; l'appui ne
// rend la main qu'à la fin du glisser, d'où les gestes suivants programmés avant.
// Les gestes faits (ou interrompus par un échec), le joueur reporte son bulletin.
void TestTableauClassement::bulletin_reporte(int votant, const std::function<void()>& gestes)
{
    bulletin(votant, [&] {
        gestes();
        cliquer("bouton_reporter_vote_final");
    });
}

void TestTableauClassement::glisser(const QWidget* depart, const QPoint& arrivee, bool annuler)
{
    QWindow* fenetre_qt = fenetre().windowHandle();
    const QPoint prise = centre(depart) + decalage_prise;
    const int glisser_avant = nombre_de_glisser();
    const auto* case_source = dynamic_cast<const Cadre_vote*>(depart);
    QTimer::singleShot(0, &fenetre(), [=] {
        observation = Observation();
        observation.glisser_crees = nombre_de_glisser() - glisser_avant;
        if (observation.glisser_crees > 0) {
            const QDrag* actif = fenetre().findChildren<QDrag*>().last();
            observation.point_chaud = actif->hotSpot();
            observation.taille_image = actif->pixmap().size();
            observation.texte = actif->mimeData()->text();
        }
        observation.texte_case_source = case_source ? case_source->text() : QString();
        observation.etiquette_source_visible = depart->isVisible();
        QTest::mouseMove(fenetre_qt, (prise + arrivee) / 2);
        QTest::mouseMove(fenetre_qt, arrivee);
        if (annuler)
            QTest::keyClick(fenetre_qt, Qt::Key_Escape);
        else
            QTest::mouseRelease(fenetre_qt, Qt::LeftButton, Qt::NoModifier, arrivee);
    });
    QTest::mousePress(fenetre_qt, Qt::LeftButton, Qt::NoModifier, prise);
    if (annuler)
        QTest::mouseRelease(fenetre_qt, Qt::LeftButton, Qt::NoModifier, arrivee);
}

void TestTableauClassement::placer(int index, int position)
{
    glisser(etiquette(index), centre(cadre(position)));
}

// Le nom k va dans la case k.
void TestTableauClassement::remplir(const QList<int>& noms)
{
    for (int position = 0; position < noms.size(); ++position)
        placer(noms[position], position);
}

void TestTableauClassement::cliquer(const char* bouton)
{
    QTest::mouseClick(soiree->bouton(bouton), Qt::LeftButton);
}

// Chaque nom en jeu est soit visible dans la réserve, soit dans une seule case ;
// les autres ne sont nulle part ; aucune case ne garde de nom remplacé.
void TestTableauClassement::verifier_tableau(const QList<int>& en_jeu)
{
    for (int index = 0; index < nombre_accuses; ++index) {
        int cases = 0;
        for (int position = 0; position < nombre_cadres; ++position)
            cases += cadre(position)->get_index_accuse() == index ? 1 : 0;
        const int presences = cases + (etiquette(index)->isVisible() ? 1 : 0);
        QVERIFY2(presences == (en_jeu.contains(index) ? 1 : 0),
                 qPrintable(QStringLiteral("%1 présent %2 fois").arg(etiquettes[index]).arg(presences)));
    }
    for (int position = 0; position < nombre_cadres; ++position) {
        const Cadre_vote* une_case = cadre(position);
        const int index = une_case->get_index_accuse();
        QCOMPARE(une_case->get_index_remplace(), aucun);
        QCOMPARE(une_case->text(), index == aucun ? QString() : fenetre().get_accuses()[index]->get_nom());
        QCOMPARE(une_case->property("style").toString(),
                 QString::fromLatin1(index == aucun ? "cadrevote" : "cadrevoteRempli"));
    }
}

void TestTableauClassement::deplacements_data()
{
    QTest::addColumn<QList<int>>("preparation");
    QTest::addColumn<int>("case_depart");
    QTest::addColumn<int>("nom_depart");
    QTest::addColumn<int>("arrivee");
    QTest::addColumn<QList<int>>("cases_attendues");

    // Les noms sont des rangs dans la liste du votant ; preparation[k] est le nom posé en case k (vide : rien).
    QTest::newRow("réserve vers case vide")
        << QList<int>{} << depuis_la_reserve << 3 << 2 << QList<int>{vide, vide, 3, vide, vide, vide, vide, vide};
    QTest::newRow("réserve vers case remplie")
        << QList<int>{vide, vide, 3} << depuis_la_reserve << 5 << 2 << QList<int>{vide, vide, 5, vide, vide, vide, vide, vide};
    QTest::newRow("case vers case vide")
        << QList<int>{0} << 0 << vide << 3 << QList<int>{vide, vide, vide, 0, vide, vide, vide, vide};
    QTest::newRow("case vers case remplie : échange")
        << QList<int>{5, 2} << 0 << vide << 1 << QList<int>{2, 5, vide, vide, vide, vide, vide, vide};
    QTest::newRow("dernière case vers la première : échange")
        << QList<int>{1, vide, vide, vide, vide, vide, vide, 6} << 7 << vide << 0
        << QList<int>{6, vide, vide, vide, vide, vide, vide, 1};
    QTest::newRow("case vers elle-même")
        << QList<int>{5} << 0 << vide << 0 << QList<int>{5, vide, vide, vide, vide, vide, vide, vide};
    QTest::newRow("réserve lâchée sur la réserve")
        << QList<int>{} << depuis_la_reserve << 1 << sur_la_reserve << tableau_vide;
    QTest::newRow("réserve lâchée sur le fond")
        << QList<int>{} << depuis_la_reserve << 1 << sur_le_fond << tableau_vide;
    QTest::newRow("réserve annulée par Échap")
        << QList<int>{} << depuis_la_reserve << 1 << echap << tableau_vide;
    QTest::newRow("case lâchée sur la réserve")
        << QList<int>{vide, vide, vide, 4, 2} << 3 << vide << sur_la_reserve
        << QList<int>{vide, vide, vide, vide, 2, vide, vide, vide};
    QTest::newRow("case lâchée sur le fond")
        << QList<int>{vide, vide, vide, 4} << 3 << vide << sur_le_fond << tableau_vide;
    QTest::newRow("case annulée par Échap : le nom revient à la réserve")
        << QList<int>{vide, vide, vide, 4} << 3 << vide << echap << tableau_vide;
}

// Chaque ligne du tableau des déplacements, jouée par le premier sauvé (huit cases).
void TestTableauClassement::deplacements()
{
    QFETCH(QList<int>, preparation);
    QFETCH(int, case_depart);
    QFETCH(int, nom_depart);
    QFETCH(int, arrivee);
    QFETCH(QList<int>, cases_attendues);

    const QList<int> noms = noms_du_tableau(premier_sauve);
    bulletin_reporte(premier_sauve, [&] {
        QList<QRect> places;
        for (int index = 0; index < nombre_accuses; ++index)
            places.append(etiquette(index)->geometry());
        for (int position = 0; position < preparation.size(); ++position)
            if (preparation[position] != vide)
                placer(noms[preparation[position]], position);

        const QWidget* depart = case_depart == depuis_la_reserve ? static_cast<QWidget*>(etiquette(noms[nom_depart]))
                                                                 : cadre(case_depart);
        const int nom_glisse = case_depart == depuis_la_reserve ? noms[nom_depart] : cadre(case_depart)->get_index_accuse();
        QPoint point = centre(soiree->label("label_demande_vote_2"));
        if (arrivee >= 0)
            point = centre(cadre(arrivee));
        else if (arrivee == sur_la_reserve)
            point = centre(etiquette(noms[7]));
        glisser(depart, point, arrivee == echap);

        QCOMPARE(observation.glisser_crees, 1);
        QCOMPARE(observation.texte, fenetre().get_accuses()[nom_glisse]->get_nom());
        QCOMPARE(observation.point_chaud, depart->rect().center() + decalage_prise);
        QCOMPARE(observation.taille_image, depart->size());
        QVERIFY2(!observation.etiquette_source_visible || case_depart != depuis_la_reserve,
                 "l'étiquette glissée doit quitter la réserve dès l'appui");
        QCOMPARE(observation.texte_case_source, QString());

        for (int position = 0; position < nombre_cadres; ++position) {
            const int attendu = cases_attendues[position] == vide ? aucun : noms[cases_attendues[position]];
            QCOMPARE(cadre(position)->get_index_accuse(), attendu);
        }
        verifier_tableau(noms);
        // Une étiquette cachée laisse son trou : les autres ne bougent pas.
        for (int index = 0; index < nombre_accuses; ++index)
            QCOMPARE(etiquette(index)->geometry(), places[index]);
    });
    QCOMPARE(soiree->page(), page_intervote);
}

void TestTableauClassement::appui_sans_glisser_data()
{
    QTest::addColumn<bool>("votant_ecarte");
    QTest::addColumn<QString>("cible");
    QTest::addColumn<int>("bouton");

    QTest::newRow("case vide") << false << "cadre_2" << int(Qt::LeftButton);
    QTest::newRow("place de la case cachée") << true << "cadre_8" << int(Qt::LeftButton);
    QTest::newRow("bouton droit sur une étiquette") << false << "etiquette" << int(Qt::RightButton);
    QTest::newRow("bouton droit sur une case remplie") << false << "cadre_1" << int(Qt::RightButton);
    QTest::newRow("question du bulletin") << false << "label_demande_vote_2" << int(Qt::LeftButton);
}

// Un appui qui ne vise ni une étiquette visible ni une case remplie, ou d'un
// autre bouton que le gauche, ne lance aucun glisser et ne change rien.
void TestTableauClassement::appui_sans_glisser()
{
    QFETCH(bool, votant_ecarte);
    QFETCH(QString, cible);
    QFETCH(int, bouton);

    const int votant = votant_ecarte ? ecartes.first() : premier_sauve;
    const QList<int> noms = noms_du_tableau(votant);
    bulletin_reporte(votant, [&] {
        // Les sept premières cases remplies : seule la huitième (vide ou cachée) reste libre.
        for (int position = 0; position + 1 < nombre_cadres; ++position)
            if (cible != QLatin1String("cadre_2") || position != 1)
                placer(noms[position], position);
        const QWidget* vise = cible == QLatin1String("etiquette") ? etiquette(noms.last()) : soiree->widget<QWidget>(qPrintable(cible));
        QCOMPARE(vise->isHidden(), votant_ecarte);
        QWindow* fenetre_qt = fenetre().windowHandle();
        const QPoint point = vise->geometry().center() + vise->parentWidget()->mapTo(&fenetre(), QPoint());
        const int glisser_avant = nombre_de_glisser();
        int glisser_pendant = -1;
        // Si un glisser partait quand même, ce lâcher le terminerait.
        QTimer::singleShot(0, &fenetre(), [&] {
            glisser_pendant = nombre_de_glisser() - glisser_avant;
            QTest::mouseRelease(fenetre_qt, Qt::MouseButton(bouton), Qt::NoModifier, point);
        });
        QTest::mousePress(fenetre_qt, Qt::MouseButton(bouton), Qt::NoModifier, point);
        QVERIFY(soiree->attendre([&] { return glisser_pendant >= 0; }, limite_attente_ms));
        QCOMPARE(glisser_pendant, 0);
        verifier_tableau(noms);
        QVERIFY(etiquette(noms.last())->isVisible() || votant_ecarte);
        QCOMPARE(cadre(0)->get_index_accuse(), noms.first());
    });
}

void TestTableauClassement::retirer_data()
{
    QTest::addColumn<bool>("votant_ecarte");
    QTest::addColumn<bool>("case_remplie");

    QTest::newRow("case remplie") << false << true;
    QTest::newRow("case vide, premier sauvé") << false << false;
    QTest::newRow("case vide, votant écarté") << true << false;
}

// "Retirer" rend le nom de sa case à la réserve ; à côté d'une case vide, il ne
// fait réapparaître ni le votant ni le premier sauvé.
void TestTableauClassement::retirer()
{
    QFETCH(bool, votant_ecarte);
    QFETCH(bool, case_remplie);

    const int votant = votant_ecarte ? ecartes.first() : premier_sauve;
    const QList<int> noms = noms_du_tableau(votant);
    bulletin_reporte(votant, [&] {
        placer(noms[0], 0);
        if (case_remplie)
            placer(noms[2], 4);
        cliquer("Bouton_annuler_5");
        QCOMPARE(cadre(4)->get_index_accuse(), aucun);
        QCOMPARE(cadre(0)->get_index_accuse(), noms[0]);
        QVERIFY(etiquette(noms[2])->isVisible());
        QVERIFY(!etiquette(premier_sauve)->isVisible());
        QVERIFY(!etiquette(votant)->isVisible());
        verifier_tableau(noms);
    });
}

// Une longue suite de glisser tirés au hasard (graine fixe), de la réserve ou
// des cases, vers les cases, la réserve, le fond ou annulés.
void TestTableauClassement::suite_de_glisser_garde_chaque_nom_une_fois()
{
    constexpr int nombre_de_gestes = 20;
    const int votant = ecartes[1];
    const QList<int> noms = noms_du_tableau(votant);
    bulletin_reporte(votant, [&] {
        QRandomGenerator hasard(2026);
        for (int geste = 0; geste < nombre_de_gestes && !QTest::currentTestFailed(); ++geste) {
            QList<const QWidget*> departs;
            for (int index : noms)
                if (etiquette(index)->isVisible())
                    departs.append(etiquette(index));
            for (int position = 0; position < nombre_cadres; ++position)
                if (cadre(position)->isVisible() && cadre(position)->get_index_accuse() != aucun)
                    departs.append(cadre(position));
            const QWidget* depart = departs[hasard.bounded(departs.size())];
            const int choix = hasard.bounded(nombre_cadres + 1);
            QPoint arrivee = centre(soiree->label("label_aide_vote"));
            if (choix < nombre_cadres - 1)
                arrivee = centre(cadre(choix));
            glisser(depart, arrivee, choix == nombre_cadres);
            verifier_tableau(noms);
        }
    });
    QVERIFY(!fenetre().get_accuses()[votant]->get_a_vote());
}

// Le premier sauvé laisse cadre_5 vide : refus de deux secondes, noms gardés,
// un second appui pendant le refus ne relance rien ; puis il complète et vote.
void TestTableauClassement::refus_puis_bulletin_du_premier_sauve()
{
    const QList<int> noms = noms_du_tableau(premier_sauve);
    const QList<int> points_avant = points();
    QLabel* refus = soiree->label("label_vote_invalide");
    bulletin(premier_sauve, [&] {
        QVERIFY(!refus->isVisible());
        for (int position = 0; position < nombre_cadres; ++position)
            if (position != 4)
                placer(noms[position], position);
        bool visible_pendant = false;
        bool encore_visible_apres_second_appui = false;
        double duree_second_appui = -1;
        QTimer::singleShot(refus_ms / 2, &fenetre(), [&] {
            visible_pendant = refus->isVisible();
            QElapsedTimer appui;
            appui.start();
            cliquer("bouton_valider_vote_final");
            duree_second_appui = appui.elapsed() / 1000.0;
            encore_visible_apres_second_appui = refus->isVisible();
        });
        const int restant_avant = fenetre().get_temps_restant_vote();
        // La marge tient compte du retard que la machine a pris pendant le refus.
        const double debut = soiree->maintenant();
        cliquer("bouton_valider_vote_final");
        VERIFIER_ECART(*soiree, debut, soiree->maintenant(), refus_ms / 1000.0);
        QVERIFY(visible_pendant);
        QCOMPARE(refus->text(), QStringLiteral("Tous les noms doivent être placés !"));
        QVERIFY(encore_visible_apres_second_appui);
        QVERIFY(duree_second_appui >= 0 && duree_second_appui < tolerance_s);
        QVERIFY(!refus->isVisible());
        QCOMPARE(soiree->page(), page_vote_final);
        // Le compte à rebours du bulletin a continué pendant le refus.
        QVERIFY(fenetre().get_temps_restant_vote() <= restant_avant - 1);
        QCOMPARE(points(), points_avant);
        for (int position = 0; position < nombre_cadres; ++position)
            QCOMPARE(cadre(position)->get_index_accuse(), position == 4 ? aucun : noms[position]);

        placer(noms[4], 4);
        cliquer("bouton_valider_vote_final");
    });
    verifier_bulletin_enregistre(premier_sauve, noms, points_avant);
    QCOMPARE(points()[noms[7]] - points_avant[noms[7]], 8);
}

// Le nom de la case k a reçu k + 1 points, le votant est noté avec son
// classement, le kiosque le remercie et le tableau est vidé pour le suivant.
void TestTableauClassement::verifier_bulletin_enregistre(int votant, const QList<int>& noms, const QList<int>& points_avant)
{
    const Accuse* accuse = fenetre().get_accuses()[votant];
    QVERIFY(accuse->get_a_vote());
    const QList<int> apres = points();
    for (int index = 0; index < nombre_accuses; ++index) {
        const int position = noms.indexOf(index);
        QCOMPARE(apres[index] - points_avant[index], position + 1);
    }
    for (int position = 0; position < nombre_cadres; ++position)
        QCOMPARE(accuse->get_classement_donne(position), position < noms.size() ? noms[position] : 0);
    QCOMPARE(soiree->label("label_remerciement")->text(), accuse->get_nom() + QStringLiteral(" merci d'avoir voté."));
    QCOMPARE(soiree->page(), page_intervote);
    QCOMPARE(soiree->sous_page(), sous_page_bouton_vote);
    for (int position = 0; position < nombre_cadres; ++position)
        QCOMPARE(cadre(position)->get_index_accuse(), aucun);
    for (int index = 0; index < nombre_accuses; ++index)
        QVERIFY(!etiquette(index)->isHidden());
}

// Un écarté classe sept noms : cadre_8 caché, bulletin complet sans lui,
// 1 à 7 points, huitième entrée du classement à 0.
void TestTableauClassement::bulletin_d_un_ecarte_en_sept_cases()
{
    const int votant = ecartes[2];
    QList<int> noms = noms_du_tableau(votant);
    std::reverse(noms.begin(), noms.end());
    const QList<int> points_avant = points();
    bulletin(votant, [&] {
        QVERIFY(cadre(7)->isHidden());
        QVERIFY(soiree->bouton("Bouton_annuler_8")->isHidden());
        remplir(noms);
        cliquer("bouton_valider_vote_final");
    });
    QVERIFY(!soiree->label("label_vote_invalide")->isVisible());
    verifier_bulletin_enregistre(votant, noms, points_avant);
    QCOMPARE(fenetre().get_accuses()[votant]->get_classement_donne(7), 0);
}

// Le même nom placé en cadre_2 puis en cadre_6 par deux votants : 2 puis 8 points.
void TestTableauClassement::points_cumules_sur_deux_votants()
{
    const int vise = ecartes[5];
    const int points_depart = points()[vise];
    for (const auto& tour : {qMakePair(ecartes[3], 1), qMakePair(ecartes[4], 5)}) {
        QList<int> noms = noms_du_tableau(tour.first);
        noms.move(noms.indexOf(vise), tour.second);
        bulletin(tour.first, [&] {
            remplir(noms);
            cliquer("bouton_valider_vote_final");
        });
        QVERIFY(fenetre().get_accuses()[tour.first]->get_a_vote());
    }
    QCOMPARE(points()[vise] - points_depart, 8);
}

// "Voter plus tard" sur un tableau complet : rien n'est compté, le tableau est
// vidé et le même joueur vote ensuite normalement.
void TestTableauClassement::voter_plus_tard_ne_compte_rien()
{
    const int votant = ecartes[6];
    const QList<int> noms = noms_du_tableau(votant);
    const QList<int> points_avant = points();
    bulletin(votant, [&] {
        remplir(noms);
        cliquer("bouton_reporter_vote_final");
    });
    QCOMPARE(points(), points_avant);
    QVERIFY(!fenetre().get_accuses()[votant]->get_a_vote());
    QCOMPARE(soiree->page(), page_intervote);

    bulletin(votant, [&] {
        for (int position = 0; position < nombre_cadres; ++position)
            QCOMPARE(cadre(position)->get_index_accuse(), aucun);
        verifier_tableau(noms);
        remplir(noms);
        cliquer("bouton_valider_vote_final");
    });
    verifier_bulletin_enregistre(votant, noms, points_avant);
}

// Un tableau complet que le compte à rebours du bulletin rattrape ne compte pas.
void TestTableauClassement::bulletin_ecoule_ne_compte_rien()
{
    constexpr int bulletin_court_s = 30;
    const int votant = ecartes[7];
    const QList<int> noms = noms_du_tableau(votant);
    const QList<int> points_avant = points();
    fenetre().set_temps_restant_intervote(bulletin_court_s);
    QElapsedTimer chrono;
    chrono.start();
    bulletin(votant, [&] {
        fenetre().set_temps_restant_intervote(vote_final_prolonge_s);
        remplir(noms);
    });
    QVERIFY2(chrono.elapsed() / 1000.0 > bulletin_court_s - 2, "le bulletin doit aller au bout de son temps");
    QCOMPARE(points(), points_avant);
    QVERIFY(!fenetre().get_accuses()[votant]->get_a_vote());
    QCOMPARE(soiree->page(), page_intervote);
    for (int position = 0; position < nombre_cadres; ++position)
        QCOMPARE(cadre(position)->get_index_accuse(), aucun);
}

// Le compte à rebours du bulletin finit pendant un refus : le refus va au bout
// de ses deux secondes, puis le bulletin se ferme sans rien compter.
void TestTableauClassement::refus_rattrape_par_le_compte_a_rebours()
{
    constexpr int bulletin_court_s = 15;
    const int votant = ecartes[0];
    const QList<int> noms = noms_du_tableau(votant);
    const QList<int> points_avant = points();
    QLabel* refus = soiree->label("label_vote_invalide");
    double debut_refus = -1;
    double fin_refus = -1;
    fenetre().set_temps_restant_intervote(bulletin_court_s);
    bulletin(votant, [&] {
        fenetre().set_temps_restant_intervote(vote_final_prolonge_s);
        remplir(noms.mid(1));
        QVERIFY(soiree->attendre([&] { return fenetre().get_temps_restant_vote() == 1; }, limite_attente_ms, Soiree::a_chaque_passage));
        debut_refus = soiree->maintenant();
        cliquer("bouton_valider_vote_final");
        fin_refus = soiree->maintenant();
        QVERIFY(!refus->isVisible());
    });
    QVERIFY(debut_refus >= 0);
    VERIFIER_ECART(*soiree, debut_refus, fin_refus, refus_ms / 1000.0);
    QCOMPARE(points(), points_avant);
    QVERIFY(!fenetre().get_accuses()[votant]->get_a_vote());
    QCOMPARE(soiree->page(), page_intervote);
    QCOMPARE(soiree->sous_page(), sous_page_bouton_vote);
    for (int position = 0; position < nombre_cadres; ++position)
        QCOMPARE(cadre(position)->get_index_accuse(), aucun);
}

void TestTableauClassement::aucune_attente_relancee()
{
    for (const QString& alerte : soiree->avertissements())
        QVERIFY2(!alerte.contains(QStringLiteral("already called exec")), qPrintable(alerte));
}

TEST_SORDANE_MAIN(TestTableauClassement)
#include "test_tableau_classement.moc"
