// L'état d'une partie neuve, la fiche d'un accusé et le passage en phase finale :
// tout ce que le reste du jeu suppose vrai avant le premier vote.
#include "accuse.h"
#include "cadre_vote.h"
#include "garde_messages.h"
#include "mainwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QtTest>

class TestEtat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void partie_neuve();
    void ecran_d_accueil_pret();
    void roster_et_codes();
    void nom_des_sons_sans_accent_data();
    void nom_des_sons_sans_accent();
    void numeros_d_ecartement();
    void classement_d_un_ecarte();
    void phase_finale_et_boutons();
};

void TestEtat::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void TestEtat::partie_neuve()
{
    MainWindow fenetre;
    QCOMPARE(fenetre.get_numero_vote(), 0);
    QCOMPARE(fenetre.get_nombre_ecartes(), 0);
    QVERIFY(!fenetre.phase_finale());
    QCOMPARE(fenetre.get_temps_votes(), (QList<int>{1500, 1200, 1200, 900, 900, 600, 600, 600, 600}));
    QCOMPARE(fenetre.get_temps_vote_final(), 1200);
    QCOMPARE(fenetre.get_temps_restant_intervote(), 0);
    QCOMPARE(fenetre.get_temps_restant_vote(), 30);
    QCOMPARE(fenetre.get_etat_seconde_chance(), 0);
    QVERIFY(fenetre.get_chemin_sauvegarde().endsWith(QStringLiteral("/sauvegarde.txt")));
    QVERIFY(QFileInfo(fenetre.get_chemin_sauvegarde()).dir().exists());

    auto* combo = fenetre.findChild<QComboBox*>(QStringLiteral("comboBox_code_seconde_chance"));
    QCOMPARE(combo->count(), 10);
    QVERIFY(!combo->itemData(0).isValid());
    QCOMPARE(combo->itemText(5), QStringLiteral("Hyène"));
    QCOMPARE(combo->itemData(5).toInt(), 4);
}

// Classement final caché mais à sa place ; les cases acceptent les dépôts une fois
// la fenêtre affichée ; l'accueil est sur "Bouton_vote" ; le fond animé est chargé.
void TestEtat::ecran_d_accueil_pret()
{
    MainWindow fenetre;
    fenetre.show();
    fenetre.initialiser_affichage();
    QCOMPARE(fenetre.findChild<QStackedWidget*>(QStringLiteral("stackedWidget"))->currentIndex(), 0);
    QCOMPARE(fenetre.findChild<QStackedWidget*>(QStringLiteral("stackedWidget_intervote"))->currentIndex(), 0);
    for (int place = 1; place <= 8; ++place) {
        auto* label = fenetre.findChild<QLabel*>(QStringLiteral("label_classement_%1").arg(place));
        QVERIFY(label->isHidden());
        QVERIFY(label->sizePolicy().retainSizeWhenHidden());
        QVERIFY(fenetre.findChild<Cadre_vote*>(QStringLiteral("cadre_%1").arg(place))->acceptDrops());
    }
    QVERIFY(fenetre.acceptDrops());
    QVERIFY(fenetre.findChild<QLabel*>(QStringLiteral("label_rat_deplacable"))->sizePolicy().retainSizeWhenHidden());
    QCOMPARE(fenetre.findChild<QLabel*>(QStringLiteral("label_rat_deplacable"))->property("type").toString(),
             QStringLiteral("deplacable"));
    QCOMPARE(fenetre.findChild<QPushButton*>(QStringLiteral("bouton_rat"))->property("style").toString(),
             QStringLiteral("boutonvote"));
    QCOMPARE(fenetre.findChild<QPushButton*>(QStringLiteral("Bouton_annuler_8"))->property("style").toString(),
             QStringLiteral("boutonok"));
    QVERIFY(!fenetre.findChild<QLabel*>(QStringLiteral("label_image"))->pixmap(Qt::ReturnByValue).isNull());
}

void TestEtat::roster_et_codes()
{
    MainWindow fenetre;
    const QStringList noms = {"Cafard", "Chacal", "Chien", "Cochon", "Hyène", "Rat", "Requin", "Serpent", "Vautour"};
    const QStringList codes = {"galopin58", "cerise73", "mirabel26", "capucines82", "noyaux19",
                               "lavandes64", "primevere35", "olive90", "pavots27"};
    QCOMPARE(fenetre.get_accuses().size(), 9);
    for (int i = 0; i < 9; ++i) {
        const Accuse* accuse = fenetre.get_accuses()[i];
        QCOMPARE(accuse->get_index(), i);
        QCOMPARE(accuse->get_nom(), noms[i]);
        QCOMPARE(accuse->get_code(), codes[i]);
        QVERIFY(!accuse->get_ecarte() && !accuse->get_sauve() && !accuse->get_a_vote());
    }
}

void TestEtat::nom_des_sons_sans_accent_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("fichier");
    QTest::newRow("accent grave") << "Hyène" << "hyene";
    QTest::newRow("sans accent") << "Vautour" << "vautour";
    QTest::newRow("autres e accentués") << "éèëê" << "eeee";
}

void TestEtat::nom_des_sons_sans_accent()
{
    QFETCH(QString, nom);
    QFETCH(QString, fichier);
    QCOMPARE(Accuse::nom_replie(nom), fichier);
}

// Écarté au vote 3, réhabilité au 5, écarté de nouveau au 7 : les deux numéros restent.
void TestEtat::numeros_d_ecartement()
{
    Accuse accuse(QStringLiteral("Rat"), 5, QStringLiteral("lavandes64"));
    accuse.set_ecarte(true, 3);
    QCOMPARE(accuse.get_vote_ecartement(), 3);
    accuse.set_ecarte(false, 5);
    QVERIFY(!accuse.get_ecarte());
    QCOMPARE(accuse.get_vote_ecartement(), 3);
    QCOMPARE(accuse.get_vote_second_ecartement(), 0);
    accuse.set_ecarte(true, 7);
    QCOMPARE(accuse.get_vote_ecartement(), 3);
    QCOMPARE(accuse.get_vote_second_ecartement(), 7);
}

// Un écarté ne classe que dans sept cases : la huitième entrée ne lui est pas copiée.
void TestEtat::classement_d_un_ecarte()
{
    Accuse ecarte(QStringLiteral("Chien"), 2, QStringLiteral("mirabel26"));
    ecarte.set_ecarte(true, 1);
    ecarte.set_classement_donne({5, 0, 8, 3, 4, 7, 1, 6});
    QCOMPARE(ecarte.get_classement_donne(6), 1);
    QCOMPARE(ecarte.get_classement_donne(7), 0);
    ecarte.set_classement_donne({2});
    QCOMPARE(ecarte.get_classement_donne(0), 2);
    QCOMPARE(ecarte.get_classement_donne(1), 0);

    Accuse en_jeu(QStringLiteral("Rat"), 5, QStringLiteral("lavandes64"));
    en_jeu.set_classement_donne({0, 1, 2, 3, 4, 6, 7, 8});
    QCOMPARE(en_jeu.get_classement_donne(7), 8);
}

// Huit écartés : phase finale ; une réhabilitation la défait ; le bouton suit l'état.
void TestEtat::phase_finale_et_boutons()
{
    MainWindow fenetre;
    for (int i = 0; i < 8; ++i)
        fenetre.ecarter_accuse(fenetre.get_accuses()[i], i + 1);
    QCOMPARE(fenetre.get_nombre_ecartes(), 8);
    QVERIFY(fenetre.phase_finale());
    auto* bouton_requin = fenetre.findChild<QPushButton*>(QStringLiteral("bouton_requin"));
    QVERIFY(!bouton_requin->isEnabled());
    QVERIFY(fenetre.findChild<QPushButton*>(QStringLiteral("bouton_vautour"))->isEnabled());

    fenetre.rehabiliter_accuse(fenetre.get_accuses()[6], 9);
    QVERIFY(!fenetre.phase_finale());
    QVERIFY(bouton_requin->isEnabled());
    QCOMPARE(fenetre.get_accuses()[6]->get_vote_ecartement(), 7);
}

TEST_SORDANE_MAIN(TestEtat)
#include "test_etat.moc"
