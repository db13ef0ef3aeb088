// Le code de la seconde chance ne sert qu'une fois, confirmé par le code personnel
// de l'accusé choisi, et son effet (écarter, réhabiliter ou rien) tombe au
// dépouillement, avant le résultat du vote lui-même.
#include "garde_messages.h"
#include "soiree.h"

#include "accuse.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

namespace {
using namespace Joueurs;

constexpr int page_accueil = 0;
constexpr int page_intervote = 1;
constexpr int page_resultats = 2;
constexpr int page_vote = 3;
constexpr int sous_page_bouton_vote = 0;
constexpr int sous_page_code_sc = 2;
constexpr int sous_page_confirmation = 3;
constexpr int sous_page_validation = 4;
constexpr int sous_page_message = 5;

constexpr int etat_rehabilitation = 1;
constexpr int etat_ecartement = 2;
constexpr int etat_sans_effet = 3;
constexpr int etat_annonce = 4;

const QString pris_en_compte =
    QStringLiteral("Le code de la seconde chance a bien été pris en compte. Il ne peut plus être utilisé.");

constexpr int duree_vote_kiosque_s = 3000;

// Ce que fait le joueur devant le kiosque, du code tapé à l'abandon.
enum class Refus { code_faux, code_vide, annulation, code_personnel_d_un_autre };
}
Q_DECLARE_METATYPE(Refus)

class TestSecondeChance : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void refus_data();
    void refus();
    void oui_sans_accuse_choisi_ne_fait_rien();
    void second_appui_pendant_le_refus();
    void code_en_capitales_accepte();
    void trop_tard_au_vote_final();
    void touche_s_sans_effet_data();
    void touche_s_sans_effet();
    void effet_au_depouillement_data();
    void effet_au_depouillement();

private:
    static void ouvrir_vote_1(Soiree& soiree);
    static void taper_s(Soiree& soiree);
    static void taper_code_sc(Soiree& soiree, const QString& code);
    static void choisir(Soiree& soiree, int accuse);
    static void taper_code_personnel(Soiree& soiree, const QString& code);
    static void utiliser_code(Soiree& soiree, int accuse, const QString& code_personnel);
    static void verifier_message(Soiree& soiree, const QString& texte, double depuis, double duree_s);
    static void verifier_sans_boucle_relancee(Soiree& soiree);
    static void verifier_duree(Soiree& soiree, double depuis, double attendue_s);
    static void passer_vote_sans_bulletin(Soiree& soiree);
    static QList<int> accuses(Soiree& soiree, bool ecartes);
    Soiree& kiosque();

    // Les tests du dialogue se suivent au kiosque d'une même partie, au vote 1 :
    // chaque soirée coûte les 233 s de l'introduction.
    std::unique_ptr<Soiree> partie_du_kiosque;
};

void TestSecondeChance::ouvrir_vote_1(Soiree& soiree)
{
    QTest::mouseClick(soiree.bouton("bouton_test"), Qt::LeftButton);
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
}

void TestSecondeChance::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Le vote 1 est prolongé, comme l'organisateur peut le faire, le temps de tous les essais.
Soiree& TestSecondeChance::kiosque()
{
    if (!partie_du_kiosque) {
        partie_du_kiosque = std::make_unique<Soiree>();
        ouvrir_vote_1(*partie_du_kiosque);
        partie_du_kiosque->fenetre().set_temps_restant_intervote(duree_vote_kiosque_s);
    }
    return *partie_du_kiosque;
}

void TestSecondeChance::taper_s(Soiree& soiree)
{
    QTest::keyClick(&soiree.fenetre(), Qt::Key_S);
}

void TestSecondeChance::taper_code_sc(Soiree& soiree, const QString& code)
{
    auto* champ = soiree.widget<QLineEdit>("ligne_code_sc");
    QTest::keyClicks(champ, code);
    QTest::keyClick(champ, Qt::Key_Return);
}

// Choix au clavier dans la liste : l'élément 0 est vide, puis le rôle dans l'ordre.
void TestSecondeChance::choisir(Soiree& soiree, int accuse)
{
    auto* liste = soiree.widget<QComboBox>("comboBox_code_seconde_chance");
    for (int i = 0; i <= accuse; ++i)
        QTest::keyClick(liste, Qt::Key_Down);
}

void TestSecondeChance::taper_code_personnel(Soiree& soiree, const QString& code)
{
    auto* champ = soiree.widget<QLineEdit>("ligne_code_sc_2");
    QTest::keyClicks(champ, code);
    QTest::keyClick(champ, Qt::Key_Return);
}

void TestSecondeChance::utiliser_code(Soiree& soiree, int accuse, const QString& code_personnel)
{
    taper_s(soiree);
    taper_code_sc(soiree, QStringLiteral("sursis"));
    choisir(soiree, accuse);
    QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
    taper_code_personnel(soiree, code_personnel);
}

// Le message est à l'écran, puis le kiosque revient au repos, champs vidés,
// après la durée prévue comptée depuis l'action du joueur.
void TestSecondeChance::verifier_message(Soiree& soiree, const QString& texte, double depuis, double duree_s)
{
    QCOMPARE(soiree.sous_page(), sous_page_message);
    QCOMPARE(soiree.label("label_remerciement")->text(), texte);
    QVERIFY(soiree.attendre([&] { return soiree.sous_page() == sous_page_bouton_vote; }, limite_attente_ms));
    ETAPE(verifier_duree(soiree, depuis, duree_s));
    QVERIFY(soiree.widget<QLineEdit>("ligne_code_sc")->text().isEmpty());
    QVERIFY(soiree.widget<QLineEdit>("ligne_code_sc_2")->text().isEmpty());
    QCOMPARE(soiree.widget<QComboBox>("comboBox_code_seconde_chance")->currentIndex(), 0);
}

void TestSecondeChance::verifier_duree(Soiree& soiree, double depuis, double attendue_s)
{
    const double maintenant = soiree.maintenant();
    const double duree = maintenant - depuis;
    QVERIFY2(qAbs(duree - attendue_s) < tolerance_s + soiree.retard_max(depuis, maintenant),
             qPrintable(QStringLiteral("%1 s mesurées au lieu de %2 s").arg(duree).arg(attendue_s)));
}

void TestSecondeChance::verifier_sans_boucle_relancee(Soiree& soiree)
{
    for (const QString& alerte : soiree.avertissements())
        QVERIFY2(!alerte.contains(QStringLiteral("already called exec")), qPrintable(alerte));
}

// Personne ne vote : chaque accusé en jeu a une voix contre lui, l'un d'eux est tiré au sort.
void TestSecondeChance::passer_vote_sans_bulletin(Soiree& soiree)
{
    const int ecartes = soiree.fenetre().get_nombre_ecartes();
    soiree.fenetre().set_temps_restant_intervote(1);
    QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    QCOMPARE(soiree.fenetre().get_nombre_ecartes(), ecartes + 1);
}

// Les accusés écartés (ou en jeu), dans l'ordre du rôle.
QList<int> TestSecondeChance::accuses(Soiree& soiree, bool ecartes)
{
    QList<int> liste;
    for (const Accuse* accuse : soiree.fenetre().get_accuses())
        if (accuse->get_ecarte() == ecartes)
            liste.append(accuse->get_index());
    return liste;
}

// Le mot tapé en capitales, l'accusé choisi, son code : accepté sans rien dire de
// l'effet ; un second joueur qui tape le code dans le même vote est refusé.
void TestSecondeChance::code_en_capitales_accepte()
{
    Soiree& soiree = kiosque();
    QCOMPARE(soiree.page(), page_intervote);
    taper_s(soiree);
    QCOMPARE(soiree.sous_page(), sous_page_code_sc);
    QVERIFY(soiree.widget<QLineEdit>("ligne_code_sc")->hasFocus());
    QVERIFY(soiree.widget<QLineEdit>("ligne_code_sc")->text().isEmpty());

    taper_code_sc(soiree, QStringLiteral("SURSIS"));
    QCOMPARE(soiree.sous_page(), sous_page_confirmation);
    choisir(soiree, Cochon);
    QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
    QCOMPARE(soiree.sous_page(), sous_page_validation);
    QCOMPARE(soiree.label("label_code_final_sc")->text(),
             QStringLiteral("Cochon, entre ton code personnel pour valider :"));

    // Le code personnel, lui aussi, est accepté en capitales, validé par le bouton.
    QTest::keyClicks(soiree.widget<QLineEdit>("ligne_code_sc_2"), codes[Cochon].toUpper());
    const double validation = soiree.maintenant();
    QTest::mouseClick(soiree.bouton("bouton_ok_code_sc"), Qt::LeftButton);
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), etat_ecartement);
    ETAPE(verifier_message(soiree, pris_en_compte, validation, 5));

    // Un autre joueur, plus tard dans le même vote, valide le mot avec le bouton.
    taper_s(soiree);
    QTest::keyClicks(soiree.widget<QLineEdit>("ligne_code_sc"), QStringLiteral("sursis"));
    const double refus = soiree.maintenant();
    QTest::mouseClick(soiree.bouton("bouton_ok"), Qt::LeftButton);
    ETAPE(verifier_message(soiree, QStringLiteral("Code déjà utilisé !"), refus, 2));
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), etat_ecartement);
    QVERIFY(soiree.noms_des_sons_depuis(validation).isEmpty());
    ETAPE(verifier_sans_boucle_relancee(soiree));
}

void TestSecondeChance::refus_data()
{
    QTest::addColumn<Refus>("refus");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("duree_s");
    QTest::newRow("code faux") << Refus::code_faux << "Code invalide !" << 2.0;
    QTest::newRow("code vide") << Refus::code_vide << "Code invalide !" << 2.0;
    QTest::newRow("annulation") << Refus::annulation << "Opération annulée." << 5.0;
    QTest::newRow("code personnel d'un autre") << Refus::code_personnel_d_un_autre << "Code invalide !" << 2.0;
}

// Chaque refus affiche son message le temps prévu, puis rend le kiosque au repos
// sans que le code soit consommé : le joueur suivant peut encore l'utiliser.
void TestSecondeChance::refus()
{
    QFETCH(Refus, refus);
    QFETCH(QString, message);
    QFETCH(double, duree_s);
    Soiree& soiree = kiosque();
    QCOMPARE(soiree.page(), page_intervote);
    taper_s(soiree);
    const double debut = soiree.maintenant();
    switch (refus) {
    case Refus::code_faux:
        taper_code_sc(soiree, QStringLiteral("sursit"));
        break;
    case Refus::code_vide:
        taper_code_sc(soiree, QString());
        break;
    case Refus::annulation:
        taper_code_sc(soiree, QStringLiteral("sursis"));
        choisir(soiree, Chien);
        QTest::mouseClick(soiree.bouton("bouton_non"), Qt::LeftButton);
        break;
    case Refus::code_personnel_d_un_autre: {
        // Le refus attend dans la boucle des paroles : on lit l'écran pendant l'attente.
        QString pendant;
        int sous_page = -1;
        QTimer::singleShot(1000, &soiree.fenetre(), [&] {
            pendant = soiree.label("label_remerciement")->text();
            sous_page = soiree.sous_page();
        });
        taper_code_sc(soiree, QStringLiteral("sursis"));
        choisir(soiree, Chien);
        QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
        taper_code_personnel(soiree, codes[Rat]);
        QCOMPARE(sous_page, sous_page_message);
        QCOMPARE(pendant, message);
        QCOMPARE(soiree.sous_page(), sous_page_bouton_vote);
        ETAPE(verifier_duree(soiree, debut, duree_s));
        break;
    }
    }
    if (refus != Refus::code_personnel_d_un_autre)
        ETAPE(verifier_message(soiree, message, debut, duree_s));
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), 0);
    ETAPE(verifier_sans_boucle_relancee(soiree));
}

void TestSecondeChance::oui_sans_accuse_choisi_ne_fait_rien()
{
    Soiree& soiree = kiosque();
    QCOMPARE(soiree.page(), page_intervote);
    taper_s(soiree);
    taper_code_sc(soiree, QStringLiteral("sursis"));
    const QString invite = soiree.label("label_code_final_sc")->text();
    QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
    QCOMPARE(soiree.sous_page(), sous_page_confirmation);
    QCOMPARE(soiree.label("label_code_final_sc")->text(), invite);
    // Le choix fait ensuite suffit à poursuivre.
    choisir(soiree, Cafard);
    QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
    QCOMPARE(soiree.sous_page(), sous_page_validation);
    QCOMPARE(soiree.label("label_code_final_sc")->text(), QStringLiteral("Cafard, entre ton code personnel pour valider :"));
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), 0);
    // Un code personnel faux rend le kiosque au repos pour le test suivant.
    taper_code_personnel(soiree, codes[Chacal]);
    QCOMPARE(soiree.sous_page(), sous_page_bouton_vote);
}

// Pendant les deux secondes du refus du code personnel, un nouvel appui sur
// Valider ou Entrée ne relance pas d'attente : le refus finit à l'heure.
void TestSecondeChance::second_appui_pendant_le_refus()
{
    Soiree& soiree = kiosque();
    QCOMPARE(soiree.page(), page_intervote);
    taper_s(soiree);
    taper_code_sc(soiree, QStringLiteral("sursis"));
    choisir(soiree, Serpent);
    QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
    QTest::keyClicks(soiree.widget<QLineEdit>("ligne_code_sc_2"), codes[Requin]);
    QTimer::singleShot(500, &soiree.fenetre(), [&] {
        QTest::mouseClick(soiree.bouton("bouton_ok_code_sc"), Qt::LeftButton);
        QTest::keyClick(soiree.widget<QLineEdit>("ligne_code_sc_2"), Qt::Key_Return);
    });
    const double debut = soiree.maintenant();
    QTest::mouseClick(soiree.bouton("bouton_ok_code_sc"), Qt::LeftButton);
    ETAPE(verifier_duree(soiree, debut, 2));
    QCOMPARE(soiree.sous_page(), sous_page_bouton_vote);
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), 0);
    ETAPE(verifier_sans_boucle_relancee(soiree));
}

// Au vote final, le bon mot est refusé : il est trop tard.
void TestSecondeChance::trop_tard_au_vote_final()
{
    partie_du_kiosque.reset();
    Soiree soiree;
    ETAPE(ouvrir_vote_1(soiree));
    while (!soiree.fenetre().phase_finale())
        ETAPE(passer_vote_sans_bulletin(soiree));
    QCOMPARE(soiree.label("label_phase")->text(), QStringLiteral("VOTE FINAL"));
    taper_s(soiree);
    const double debut = soiree.maintenant();
    taper_code_sc(soiree, QStringLiteral("sursis"));
    ETAPE(verifier_message(soiree, QStringLiteral("C'est trop tard pour utiliser ce code !"), debut, 2));
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), 0);
    ETAPE(verifier_sans_boucle_relancee(soiree));
}

void TestSecondeChance::touche_s_sans_effet_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("accueil") << page_accueil;
    QTest::newRow("bulletin ouvert") << page_vote;
    QTest::newRow("résultats") << page_resultats;
}

// S ne fait rien hors du kiosque au repos : ni la page, ni le focus ne changent.
void TestSecondeChance::touche_s_sans_effet()
{
    QFETCH(int, page);
    partie_du_kiosque.reset();
    Soiree soiree;
    auto* champ = soiree.widget<QLineEdit>("ligne_code_sc");
    int page_vue = -1;
    int sous_page_apres = -1;
    bool champ_focus = true;
    const auto taper_et_noter = [&] {
        page_vue = soiree.page();
        taper_s(soiree);
        sous_page_apres = soiree.sous_page();
        champ_focus = champ->hasFocus();
    };
    if (page == page_accueil) {
        taper_et_noter();
    } else {
        ETAPE(ouvrir_vote_1(soiree));
        if (page == page_vote) {
            soiree.ouvrir_code();
            QTimer::singleShot(500, &soiree.fenetre(), [&] {
                taper_et_noter();
                QTest::mouseClick(soiree.bouton("bouton_reporter_vote"), Qt::LeftButton);
            });
            soiree.taper_code(codes[Hyene]);
        } else {
            soiree.fenetre().set_temps_restant_intervote(1);
            QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
            taper_et_noter();
        }
    }
    QCOMPARE(page_vue, page);
    QCOMPARE(sous_page_apres, sous_page_bouton_vote);
    QVERIFY(!champ_focus);
}

void TestSecondeChance::effet_au_depouillement_data()
{
    QTest::addColumn<int>("vote");
    QTest::addColumn<bool>("utilisateur_ecarte");
    QTest::addColumn<int>("effet");
    QTest::addColumn<QStringList>("sons");
    QTest::addColumn<QList<double>>("ecarts");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<int>("ecartes_en_plus");
    // "nom" tient la place du son du nom de l'utilisateur ; chaque écart est compté
    // depuis le son précédent, jusqu'au jingle qui ouvre le résultat du vote.
    QTest::newRow("vote 1, en jeu : écarté par le code")
        << 1 << false << etat_ecartement
        << QStringList{"Jingle.wav", "nom", "Codesecondechancemauvaisusage.wav", "nom", "Eliminecodesecondechance.wav"}
        << QList<double>{2.5, 1, 16, 1, 10} << "est écarté par le code de la seconde chance." << 2;
    // Le vote 5 est le dernier où le code écarte celui qui est encore en jeu.
    QTest::newRow("vote 5, en jeu : écarté par le code")
        << 5 << false << etat_ecartement
        << QStringList{"Jingle.wav", "nom", "Codesecondechancemauvaisusage.wav", "nom", "Eliminecodesecondechance.wav"}
        << QList<double>{2.5, 1, 16, 1, 10} << "est écarté par le code de la seconde chance." << 2;
    QTest::newRow("vote 2, écarté : sans effet")
        << 2 << true << etat_sans_effet << QStringList{"Jingle.wav", "nom", "Codesecondechanceinutileusage.wav"}
        << QList<double>{2.5, 1, 12} << "a utilisé le code de la seconde chance sans effet." << 1;
    QTest::newRow("vote 6, écarté : réhabilité")
        << 6 << true << etat_rehabilitation << QStringList{"Jingle.wav", "nom", "Codesecondechancebonusage.wav"}
        << QList<double>{2.5, 1, 16} << "est réhabilité grâce au code de la seconde chance." << 0;
    QTest::newRow("vote 6, en jeu : sans effet")
        << 6 << false << etat_sans_effet << QStringList{"Jingle.wav", "nom", "Codesecondechanceinutileusage.wav"}
        << QList<double>{2.5, 1, 12} << "a utilisé le code de la seconde chance sans effet." << 1;
}

// Les votes qui précèdent se jouent sans bulletin ; au vote choisi, le code est
// utilisé puis le vote est écourté. Au dépouillement, l'effet est annoncé avec
// ses attentes, avant le résultat propre du vote, puis appliqué et noté.
void TestSecondeChance::effet_au_depouillement()
{
    QFETCH(int, vote);
    QFETCH(bool, utilisateur_ecarte);
    QFETCH(int, effet);
    QFETCH(QStringList, sons);
    QFETCH(QList<double>, ecarts);
    QFETCH(QString, verdict);
    QFETCH(int, ecartes_en_plus);
    partie_du_kiosque.reset();
    Soiree soiree;
    MainWindow& fenetre = soiree.fenetre();
    ETAPE(ouvrir_vote_1(soiree));
    while (fenetre.get_numero_vote() < vote)
        ETAPE(passer_vote_sans_bulletin(soiree));

    const int u = accuses(soiree, utilisateur_ecarte).first();
    Accuse* utilisateur = fenetre.get_accuses()[u];
    utiliser_code(soiree, u, codes[u]);
    QCOMPARE(fenetre.get_etat_seconde_chance(), effet);
    int cible = -1;
    // Le réhabilité ne doit pas retomber au tirage : deux écartés votent contre un même accusé.
    if (effet == etat_rehabilitation) {
        const QList<int> autres_ecartes = accuses(soiree, true).mid(1);
        cible = accuses(soiree, false).first();
        soiree.voter(codes[autres_ecartes[0]], cible);
        soiree.voter(codes[autres_ecartes[1]], cible);
    }

    const int ecartes = fenetre.get_nombre_ecartes();
    const double avant_fin = soiree.maintenant();
    fenetre.set_temps_restant_intervote(1);
    QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
    const double fin = soiree.instant_page(page_resultats, avant_fin) - 0.5;
    QVERIFY(soiree.attendre([&] { return soiree.noms_des_sons_depuis(fin).contains("Eliminevoteclassique.wav"); },
                            limite_attente_ms));
    QVERIFY(soiree.attendre([&] { return fenetre.get_numero_vote() == vote + 1; }, limite_attente_ms));

    // Sonnerie, appel, l'effet du code, puis le résultat du vote : jingle, nom, discours.
    const QString nom = QStringLiteral("Accuse%1.wav").arg(Accuse::nom_replie(utilisateur->get_nom()));
    QStringList attendus = QStringList{"Sonnerie.wav", "Appelvote.wav"} + sons;
    attendus.replaceInStrings(QRegularExpression("^nom$"), nom);
    const QList<Annonce> annonces = soiree.annonces_depuis(fin);
    QVERIFY(annonces.size() >= attendus.size() + 3);
    for (int i = 0; i < attendus.size(); ++i)
        QCOMPARE(annonces[i].son, attendus[i]);
    QCOMPARE(annonces[attendus.size()].son, QStringLiteral("Jingle.wav"));
    QCOMPARE(annonces[attendus.size() + 2].son, QStringLiteral("Eliminevoteclassique.wav"));
    constexpr int premier_jingle = 2;
    for (int i = 0; i < ecarts.size(); ++i) {
        const Annonce& son = annonces[premier_jingle + i + 1];
        const double ecart = son.instant - annonces[premier_jingle + i].instant;
        // Minimum seulement : sous charge, ces longues attentes s'allongent parfois
        // sans que la sonde de la boucle d'événements ne le voie.
        QVERIFY2(ecart > ecarts[i] - tolerance_s,
                 qPrintable(QStringLiteral("%1 joué %2 s après le son précédent au lieu de %3 s")
                                .arg(son.son).arg(ecart).arg(ecarts[i])));
    }

    // Le nom de l'utilisateur en tête, le verdict caché pendant son nom puis montré.
    const Annonce& premier_nom = annonces[premier_jingle + 1];
    QCOMPARE(premier_nom.presentation, utilisateur->get_nom());
    QCOMPARE(premier_nom.resultat, verdict);
    QVERIFY(!premier_nom.resultat_visible);
    const Annonce& fin_effet = annonces[attendus.size() - 1];
    QCOMPARE(fin_effet.presentation, utilisateur->get_nom());
    QCOMPARE(fin_effet.resultat, verdict);
    QVERIFY(fin_effet.resultat_visible);

    QCOMPARE(fenetre.get_nombre_ecartes(), ecartes + ecartes_en_plus);
    QCOMPARE(fenetre.get_etat_seconde_chance(), etat_annonce);
    QCOMPARE(utilisateur->get_vote_seconde_chance(), vote);
    QCOMPARE(utilisateur->get_effet_seconde_chance(), effet);
    QCOMPARE(soiree.bouton_candidat(u)->isEnabled(), !utilisateur->get_ecarte());
    const QString ecarte_par_le_vote = annonces[attendus.size() + 1].son;
    switch (effet) {
    case etat_ecartement:
        QVERIFY(utilisateur->get_ecarte());
        QCOMPARE(utilisateur->get_vote_ecartement(), vote);
        QVERIFY(ecarte_par_le_vote != nom);
        break;
    case etat_rehabilitation:
        QVERIFY(!utilisateur->get_ecarte());
        QCOMPARE(ecarte_par_le_vote,
                 QStringLiteral("Accuse%1.wav").arg(Accuse::nom_replie(fenetre.get_accuses()[cible]->get_nom())));
        break;
    default:
        // Sans effet : l'écarté le reste ; celui qui était en jeu ne dépend que du tirage.
        if (utilisateur_ecarte)
            QVERIFY(utilisateur->get_ecarte());
        break;
    }
    ETAPE(verifier_sans_boucle_relancee(soiree));
}

TEST_SORDANE_MAIN(TestSecondeChance)
#include "test_seconde_chance.moc"
