// Des parties jouées jusqu'au vote final, avec et sans le code de la seconde
// chance : chaque sauvegarde écrite en chemin passe la vérification du fichier.
// Avec GRAINES_DOSSIER, ces fichiers y sont aussi copiés : ce sont les graines
// du fuzzer (tools/fabriquer_graines.sh), que le premier test relit.
#include "garde_messages.h"
#include "partie_courte.h"

#include "accuse.h"
#include "fichier_sauvegarde.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

namespace {
using namespace PartieCourte;

const QString code_seconde_chance = QStringLiteral("sursis");

// Le code tapé au kiosque, comme un joueur : S, le code, l'accusé choisi, son code personnel.
void utiliser_code(Soiree& soiree, int accuse)
{
    QTest::keyClick(&soiree.fenetre(), Qt::Key_S);
    auto* champ = soiree.widget<QLineEdit>("ligne_code_sc");
    QTest::keyClicks(champ, code_seconde_chance);
    QTest::keyClick(champ, Qt::Key_Return);
    auto* liste = soiree.widget<QComboBox>("comboBox_code_seconde_chance");
    for (int i = 0; i <= accuse; ++i)
        QTest::keyClick(liste, Qt::Key_Down);
    QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
    auto* code_personnel = soiree.widget<QLineEdit>("ligne_code_sc_2");
    QTest::keyClicks(code_personnel, codes[accuse]);
    QTest::keyClick(code_personnel, Qt::Key_Return);
}

int premier(Soiree& soiree, bool ecarte)
{
    for (const Accuse* accuse : soiree.fenetre().get_accuses())
        if (accuse->get_ecarte() == ecarte)
            return accuse->get_index();
    return -1;
}
}

class TestGraines : public QObject
{
    Q_OBJECT

private slots:
    void graines_acceptees();
    void partie_sans_code();
    void code_qui_ecarte_au_vote_2();
    void code_qui_rehabilite_au_vote_6();

private:
    void commencer(Soiree& soiree);
    void verifier_sauvegarde(Soiree& soiree, const QString& partie);
    void jouer_jusqu_au_vote(Soiree& soiree, const QString& partie, int numero);
    void jouer_jusqu_au_vote_final(Soiree& soiree, const QString& partie);
};

void TestGraines::commencer(Soiree& soiree)
{
    QVERIFY(PartieCourte::commencer(soiree));
    // Les codes ne se tapent que dans une fenêtre active.
    QVERIFY(QTest::qWaitForWindowActive(&soiree.fenetre()));
}

void TestGraines::verifier_sauvegarde(Soiree& soiree, const QString& partie)
{
    QFile fichier(soiree.fenetre().get_chemin_sauvegarde());
    QVERIFY(fichier.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString nom = QStringLiteral("%1_apres_vote_%2%3.txt")
                            .arg(partie)
                            .arg(soiree.fenetre().get_numero_vote() - (soiree.fenetre().phase_finale() ? 0 : 1))
                            .arg(soiree.fenetre().phase_finale() ? QStringLiteral("_finale") : QString());
    QVERIFY2(FichierSauvegarde::lire(fichier).has_value(), qPrintable(nom));
    const QString dossier = qEnvironmentVariable("GRAINES_DOSSIER");
    if (dossier.isEmpty())
        return;
    QFile::remove(QDir(dossier).filePath(nom));
    QVERIFY(QFile::copy(fichier.fileName(), QDir(dossier).filePath(nom)));
}

// Chaque vote se clôt sans bulletin : chacun vote contre lui-même, le tirage départage.
void TestGraines::jouer_jusqu_au_vote(Soiree& soiree, const QString& partie, int numero)
{
    while (soiree.fenetre().get_numero_vote() < numero && !soiree.fenetre().phase_finale()) {
        QVERIFY(jouer_vote(soiree, {}));
        ETAPE(verifier_sauvegarde(soiree, partie));
    }
}

void TestGraines::jouer_jusqu_au_vote_final(Soiree& soiree, const QString& partie)
{
    ETAPE(jouer_jusqu_au_vote(soiree, partie, Jeu::nombre_votes_ordinaires + 1));
    QVERIFY(soiree.fenetre().phase_finale());
}

// Une vérification plus stricte ne doit jamais refuser un fichier que le jeu écrit.
void TestGraines::graines_acceptees()
{
    const QDir dossier(QStringLiteral(DOSSIER_GRAINES));
    const QStringList graines = dossier.entryList({QStringLiteral("*.txt")}, QDir::Files);
    QVERIFY(!graines.isEmpty());
    for (const QString& graine : graines) {
        QFile fichier(dossier.filePath(graine));
        QVERIFY(fichier.open(QIODevice::ReadOnly | QIODevice::Text));
        QVERIFY2(FichierSauvegarde::lire(fichier).has_value(), qPrintable(graine));
    }
}

void TestGraines::partie_sans_code()
{
    Soiree soiree;
    ETAPE(commencer(soiree));
    ETAPE(jouer_jusqu_au_vote_final(soiree, QStringLiteral("sans_code")));
}

// Un accusé en jeu se sert du code avant le vote 6 : il est écarté en plus.
void TestGraines::code_qui_ecarte_au_vote_2()
{
    Soiree soiree;
    ETAPE(commencer(soiree));
    ETAPE(jouer_jusqu_au_vote(soiree, QStringLiteral("code_ecarte"), 2));
    utiliser_code(soiree, premier(soiree, false));
    ETAPE(jouer_jusqu_au_vote_final(soiree, QStringLiteral("code_ecarte")));
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), int(SecondeChance::annonce));
}

// Un écarté s'en sert au vote 6 : il revient en jeu, le tirage peut l'écarter de nouveau.
void TestGraines::code_qui_rehabilite_au_vote_6()
{
    Soiree soiree;
    ETAPE(commencer(soiree));
    ETAPE(jouer_jusqu_au_vote(soiree, QStringLiteral("code_rehabilite"), 6));
    utiliser_code(soiree, premier(soiree, true));
    ETAPE(jouer_jusqu_au_vote_final(soiree, QStringLiteral("code_rehabilite")));
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), int(SecondeChance::annonce));
}

TEST_SORDANE_MAIN(TestGraines)
#include "test_graines.moc"
