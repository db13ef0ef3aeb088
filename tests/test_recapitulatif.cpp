// Le récapitulatif en PDF, écrit à côté du rapport : relu en texte (pdftotext),
// chacun de ses chiffres est celui du rapport, pour une partie d'exemple aux
// bulletins finaux variés et pour deux parties jouées jusqu'à la page de fin.
#include "garde_messages.h"
#include "partie_courte.h"
#include "partie_exemple.h"
#include "pdf_en_texte.h"
#include "soiree.h"

#include "accuse.h"
#include "demarrage.h"
#include "rapport.h"
#include "recapitulatif.h"

#include <QDate>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>

using namespace PartieCourte;

namespace {
constexpr int nombre_accuses = 9;
const QString case_vide = QStringLiteral("-");
const QString titre_final = QStringLiteral("********** Vote final **********");
const QString un_ecarte = QStringLiteral("L'accuse ecarte a l'issue de ce vote est : ");
const QString plusieurs_ecartes = QStringLiteral("Les accuses ecartes a l'issue de ce vote sont : ");
const QString premier_sauve_csv = QStringLiteral("A l'issue des premiers votes le premier accuse sauve est : ");
const QString deuxieme_sauve_csv = QStringLiteral("A l'issue du vote final le deuxieme accuse sauve est : ");

// Le texte du PDF, mis en page comme à l'écran : une chaîne par page.
QStringList pages_du_pdf(const QString& chemin)
{
    QStringList pages = pdf_en_texte(chemin, {QStringLiteral("-layout")}, limite_attente_ms).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QStringList mots(const QString& ligne)
{
    return ligne.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Les mots de la ligne de la page qui commence par ce nom et en compte autant.
QStringList rangee(const QString& page, const QString& nom, int nombre_de_mots)
{
    for (const QString& ligne : page.split(QLatin1Char('\n'))) {
        const QStringList m = mots(ligne);
        if (m.size() == nombre_de_mots && m.first() == nom)
            return m.mid(1);
    }
    return {};
}

bool contient_ligne(const QString& page, const QString& texte)
{
    for (const QString& ligne : page.split(QLatin1Char('\n')))
        if (ligne.trimmed() == texte)
            return true;
    return false;
}

// Les noms d'une phrase du PDF « Début : A, B », s'il y en a une.
QStringList noms_apres(const QString& page, const QString& debut)
{
    for (const QString& ligne : page.split(QLatin1Char('\n')))
        if (ligne.trimmed().startsWith(debut))
            return ligne.trimmed().mid(debut.size()).split(QStringLiteral(", "));
    return {};
}

// Champs 1 à 9 d'une ligne du rapport, les vides en tirets comme dans le PDF.
QStringList colonnes(const QString& ligne_csv)
{
    QStringList champs = ligne_csv.split(QLatin1Char(';')).mid(1, nombre_accuses);
    while (champs.size() < nombre_accuses)
        champs.append(QString());
    for (QString& champ : champs)
        if (champ.isEmpty())
            champ = case_vide;
    return champs;
}

QString nom_de_la_ligne(const QString& ligne_csv)
{
    return ligne_csv.section(QLatin1Char(' '), 2, 2);
}

QString apres(const QStringList& lignes, const QString& debut)
{
    for (const QString& ligne : lignes)
        if (ligne.startsWith(debut))
            return ligne.mid(debut.size());
    return {};
}

// Les écartés du vote et l'usage du code, tels que le rapport les dit.
QStringList ecartes_du_bloc(const QStringList& bloc)
{
    for (const QString& debut : {un_ecarte, plusieurs_ecartes}) {
        const QString noms = apres(bloc, debut);
        if (!noms.isEmpty())
            return noms.split(QStringLiteral(", "));
    }
    return {};
}

void comparer_vote(const QString& page, const QStringList& bloc, int numero)
{
    QVERIFY2(contient_ligne(page, QStringLiteral("Vote %1").arg(numero)), qPrintable(page));
    const QStringList totaux = colonnes(bloc[13]);
    QCOMPARE(rangee(page, QStringLiteral("Total"), 1 + nombre_accuses), totaux);
    const QStringList noms = bloc[2].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (int i = 0; i < nombre_accuses; ++i) {
        const QString& ligne_csv = bloc[4 + i];
        QCOMPARE(rangee(page, noms[i], 2), QStringList{totaux[i]});
        QStringList attendu;
        for (int colonne = 0; colonne < nombre_accuses; ++colonne)
            attendu.append(case_vide);
        attendu[ligne_csv.count(QLatin1Char(';')) - 1] = QStringLiteral("1");
        QCOMPARE(rangee(page, nom_de_la_ligne(ligne_csv), 1 + nombre_accuses), attendu);
    }
    QStringList ecartes_pdf = noms_apres(page, QStringLiteral("Écarté par le vote : "))
        + noms_apres(page, QStringLiteral("Écarté par le code de la seconde chance : "));
    QStringList ecartes_csv = ecartes_du_bloc(bloc);
    ecartes_pdf.sort();
    ecartes_csv.sort();
    QCOMPARE(ecartes_pdf, ecartes_csv);

    const QString seconde_chance = apres(bloc, QStringLiteral("Pendant le vote, "));
    const QString utilisateur = seconde_chance.section(QLatin1Char(' '), 0, 0);
    QCOMPARE(noms_apres(page, QStringLiteral("Réhabilité par le code de la seconde chance : ")),
             seconde_chance.contains(QStringLiteral("bon escient")) ? QStringList{utilisateur} : QStringList{});
    QCOMPARE(noms_apres(page, QStringLiteral("Code de la seconde chance utilisé sans effet : ")),
             seconde_chance.contains(QStringLiteral("aucun effet")) ? QStringList{utilisateur} : QStringList{});
    if (seconde_chance.contains(QStringLiteral("mauvais escient")))
        QCOMPARE(noms_apres(page, QStringLiteral("Écarté par le code de la seconde chance : ")),
                 QStringList{utilisateur});
}

void comparer_vote_final(const QString& page, const QStringList& lignes)
{
    const int titre = lignes.indexOf(titre_final);
    QVERIFY(titre > 0);
    QVERIFY(contient_ligne(page, QStringLiteral("Vote final")));
    QVERIFY(contient_ligne(page, QStringLiteral("Premier sauvé : ") + apres(lignes, premier_sauve_csv)));
    for (int i = 0; i < nombre_accuses; ++i) {
        const QString& ligne_csv = lignes[titre + 4 + i];
        QCOMPARE(rangee(page, nom_de_la_ligne(ligne_csv), 1 + nombre_accuses), colonnes(ligne_csv));
    }
    const QStringList points = colonnes(lignes[titre + 13]);
    QCOMPARE(rangee(page, QStringLiteral("Points"), 1 + nombre_accuses), points);

    // Du moins au plus de points, le deuxième sauvé en tête.
    const QStringList noms = lignes[titre + 2].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QRegularExpression place(QStringLiteral("^(\\d+)\\. (\\S+) : (\\d+) points"));
    QStringList ordre;
    int precedents = -1;
    for (const QString& ligne : page.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch trouve = place.match(ligne.trimmed());
        if (!trouve.hasMatch())
            continue;
        QCOMPARE(trouve.captured(1).toInt(), ordre.size() + 1);
        const int ses_points = trouve.captured(3).toInt();
        QCOMPARE(QString::number(ses_points), points[noms.indexOf(trouve.captured(2))]);
        QVERIFY(ses_points >= precedents);
        precedents = ses_points;
        ordre.append(trouve.captured(2));
    }
    QCOMPARE(ordre.size(), nombre_accuses - 1);
    QCOMPARE(ordre.first(), lignes.last().mid(deuxieme_sauve_csv.size()));
}

// Toutes les pages du PDF contre le rapport de la même partie.
void comparer(const QString& chemin_pdf, const QString& rapport, int numero_vote, const QDate& date)
{
    const QStringList pages = pages_du_pdf(chemin_pdf);
    QCOMPARE(pages.size(), numero_vote + 2);
    const QStringList lignes = rapport.split(QLatin1Char('\n'));
    const QString& garde = pages.first();
    QVERIFY(contient_ligne(garde, QStringLiteral("Partie du ") + date.toString(QStringLiteral("dd/MM/yyyy"))));
    QVERIFY(contient_ligne(garde, QStringLiteral("Votes tenus : %1, puis le vote final").arg(numero_vote)));
    QVERIFY(contient_ligne(garde, QStringLiteral("Premier sauvé : ") + apres(lignes, premier_sauve_csv)));
    QVERIFY(contient_ligne(garde, QStringLiteral("Deuxième sauvé : ") + lignes.last().mid(deuxieme_sauve_csv.size())));
    for (int numero = 1; numero <= numero_vote; ++numero) {
        const QStringList bloc =
            Soiree::bloc_du_rapport(lignes, QStringLiteral("********** Vote %1 **********").arg(numero));
        QVERIFY(bloc.size() > 15);
        comparer_vote(pages[numero], bloc, numero);
        if (QTest::currentTestFailed())
            return;
    }
    comparer_vote_final(pages.last(), lignes);
}
}

class TestRecapitulatif : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void chemin_a_cote_data();
    void chemin_a_cote();
    void partie_exemple_relue();
    void dossier_introuvable();
    void partie_jouee_data();
    void partie_jouee();

private:
    std::unique_ptr<Soiree> soiree;
    QTemporaryDir dossier;
};

void TestRecapitulatif::initTestCase()
{
    QVERIFY(dossier.isValid());
    Demarrage::charger_polices();
}

void TestRecapitulatif::cleanup()
{
    soiree.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestRecapitulatif::chemin_a_cote_data()
{
    QTest::addColumn<QString>("rapport");
    QTest::addColumn<QString>("recapitulatif");
    QTest::newRow("csv") << "/soiree/rapport.csv" << "/soiree/rapport.pdf";
    QTest::newRow("CSV en majuscules") << "/soiree/Rapport.CSV" << "/soiree/Rapport.pdf";
    QTest::newRow("points dans le nom") << "/soiree/partie.2026.csv" << "/soiree/partie.2026.pdf";
    QTest::newRow("sans extension") << "/soiree/rapport" << "/soiree/rapport.pdf";
    QTest::newRow("autre extension") << "/soiree/notes.txt" << "/soiree/notes.txt.pdf";
    // Le rapport lui-même n'est jamais remplacé par son récapitulatif.
    QTest::newRow("rapport nommé en .pdf") << "/soiree/rapport.pdf" << "/soiree/rapport.pdf.pdf";
}

void TestRecapitulatif::chemin_a_cote()
{
    QFETCH(QString, rapport);
    QFETCH(QString, recapitulatif);
    QCOMPARE(Recapitulatif::chemin_a_cote(rapport), recapitulatif);
}

// Neuf votes, une réhabilitation, des bulletins finaux et des pénalités.
void TestRecapitulatif::partie_exemple_relue()
{
    const PartieExemple partie;
    const QDate date(2026, 12, 10);
    const QString chemin = dossier.filePath(QStringLiteral("exemple.pdf"));
    QVERIFY(Recapitulatif::ecrire(chemin, partie.accuses, partie.numero_vote, partie.temps_votes, date));
    const QString rapport = Rapport::texte(partie.accuses, partie.numero_vote, date);
    QVERIFY(rapport.contains(QStringLiteral("a bon escient")));
    QVERIFY(rapport.contains(QStringLiteral(";15;")));
    comparer(chemin, rapport, partie.numero_vote, date);
    const QStringList pages = pages_du_pdf(chemin);
    QVERIFY(contient_ligne(pages[1], QStringLiteral("Durée : 25 min")));
    QVERIFY(contient_ligne(pages[9], QStringLiteral("Durée : 10 min")));
}

void TestRecapitulatif::dossier_introuvable()
{
    const PartieExemple partie;
    const QString chemin = dossier.filePath(QStringLiteral("absent/exemple.pdf"));
    QVERIFY(!Recapitulatif::ecrire(chemin, partie.accuses, partie.numero_vote, partie.temps_votes, QDate::currentDate()));
    QVERIFY(!QFile::exists(chemin));
}

void TestRecapitulatif::partie_jouee_data()
{
    QTest::addColumn<int>("vote_du_code");
    QTest::addColumn<bool>("utilisateur_ecarte");
    QTest::addColumn<int>("votes_tenus");
    QTest::addColumn<bool>("pdf_bloque");
    QTest::newRow("réhabilitation au vote 6") << 6 << true << 9 << false;
    QTest::newRow("le code écarte son utilisateur au vote 1") << 1 << false << 7 << false;
    // Un dossier porte déjà le nom du PDF : le rapport est écrit, l'échec du PDF dit à part.
    QTest::newRow("PDF impossible, rapport intact") << 1 << false << 7 << true;
}

// Une partie du mode test jouée jusqu'à la page de fin, le rapport enregistré
// par son bouton : le PDF est à côté du fichier CSV, et dit les mêmes chiffres.
void TestRecapitulatif::partie_jouee()
{
    QFETCH(int, vote_du_code);
    QFETCH(bool, utilisateur_ecarte);
    QFETCH(int, votes_tenus);
    QFETCH(bool, pdf_bloque);
    soiree = std::make_unique<Soiree>();
    MainWindow& fenetre = soiree->fenetre();
    QVERIFY(jouer_avec_le_code(*soiree, vote_du_code, utilisateur_ecarte) >= 0);
    QVERIFY(finir(*soiree));
    QCOMPARE(fenetre.get_numero_vote(), votes_tenus);

    const QTemporaryDir ici;
    const QString chemin_csv = ici.filePath(QStringLiteral("rapport.csv"));
    const QString chemin_pdf = ici.filePath(QStringLiteral("rapport.pdf"));
    if (pdf_bloque)
        QVERIFY(QDir().mkdir(chemin_pdf));
    QString avertissement;
    Soiree::repondre<QFileDialog>([&](QFileDialog* dialogue) {
        if (pdf_bloque)
            Soiree::repondre<QMessageBox>([&](QMessageBox* boite) {
                avertissement = boite->text();
                boite->accept();
            });
        Soiree::taper_chemin(dialogue, chemin_csv);
    });
    soiree->bouton("bouton_rapport")->click();

    QFile csv(chemin_csv);
    QVERIFY(csv.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString rapport = QTextStream(&csv).readAll();
    const QDate date = QDate::currentDate();
    QCOMPARE(rapport, Rapport::texte(fenetre.get_accuses(), votes_tenus, date));
    if (pdf_bloque) {
        QCOMPARE(avertissement, QStringLiteral("Le récapitulatif en PDF n'a pas pu être enregistré."));
        QVERIFY(QFileInfo(chemin_pdf).isDir());
        return;
    }
    QVERIFY(avertissement.isEmpty());
    comparer(chemin_pdf, rapport, votes_tenus, date);
}

TEST_SORDANE_MAIN(TestRecapitulatif)
#include "test_recapitulatif.moc"
