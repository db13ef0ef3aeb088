// Les cartes des joueurs, relues dans le PDF construit avec le jeu : chaque
// carte, découpée par pdftotext à sa place sur la page, porte le nom d'un
// accusé et son propre code, et la dernière le code de la seconde chance.
#include "garde_messages.h"
#include "pdf_en_texte.h"

#include "constantes.h"

#include <QtTest>

namespace {
constexpr int attente_pdftotext_ms = 30000;
// La page A4 et la grille des cartes, en points (1/72 de pouce), comme pdftotext les compte.
constexpr double points_par_mm = 72 / 25.4;
constexpr double largeur_page = 210 * points_par_mm;
constexpr double hauteur_page = 297 * points_par_mm;
constexpr double largeur_carte = 85 * points_par_mm;
constexpr double hauteur_carte = 54 * points_par_mm;
constexpr int colonnes = 2;
constexpr int rangees = 5;

QString texte(const QStringList& options)
{
    return pdf_en_texte(QStringLiteral(FICHIER_CARTES), options, attente_pdftotext_ms);
}

// Le texte de la carte numéro i, lue seule (un peu en retrait de ses bords).
QString texte_de_la_carte(int i)
{
    const double gauche = (largeur_page - colonnes * largeur_carte) / 2 + (i % colonnes) * largeur_carte;
    const double haut = (hauteur_page - rangees * hauteur_carte) / 2 + (i / colonnes) * hauteur_carte;
    const int retrait = 3;
    return texte({"-x", QString::number(qRound(gauche) + retrait), "-y", QString::number(qRound(haut) + retrait),
                  "-W", QString::number(qRound(largeur_carte) - 2 * retrait), "-H",
                  QString::number(qRound(hauteur_carte) - 2 * retrait)})
        .simplified();
}
}

class TestCartes : public QObject
{
    Q_OBJECT

private slots:
    void une_seule_page();
    void une_carte_par_accuse_data();
    void une_carte_par_accuse();
    void carte_de_la_seconde_chance();
};

void TestCartes::une_seule_page()
{
    const QString tout = texte({});
    QVERIFY2(!tout.isEmpty(), "pdftotext ne lit pas " FICHIER_CARTES);
    QCOMPARE(tout.count(QLatin1Char('\f')), 1);
}

void TestCartes::une_carte_par_accuse_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        QTest::newRow(roster[i].nom) << i;
}

void TestCartes::une_carte_par_accuse()
{
    QFETCH(int, index);
    const QString carte = texte_de_la_carte(index);
    const QStringList mots = carte.split(QLatin1Char(' '));
    QVERIFY2(mots.contains(QString::fromUtf8(roster[index].nom)), qPrintable(carte));
    QVERIFY2(mots.contains(QString::fromUtf8(roster[index].code)), qPrintable(carte));
    QVERIFY2(carte.contains(QStringLiteral("Code personnel")), qPrintable(carte));
    // Aucun autre code sur cette carte : un joueur ne reçoit que le sien.
    for (int autre = 0; autre < Jeu::nombre_accuses; ++autre)
        if (autre != index)
            QVERIFY2(!mots.contains(QString::fromUtf8(roster[autre].code)), qPrintable(carte));
    QVERIFY(!mots.contains(QString::fromUtf8(code_de_la_seconde_chance)));
}

void TestCartes::carte_de_la_seconde_chance()
{
    const QString carte = texte_de_la_carte(Jeu::nombre_accuses);
    QVERIFY2(carte.contains(QStringLiteral("Code de la seconde chance")), qPrintable(carte));
    QVERIFY2(carte.split(QLatin1Char(' ')).contains(QString::fromUtf8(code_de_la_seconde_chance)), qPrintable(carte));
    for (const FicheAccuse& fiche : roster)
        QVERIFY2(!carte.contains(QString::fromUtf8(fiche.code)), qPrintable(carte));
}

TEST_SORDANE_MAIN(TestCartes)
#include "test_cartes.moc"
