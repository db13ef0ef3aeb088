// Le rapport de partie reprend chaque vote dans un tableau séparé par ";" (qui a
// voté contre qui, les totaux, le code de la seconde chance, les écartés), puis le
// vote final, et n'est écrit qu'au chemin choisi, entier ou pas du tout.
#include "garde_messages.h"
#include "partie_courte.h"
#include "soiree.h"

#include "accuse.h"
#include "rapport.h"

#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <memory>

using namespace PartieCourte;

namespace {
const QStringList noms = {"Cafard", "Chacal", "Chien", "Cochon", "Hyène", "Rat", "Requin", "Serpent", "Vautour"};
const QString ligne_des_noms = QStringLiteral(";Cafard;Chacal;Chien;Cochon;Hyène;Rat;Requin;Serpent;Vautour;");
const QString dernier_texte = QStringLiteral("A l'issue du vote final le deuxieme accuse sauve est : ");

// Neuf fiches hors partie, que chaque test mène où il veut.
struct Fiches {
    std::vector<std::unique_ptr<Accuse>> proprietaires;
    QList<Accuse*> accuses;

    Fiches()
    {
        for (int i = 0; i < 9; ++i) {
            proprietaires.emplace_back(new Accuse(noms[i], i, codes[i]));
            accuses.append(proprietaires.back().get());
        }
    }
    Accuse* operator[](int i) const { return accuses[i]; }
};

QStringList bloc(const QString& texte, const QString& titre)
{
    return Soiree::bloc_du_rapport(texte.split(QLatin1Char('\n')), titre);
}

QString titre_vote(int numero)
{
    return QStringLiteral("********** Vote %1 **********").arg(numero);
}

QString lire(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream flux(&fichier);
    return flux.readAll();
}

}

class TestRapport : public QObject
{
    Q_OBJECT

private slots:
    void entete();
    void ligne_vote_final_data();
    void ligne_vote_final();
    void seconde_chance_data();
    void seconde_chance();

    void initTestCase();
    void bloc_comme_l_exemple();
    void statut_du_vote_1_sans_ecarte();
    void un_bloc_par_vote_ordinaire();
    void vote_final_sans_bulletin();
    void derniere_ligne_sans_retour();
    void dialogue_ecrit_le_rapport_data();
    void dialogue_ecrit_le_rapport();
    void dialogue_annule_rien_d_ecrit();
    void echec_d_ecriture_signale();
    void cleanupTestCase();

private:
    QString rapport_de_la_partie() const;

    Soiree* soiree = nullptr;
    bool partie_finie = false;
    QTemporaryDir dossier;
};

void TestRapport::entete()
{
    const Fiches fiches;
    const QStringList lignes = Rapport::texte(fiches.accuses, 0, QDate(2026, 3, 7)).split(QLatin1Char('\n'));
    QStringList attendu = {"Rapport de partie Le Sordane", "", "Date : 07/03/2026", "",
                           "Joueurs et joueuses (a completer) :", ""};
    for (const QString& nom : noms)
        attendu.append(nom + QStringLiteral(" :"));
    attendu << "" << "";
    QCOMPARE(lignes.mid(0, attendu.size()), attendu);
    QCOMPARE(lignes[10], QStringLiteral("Hyène :"));
}

void TestRapport::ligne_vote_final_data()
{
    QTest::addColumn<int>("votant");
    QTest::addColumn<int>("premier_sauve");
    QTest::addColumn<QList<int>>("classement");
    QTest::addColumn<QString>("ligne");

    QTest::newRow("Chien écarté classe sept noms")
        << int(Chien) << int(Requin) << QList<int>{Rat, Cafard, Vautour, Cochon, Hyene, Serpent, Chacal, 0}
        << "Vote de Chien :;2;7;;4;5;1;;6;3;";
    QTest::newRow("Rat n'a pas voté") << int(Rat) << int(Requin) << QList<int>{Rat} << "Vote de Rat :;;;;;;15;;;;";
    QTest::newRow("Cafard n'a pas voté") << int(Cafard) << int(Requin) << QList<int>{Cafard}
                                         << "Vote de Cafard :;15;;;;;;;;;";
    QTest::newRow("le premier sauvé classe huit noms")
        << int(Vautour) << int(Vautour) << QList<int>{Chien, Cafard, Chacal, Cochon, Hyene, Rat, Requin, Serpent}
        << "Vote de Vautour :;2;3;1;4;5;6;7;8;;";
    // La huitième case d'un écarté, vide, vaut 0 : elle ne place pas Cafard.
    QTest::newRow("écarté, Cafard premier sauvé")
        << int(Chacal) << int(Cafard) << QList<int>{Chien, Cochon, Hyene, Rat, Requin, Serpent, Vautour, 0}
        << "Vote de Chacal :;;;1;2;3;4;5;6;7;";
}

void TestRapport::ligne_vote_final()
{
    QFETCH(int, votant);
    QFETCH(int, premier_sauve);
    QFETCH(QList<int>, classement);
    QFETCH(QString, ligne);
    const Fiches fiches;
    for (Accuse* accuse : fiches.accuses)
        if (accuse->get_index() != premier_sauve)
            accuse->set_ecarte(true, 1);
    fiches[votant]->set_classement_donne(classement);
    QCOMPARE(Rapport::ligne_vote_final(fiches[votant], fiches.accuses), ligne);
}

void TestRapport::seconde_chance_data()
{
    QTest::addColumn<int>("utilisateur");
    QTest::addColumn<int>("effet");
    QTest::addColumn<int>("ecarte_au_vote_2");
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<QString>("ecartes");
    QTest::addColumn<QString>("statut_vote_3");

    QTest::newRow("bon escient") << int(Serpent) << 1 << int(Rat)
                                 << "Pendant le vote, Serpent a utilise le code de la seconde chance a bon escient et a donc ete rehabilite"
                                 << "L'accuse ecarte a l'issue de ce vote est : Rat" << ";;;;;;ecarte;;;;";
    QTest::newRow("bon escient puis écarté par le vote") << int(Serpent) << 1 << int(Serpent)
        << "Pendant le vote, Serpent a utilise le code de la seconde chance a bon escient et a donc ete rehabilite"
        << "L'accuse ecarte a l'issue de ce vote est : Serpent" << ";;;;;;;;ecarte;;";
    QTest::newRow("mauvais escient") << int(Chacal) << 2 << int(Requin)
                                     << "Pendant le vote, Chacal a utilise le code de la seconde chance a mauvais escient et a donc ete ecarte"
                                     << "Les accuses ecartes a l'issue de ce vote sont : Chacal, Requin"
                                     << ";;ecarte;;;;;ecarte;ecarte;;";
    QTest::newRow("sans effet") << int(Chacal) << 3 << int(Rat)
                                << "Pendant le vote, Chacal a utilise le code de la seconde chance mais, comme il n'etait pas ecarte, cela n'a eu aucun effet"
                                << "L'accuse ecarte a l'issue de ce vote est : Rat" << ";;;;;;ecarte;;ecarte;;";
}

// Serpent est écarté au vote 1 ; le code est utilisé au vote 2, dont la phrase
// précède celle des écartés, et son effet se lit dans le statut du vote 3.
void TestRapport::seconde_chance()
{
    QFETCH(int, utilisateur);
    QFETCH(int, effet);
    QFETCH(int, ecarte_au_vote_2);
    QFETCH(QString, phrase);
    QFETCH(QString, ecartes);
    QFETCH(QString, statut_vote_3);
    const Fiches fiches;
    fiches[Serpent]->set_ecarte(true, 1);
    fiches[utilisateur]->set_seconde_chance(2, effet);
    if (effet == 1)
        fiches[utilisateur]->set_ecarte(false, 2);
    if (effet == 2)
        fiches[utilisateur]->set_ecarte(true, 2);
    fiches[ecarte_au_vote_2]->set_ecarte(true, 2);
    fiches[Cochon]->set_ecarte(true, 3);

    const QString texte = Rapport::texte(fiches.accuses, 3, QDate(2026, 3, 7));
    const QStringList vote_2 = bloc(texte, titre_vote(2));
    QCOMPARE(vote_2.size(), 20);
    QCOMPARE(vote_2[3], QStringLiteral(";;;;;;;;ecarte;;"));
    QCOMPARE(vote_2.mid(14), (QStringList{"", phrase, "", ecartes, "", ""}));
    QCOMPARE(bloc(texte, titre_vote(3))[3], statut_vote_3);
}

// Vote 1 : tous contre Serpent, qui s'abstient. Vote 2 : l'exemple du rapport.
// Puis des votes sans bulletin jusqu'au vote final, où personne ne vote.
void TestRapport::initTestCase()
{
    QVERIFY(dossier.isValid());
    soiree = new Soiree;
    QVERIFY(commencer(*soiree));
    const QList<int> vote_1 = {Serpent, Serpent, Serpent, Serpent, Serpent, Serpent, Serpent, abstention, Serpent};
    const QList<int> vote_2 = {Chien, Rat, Rat, Rat, Chien, Cafard, Rat, Rat, abstention};
    QVERIFY(jouer_jusqu_au_vote_final(*soiree, {vote_1, vote_2}));
    QVERIFY(finir(*soiree));
    partie_finie = true;
}

QString TestRapport::rapport_de_la_partie() const
{
    return Rapport::texte(soiree->fenetre().get_accuses(), soiree->fenetre().get_numero_vote(), QDate::currentDate());
}

void TestRapport::bloc_comme_l_exemple()
{
    QVERIFY(partie_finie);
    const QStringList attendu = {"********** Vote 2 **********",
                                 "",
                                 ligne_des_noms,
                                 ";;;;;;;;ecarte;;",
                                 "Vote de Cafard :;;;1",
                                 "Vote de Chacal :;;;;;;1",
                                 "Vote de Chien :;;;;;;1",
                                 "Vote de Cochon :;;;;;;1",
                                 "Vote de Hyène :;;;1",
                                 "Vote de Rat :;1",
                                 "Vote de Requin :;;;;;;1",
                                 "Vote de Serpent :;;;;;;1",
                                 "Vote de Vautour :;;;;;;;;;1",
                                 "Total votes contre :;1;0;2;0;0;5;0;0;1;",
                                 "",
                                 "L'accuse ecarte a l'issue de ce vote est : Rat",
                                 "",
                                 ""};
    QCOMPARE(bloc(rapport_de_la_partie(), titre_vote(2)), attendu);
}

void TestRapport::statut_du_vote_1_sans_ecarte()
{
    QVERIFY(partie_finie);
    const QStringList vote_1 = bloc(rapport_de_la_partie(), titre_vote(1));
    QCOMPARE(vote_1.size(), 18);
    QCOMPARE(vote_1[2], ligne_des_noms);
    QCOMPARE(vote_1[3], QStringLiteral(";;;;;;;;;;"));
    QCOMPARE(vote_1[12], QStringLiteral("Vote de Vautour :;;;;;;;;1"));
    QCOMPARE(vote_1[13], QStringLiteral("Total votes contre :;0;0;0;0;0;0;0;9;0;"));
    QCOMPARE(vote_1[15], QStringLiteral("L'accuse ecarte a l'issue de ce vote est : Serpent"));
}

// Huit votes ordinaires, chacun avec l'écarté du jeu, et le statut qui s'allonge.
void TestRapport::un_bloc_par_vote_ordinaire()
{
    QVERIFY(partie_finie);
    const QString texte = rapport_de_la_partie();
    QCOMPARE(texte.count(QStringLiteral("********** Vote ")), 9);
    for (int numero = 1; numero <= 8; ++numero) {
        const QStringList lignes = bloc(texte, titre_vote(numero));
        QCOMPARE(lignes[3].count(QStringLiteral("ecarte")), numero - 1);
        QString ecarte;
        for (const Accuse* accuse : soiree->fenetre().get_accuses())
            if (accuse->get_vote_ecartement() == numero)
                ecarte = accuse->get_nom();
        QCOMPARE(lignes[15], QStringLiteral("L'accuse ecarte a l'issue de ce vote est : ") + ecarte);
    }
    QVERIFY(!texte.contains(titre_vote(9)));
}

// Personne n'a voté au vote final : chacun porte 15 dans sa propre colonne.
void TestRapport::vote_final_sans_bulletin()
{
    QVERIFY(partie_finie);
    const QString texte = rapport_de_la_partie();
    const QStringList lignes = texte.split(QLatin1Char('\n'));
    QString premier;
    for (const Accuse* accuse : soiree->fenetre().get_accuses())
        if (!accuse->get_ecarte())
            premier = accuse->get_nom();
    const int titre = lignes.indexOf(QStringLiteral("********** Vote final **********"));
    QVERIFY(titre > 5);
    QCOMPARE(lignes.mid(titre - 6, 6),
             (QStringList{"", "", "", "A l'issue des premiers votes le premier accuse sauve est : " + premier, "", ""}));
    QCOMPARE(lignes[titre + 2], ligne_des_noms);
    QCOMPARE(lignes[titre + 3].count(QStringLiteral("ecarte;")), 8);
    QCOMPARE(lignes[titre + 3].count(QLatin1Char(';')), 10);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(lignes[titre + 4 + i],
                 "Vote de " + noms[i] + " :;" + QString(i, ';') + QStringLiteral("15") + QString(9 - i, ';'));
    QCOMPARE(lignes[titre + 13], QStringLiteral("Total votes pour :;15;15;15;15;15;15;15;15;15;"));
    QCOMPARE(lignes[titre + 14], QString());
}

void TestRapport::derniere_ligne_sans_retour()
{
    QVERIFY(partie_finie);
    QString deuxieme;
    QString premier;
    for (const Accuse* accuse : soiree->fenetre().get_accuses()) {
        if (!accuse->get_ecarte())
            premier = accuse->get_nom();
        else if (accuse->get_sauve())
            deuxieme = accuse->get_nom();
    }
    QVERIFY(!deuxieme.isEmpty() && deuxieme != premier);
    const QString texte = rapport_de_la_partie();
    QVERIFY(texte.endsWith(QStringLiteral("\n") + dernier_texte + deuxieme));
}

void TestRapport::dialogue_ecrit_le_rapport_data()
{
    QTest::addColumn<QString>("nom_du_fichier");
    QTest::addColumn<QString>("recapitulatif");
    QTest::newRow("extension csv") << "rapport.csv" << "rapport.pdf";
    QTest::newRow("sans extension, rien n'est ajouté") << "rapport_sans_extension" << "rapport_sans_extension.pdf";
}

// Le bouton de la page de fin ouvre le dialogue ; le fichier choisi reçoit le
// rapport entier, "Hyène" compris, et se termine sans retour à la ligne ; le
// récapitulatif en PDF est écrit à côté.
void TestRapport::dialogue_ecrit_le_rapport()
{
    QFETCH(QString, nom_du_fichier);
    QFETCH(QString, recapitulatif);
    QVERIFY(partie_finie);
    QCOMPARE(soiree->page(), page_fin);
    const QString chemin = dossier.filePath(nom_du_fichier);
    QString titre;
    QStringList filtres;
    Soiree::repondre<QFileDialog>([&](QFileDialog* dialogue) {
        titre = dialogue->windowTitle();
        filtres = dialogue->nameFilters();
        Soiree::taper_chemin(dialogue, chemin);
    });
    soiree->bouton("bouton_rapport")->click();
    QCOMPARE(titre, QStringLiteral("Sauvegarder rapport"));
    QCOMPARE(filtres, QStringList{"Fichiers csv (*.csv)"});
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), (QStringList{nom_du_fichier, recapitulatif}));

    const QString ecrit = lire(chemin);
    QCOMPARE(ecrit, rapport_de_la_partie());
    QVERIFY(ecrit.contains(QStringLiteral("Vote de Hyène :;")));
    QVERIFY(!ecrit.endsWith(QLatin1Char('\n')));
    QFile::remove(chemin);
    QFile::remove(dossier.filePath(recapitulatif));
}

void TestRapport::dialogue_annule_rien_d_ecrit()
{
    QVERIFY(partie_finie);
    bool ouvert = false;
    Soiree::repondre<QFileDialog>([&](QFileDialog* dialogue) {
        ouvert = true;
        dialogue->reject();
    });
    soiree->bouton("bouton_rapport")->click();
    QVERIFY(ouvert);
    QVERIFY(QDir(dossier.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

// Un chemin impossible (son dossier est un fichier) : l'organisateur en est
// averti, au lieu de croire son rapport enregistré.
void TestRapport::echec_d_ecriture_signale()
{
    QVERIFY(partie_finie);
    const QString obstacle = dossier.filePath(QStringLiteral("fichier"));
    QFile bloquant(obstacle);
    QVERIFY(bloquant.open(QIODevice::WriteOnly));
    bloquant.write("ancien");
    bloquant.close();

    QString avertissement;
    Soiree::repondre<QFileDialog>([&](QFileDialog* dialogue) {
        Soiree::repondre<QMessageBox>([&](QMessageBox* boite) {
            avertissement = boite->text();
            boite->accept();
        });
        Soiree::taper_chemin(dialogue, obstacle + QStringLiteral("/rapport.csv"));
    });
    soiree->bouton("bouton_rapport")->click();
    QCOMPARE(avertissement, QStringLiteral("Le rapport n'a pas pu être enregistré."));
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{"fichier"});
    QCOMPARE(lire(obstacle), QStringLiteral("ancien"));
    QVERIFY(soiree->avertissements().filter(QStringLiteral("already called exec")).isEmpty());
}

void TestRapport::cleanupTestCase()
{
    delete soiree;
}

TEST_SORDANE_MAIN(TestRapport)
#include "test_rapport.moc"
