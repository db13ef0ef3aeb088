// Le vote final se clôt sur un classement dévoilé du dernier au premier : qui n'a
// pas voté prend 15 points, l'égalité du bas est tirée au sort, le moins bien
// noté des écartés est le deuxième sauvé, et la page de fin vient deux minutes
// après l'arrivée du présentateur.
#include "garde_messages.h"
#include "partie_courte.h"
#include "soiree.h"

#include "accuse.h"
#include "resultats_finaux.h"
#include "tirage.h"

#include <QLineEdit>
#include <QStackedWidget>
#include <QWindow>
#include <QtTest>
#include <algorithm>
#include <memory>

using namespace PartieCourte;

namespace {
constexpr int penalite = 15;

QString son_du_nom(const QString& nom)
{
    return QStringLiteral("Accuse") + Accuse::nom_replie(nom) + QStringLiteral(".wav");
}

// Neuf fiches hors partie : les points donnés, tous écartés sauf le premier sauvé.
struct Fiches {
    std::vector<std::unique_ptr<Accuse>> proprietaires;
    QList<Accuse*> accuses;

    Fiches(const QList<int>& points, int premier_sauve)
    {
        static const char* const noms[] = {"Cafard", "Chacal", "Chien", "Cochon", "Hyène",
                                           "Rat", "Requin", "Serpent", "Vautour"};
        for (int i = 0; i < 9; ++i) {
            proprietaires.emplace_back(new Accuse(QString::fromUtf8(noms[i]), i, codes[i]));
            Accuse* accuse = proprietaires.back().get();
            accuse->ajouter_points_finaux(points[i]);
            if (i != premier_sauve)
                accuse->set_ecarte(true, 1);
            accuses.append(accuse);
        }
    }
};
}

class TestResultatsFinaux : public QObject
{
    Q_OBJECT

private slots:
    void ordonner_data();
    void ordonner();
    void egalite_du_bas_tiree_comme_aux_votes_ordinaires();

    void initTestCase();
    void abstention_generale_quinze_points_chacun();
    void classement_entier_tire_au_sort();
    void deux_sauves_dans_l_ordre_du_role();
    void annonces_dans_l_ordre_et_a_l_heure();
    void page_de_fin_deux_minutes_apres_le_presentateur();
    void aucune_attente_relancee();
    void bulletins_finaux_decident_le_sauve();
    void cleanupTestCase();

private:
    void glisser(const QWidget* depart, const QWidget* arrivee);
    void bulletin_final(int votant, const QList<int>& noms);

    Soiree* soiree = nullptr;
    bool partie_finie = false;
    QList<int> ecartes;             // les huit écartés, dans l'ordre du rôle
    std::uint32_t graine_avant = 0; // heure en secondes à l'ouverture de la page du classement
    QList<int> revele;              // ordre de dévoilement, de label_classement_8 à label_classement_1
};

void TestResultatsFinaux::ordonner_data()
{
    QTest::addColumn<QList<int>>("points");
    QTest::addColumn<int>("premier_sauve");
    QTest::addColumn<QList<int>>("tete");
    QTest::addColumn<QList<int>>("egalite");

    QTest::newRow("Chien seul en bas à 9")
        << QList<int>{40, 35, 9, 20, 30, 25, 50, 45, 15} << int(Vautour)
        << QList<int>{Requin, Serpent, Cafard, Chacal, Hyene, Rat, Cochon} << QList<int>{Chien};
    QTest::newRow("Chacal et Rat à 9, Chien avant Hyène à 30")
        << QList<int>{40, 9, 30, 20, 30, 9, 50, 45, 1} << int(Vautour)
        << QList<int>{Requin, Serpent, Cafard, Chien, Hyene, Cochon} << QList<int>{Chacal, Rat};
    QTest::newRow("Cafard puis Serpent à 30, points du premier sauvé ignorés")
        << QList<int>{30, 20, 40, 5, 25, 35, 15, 30, 22} << int(Cochon)
        << QList<int>{Chien, Rat, Cafard, Serpent, Hyene, Vautour, Chacal} << QList<int>{Requin};
    QTest::newRow("trois à égalité en bas")
        << QList<int>{12, 30, 12, 40, 50, 12, 60, 70, 0} << int(Vautour)
        << QList<int>{Serpent, Requin, Hyene, Cochon, Chacal} << QList<int>{Cafard, Chien, Rat};
    QTest::newRow("personne n'a voté")
        << QList<int>{15, 15, 15, 15, 15, 15, 15, 15, 15} << int(Hyene) << QList<int>{}
        << QList<int>{Cafard, Chacal, Chien, Cochon, Rat, Requin, Serpent, Vautour};
}

// Le haut du classement est fixé par les points puis l'ordre du rôle ; seul le
// groupe du bas est tiré, et chacun de ses membres peut l'emporter.
void TestResultatsFinaux::ordonner()
{
    QFETCH(QList<int>, points);
    QFETCH(int, premier_sauve);
    QFETCH(QList<int>, tete);
    QFETCH(QList<int>, egalite);
    const Fiches fiches(points, premier_sauve);

    QSet<int> gagnants;
    for (std::uint32_t graine = 0; graine < 300; ++graine) {
        const QList<int> classement = ClassementFinal::ordonner(fiches.accuses, graine);
        QCOMPARE(classement.size(), 8);
        QCOMPARE(classement.mid(0, tete.size()), tete);
        QList<int> bas = classement.mid(tete.size());
        std::sort(bas.begin(), bas.end());
        QCOMPARE(bas, egalite);
        gagnants.insert(classement.last());
    }
    QCOMPARE(gagnants, QSet<int>(egalite.begin(), egalite.end()));
}

// Le groupe du bas est pris depuis la fin du classement, puis mélangé par le
// tirage des votes ordinaires : à graine égale, même résultat.
void TestResultatsFinaux::egalite_du_bas_tiree_comme_aux_votes_ordinaires()
{
    const Fiches fiches({12, 30, 12, 40, 50, 12, 60, 70, 0}, Vautour);
    for (std::uint32_t graine : {0u, 7u, 1700000000u}) {
        QList<int> attendu = {Rat, Chien, Cafard};
        Tirage::melanger(attendu, graine);
        QCOMPARE(ClassementFinal::ordonner(fiches.accuses, graine).mid(5), attendu);
    }
}

// Une partie où personne ne vote au vote final, jouée jusqu'à la page de fin.
void TestResultatsFinaux::initTestCase()
{
    soiree = new Soiree;
    QVERIFY(commencer(*soiree));
    QVERIFY(jouer_jusqu_au_vote_final(*soiree, {}));
    for (const Accuse* accuse : soiree->fenetre().get_accuses())
        if (accuse->get_ecarte())
            ecartes.append(accuse->get_index());
    QCOMPARE(ecartes.size(), 8);

    QObject::connect(soiree->widget<QStackedWidget>("stackedWidget"), &QStackedWidget::currentChanged,
                     &soiree->fenetre(), [this](int page) {
                         if (page == page_resultat_final)
                             graine_avant = Tirage::graine_horloge();
                     });
    QVERIFY(finir(*soiree));
    partie_finie = true;
    for (int place = 8; place >= 1; --place) {
        const QString nom = soiree->label(qPrintable(QStringLiteral("label_classement_%1").arg(place)))->text();
        for (const Accuse* accuse : soiree->fenetre().get_accuses())
            if (accuse->get_nom() == nom)
                revele.append(accuse->get_index());
    }
}

void TestResultatsFinaux::abstention_generale_quinze_points_chacun()
{
    QVERIFY(partie_finie);
    QCOMPARE(soiree->label("label_phase")->text(), QStringLiteral("VOTE FINAL"));
    for (const Accuse* accuse : soiree->fenetre().get_accuses()) {
        QCOMPARE(accuse->get_votes_recus(9), penalite);
        QVERIFY(!accuse->get_a_vote());
        QCOMPARE(accuse->get_classement_donne(0), accuse->get_index());
        for (int k = 1; k < 8; ++k)
            QCOMPARE(accuse->get_classement_donne(k), 0);
    }
    QVERIFY(soiree->fenetre().phase_finale());
}

// Les huit écartés à égalité : tout l'ordre vient du tirage, fait à la clôture
// à partir du bas du classement (l'ordre du rôle retourné).
void TestResultatsFinaux::classement_entier_tire_au_sort()
{
    QVERIFY(partie_finie);
    QCOMPARE(revele.size(), 8);
    for (int place = 1; place <= 8; ++place)
        QVERIFY(!soiree->label(qPrintable(QStringLiteral("label_classement_%1").arg(place)))->isHidden());

    QList<int> depart = ecartes;
    std::reverse(depart.begin(), depart.end());
    bool tirage_retrouve = false;
    for (std::uint32_t graine = graine_avant; graine <= graine_avant + 2; ++graine) {
        QList<int> melange = depart;
        Tirage::melanger(melange, graine);
        tirage_retrouve = tirage_retrouve || melange == revele;
    }
    QVERIFY2(tirage_retrouve, "le dévoilement ne suit pas le tirage fait à la clôture");

    const Accuse* gagnant = soiree->fenetre().get_accuses()[revele.last()];
    QVERIFY(gagnant->get_sauve());
    QCOMPARE(soiree->label("label_classement_1")->text(), gagnant->get_nom());
}

void TestResultatsFinaux::deux_sauves_dans_l_ordre_du_role()
{
    QVERIFY(partie_finie);
    QStringList sauves;
    for (const Accuse* accuse : soiree->fenetre().get_accuses())
        if (accuse->get_sauve())
            sauves.append(accuse->get_nom());
    QCOMPARE(sauves.size(), 2);
    QCOMPARE(soiree->label("label_sauve_1")->text(), sauves[0]);
    QCOMPARE(soiree->label("label_sauve_2")->text(), sauves[1]);
}

// Jingle, résultats, huit noms à 2 s d'écart, le nom du sauvé redit 1 s après
// le silence, son annonce, puis jingle, conclusion et musique du présentateur,
// chacun sur sa page.
void TestResultatsFinaux::annonces_dans_l_ordre_et_a_l_heure()
{
    QVERIFY(partie_finie);
    const double debut = soiree->instant_page(page_resultat_final, 0);
    QVERIFY(debut > 0);
    const QList<Annonce> annonces = soiree->annonces_depuis(debut);
    QCOMPARE(annonces.size(), 15);

    const auto nom = [this](int index) { return soiree->fenetre().get_accuses()[index]->get_nom(); };
    QStringList attendus = {"Jingle.wav", "Resultatvotefinal.wav"};
    QList<double> ecarts = {0, 2.5};
    for (int i = 0; i < 8; ++i) {
        attendus.append(son_du_nom(nom(revele[i])));
        ecarts.append(i == 0 ? 20 : 2);
    }
    attendus << son_du_nom(nom(revele.last())) << "Annoncedeuxiemesauve.wav" << "Jingle.wav"
             << "Jeumeurtrierconclusion.wav" << "Jingleetmusique.wav";
    ecarts << 3 << 1 << 10 << 2.5 << 15;

    for (int i = 0; i < annonces.size(); ++i) {
        QCOMPARE(annonces[i].son, attendus[i]);
        if (i > 0)
            VERIFIER_ECART(*soiree, annonces[i - 1].instant, annonces[i].instant, ecarts[i]);
    }
    for (int i = 0; i < 10; ++i)
        QCOMPARE(annonces[i].page, page_resultat_final);
    QCOMPARE(annonces[10].page, page_resultats);
    QCOMPARE(annonces[10].presentation, QStringLiteral("Le deuxième accusé sauvé est :"));
    QCOMPARE(annonces[10].resultat, nom(revele.last()));
    QCOMPARE(annonces[11].page, page_resultats);
    QCOMPARE(annonces[12].page, page_annonce_sauves);
    QCOMPARE(annonces[13].page, page_annonce_sauves);
    QCOMPARE(annonces[14].page, page_arrivee_presentateur);
}

void TestResultatsFinaux::page_de_fin_deux_minutes_apres_le_presentateur()
{
    QVERIFY(partie_finie);
    const double presentateur = soiree->instant_page(page_arrivee_presentateur, 0);
    QVERIFY(presentateur > 0);
    VERIFIER_ECART(*soiree, presentateur, soiree->instant_page(page_fin, presentateur), 120);
}

void TestResultatsFinaux::aucune_attente_relancee()
{
    for (const QString& alerte : soiree->avertissements())
        QVERIFY2(!alerte.contains(QStringLiteral("already called exec")), qPrintable(alerte));
}

// Un vrai glisser sur la fenêtre : appui, mouvements et lâcher ; l'appui ne rend
// la main qu'à la fin du glisser, d'où la suite programmée avant.
void TestResultatsFinaux::glisser(const QWidget* depart, const QWidget* arrivee)
{
    QWindow* fenetre = soiree->fenetre().windowHandle();
    const QPoint prise = depart->mapTo(&soiree->fenetre(), depart->rect().center());
    const QPoint lacher = arrivee->mapTo(&soiree->fenetre(), arrivee->rect().center());
    QTimer::singleShot(0, &soiree->fenetre(), [=] {
        QTest::mouseMove(fenetre, (prise + lacher) / 2);
        QTest::mouseMove(fenetre, lacher);
        QTest::mouseRelease(fenetre, Qt::LeftButton, Qt::NoModifier, lacher);
    });
    QTest::mousePress(fenetre, Qt::LeftButton, Qt::NoModifier, prise);
}

// Le votant tape son code, place les noms dans l'ordre des cases et vote.
void TestResultatsFinaux::bulletin_final(int votant, const QList<int>& noms)
{
    static const char* const etiquettes[] = {"label_cafard_deplacable", "label_chacal_deplacable",
                                             "label_chien_deplacable", "label_cochon_deplacable",
                                             "label_hyene_deplacable", "label_rat_deplacable",
                                             "label_requin_deplacable", "label_serpent_deplacable",
                                             "label_vautour_deplacable"};
    QObject portee;
    soiree->ouvrir_code();
    QTimer::singleShot(500, &portee, [&] {
        for (int position = 0; position < noms.size(); ++position)
            glisser(soiree->label(etiquettes[noms[position]]),
                    soiree->widget<QWidget>(qPrintable(QStringLiteral("cadre_%1").arg(position + 1))));
        QTest::mouseClick(soiree->bouton("bouton_valider_vote_final"), Qt::LeftButton);
    });
    QTest::keyClicks(soiree->widget<QLineEdit>("ligne_code"), codes[votant]);
    QTest::mouseClick(soiree->bouton("bouton_ok_vote"), Qt::LeftButton);
}

// Une seconde partie (une soirée à la fois : elle prend le journal de Qt). Trois
// bulletins : le premier sauvé P classe V1, V2, puis les autres A1..A6 ; V1
// classe V2, A1..A6 ; V2 classe V1, A1..A6. Points : V1 1 + 1 = 2, V2 2 + 1 = 3,
// Ai (i + 2) + 2 (i + 1) + 15 d'abstention ; tout le classement est décidé.
void TestResultatsFinaux::bulletins_finaux_decident_le_sauve()
{
    delete soiree;
    soiree = new Soiree;
    QVERIFY(commencer(*soiree));
    QVERIFY(jouer_jusqu_au_vote_final(*soiree, {}));
    QList<int> autres;
    int premier_sauve = -1;
    for (const Accuse* accuse : soiree->fenetre().get_accuses()) {
        if (accuse->get_ecarte())
            autres.append(accuse->get_index());
        else
            premier_sauve = accuse->get_index();
    }
    const int v1 = autres.takeFirst();
    const int v2 = autres.takeFirst();

    bulletin_final(premier_sauve, QList<int>{v1, v2} + autres);
    bulletin_final(v1, QList<int>{v2} + autres);
    bulletin_final(v2, QList<int>{v1} + autres);
    const auto& accuses = soiree->fenetre().get_accuses();
    QVERIFY(accuses[premier_sauve]->get_a_vote());
    QVERIFY(accuses[v1]->get_a_vote());
    QVERIFY(accuses[v2]->get_a_vote());
    QVERIFY(finir(*soiree));

    QCOMPARE(accuses[v1]->get_votes_recus(9), 2);
    QCOMPARE(accuses[v2]->get_votes_recus(9), 3);
    QCOMPARE(accuses[premier_sauve]->get_votes_recus(9), 0);
    for (int i = 1; i <= autres.size(); ++i) {
        QCOMPARE(accuses[autres[i - 1]]->get_votes_recus(9), (i + 2) + 2 * (i + 1) + penalite);
        QCOMPARE(soiree->label(qPrintable(QStringLiteral("label_classement_%1").arg(i + 2)))->text(),
                 accuses[autres[i - 1]]->get_nom());
    }
    QCOMPARE(soiree->label("label_classement_2")->text(), accuses[v2]->get_nom());
    QCOMPARE(soiree->label("label_classement_1")->text(), accuses[v1]->get_nom());
    QVERIFY(accuses[v1]->get_sauve());
    QVERIFY(!accuses[v2]->get_sauve());
    QCOMPARE(accuses[v1]->get_classement_donne(0), v2);
    for (const QString& alerte : soiree->avertissements())
        QVERIFY2(!alerte.contains(QStringLiteral("already called exec")), qPrintable(alerte));
}

void TestResultatsFinaux::cleanupTestCase()
{
    delete soiree;
}

TEST_SORDANE_MAIN(TestResultatsFinaux)
#include "test_resultats_finaux.moc"
