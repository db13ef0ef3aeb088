// Les comptes à rebours se lisent sur les compteurs eux-mêmes pendant une vraie
// soirée : 25:00 à l'ouverture du vote 1, 24:59 une seconde après, 04:00 avec le
// rappel puis 03:59, 00:00 à la clôture ; le temps restant changé dans les
// options se voit à la seconde suivante.
#include "garde_messages.h"
#include "soiree.h"

#include "demarrage.h"
#include "fenetre_options.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QLCDNumber>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>

namespace {
constexpr int page_intervote = 1;
constexpr int page_resultats = 2;
constexpr int une_minute_ms = 60000;
// Un vote 1 entier, 25 minutes de jeu, avec de la marge pour une machine chargée.
constexpr int limite_vote_ms = 60 * une_minute_ms;
const QString code_admin = QStringLiteral("margot");

enum Compteur { temps, temps_ecarte, temps_ecarte_2, temps_vote, temps_vote_final };
const char* const noms_compteurs[] = {"compteur_temps", "compteur_temps_ecarte", "compteur_temps_ecarte_2",
                                      "compteur_temps_vote", "compteur_temps_vote_final"};
// Les textes guettés ; tout autre affichage se lit comme un texte vide.
const QStringList textes_guettes = {"25:00", "24:59", "04:00", "03:59", "02:59", "00:30", "00:29", "00:00"};

// Ce que montraient les compteurs à un instant : juste après une seconde d'un
// compte à rebours, ou juste après un changement de page.
struct Releve {
    double instant;
    bool seconde;
    int page;
    QStringList textes;
};
}

class TestCompteurs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void vote_1_lu_sur_les_compteurs();
    void temps_restant_change_dans_les_options();
    void cleanupTestCase();

private:
    QLCDNumber* compteur(Compteur c) const { return soiree->widget<QLCDNumber>(noms_compteurs[c]); }
    QString texte_lu(QLCDNumber* lu);
    void relever(bool seconde);
    QStringList suite(Compteur c) const;
    const Releve* premiere_seconde_depuis(int releve) const;
    int regler_temps_restant(const QString& minutes);

    Soiree* soiree = nullptr;
    QList<Releve> releves;
    QHash<QString, QImage> images_temoins;
    double instant_validation = -1;
};

// QLCDNumber ne rend pas le texte qu'il affiche : on le lit sur son image. Un
// témoin de même forme, posé à côté de lui, affiche chaque texte guetté ; les
// images identiques disent le texte.
QString TestCompteurs::texte_lu(QLCDNumber* lu)
{
    const QImage image = lu->grab().toImage();
    for (const QString& texte : textes_guettes) {
        const QString cle = texte + QLatin1Char('/') + QString::number(lu->width()) + QLatin1Char('x')
            + QString::number(lu->height());
        if (!images_temoins.contains(cle)) {
            QLCDNumber temoin(lu->parentWidget());
            temoin.setDigitCount(lu->digitCount());
            temoin.setSegmentStyle(lu->segmentStyle());
            temoin.setFrameShape(lu->frameShape());
            temoin.setFrameShadow(lu->frameShadow());
            temoin.resize(lu->size());
            temoin.display(texte);
            images_temoins.insert(cle, temoin.grab().toImage());
        }
        if (images_temoins.value(cle) == image)
            return texte;
    }
    return QString();
}

void TestCompteurs::relever(bool seconde)
{
    Releve releve{soiree->maintenant(), seconde, soiree->page(), {}};
    for (int c = temps; c <= temps_vote_final; ++c)
        releve.textes.append(texte_lu(compteur(Compteur(c))));
    releves.append(releve);
}

// Les textes successifs d'un compteur, chacun noté une fois à son apparition.
QStringList TestCompteurs::suite(Compteur c) const
{
    QStringList textes;
    for (const Releve& releve : releves)
        if (textes.isEmpty() || textes.last() != releve.textes[c])
            textes.append(releve.textes[c]);
    return textes;
}

const Releve* TestCompteurs::premiere_seconde_depuis(int releve) const
{
    for (int i = releve; i < releves.size(); ++i)
        if (releves[i].seconde)
            return &releves[i];
    return nullptr;
}

// Échap, « Options », le code, puis le temps du vote en cours tapé au clavier.
// Rend le rang du premier relevé qui suit la validation, et en note l'instant.
int TestCompteurs::regler_temps_restant(const QString& minutes)
{
    int validation = -1;
    QTimer reponse;
    Soiree::repondre_par_les_options(reponse, [&](Fenetre_options* options) {
        const auto bouton = [options](const char* nom) {
            return options->findChild<QPushButton*>(QLatin1String(nom));
        };
        QTest::keyClicks(options->findChild<QLineEdit*>(QStringLiteral("ligne_code_admin")), code_admin);
        bouton("bouton_ok_code_admin")->click();
        bouton("bouton_changer_temps_instant")->click();
        auto* champ = options->findChild<QLineEdit*>(QStringLiteral("ligne_nombre_minutes"));
        champ->clear();
        QTest::keyClicks(champ, minutes);
        bouton("bouton_valider_temps_en_cours")->click();
        validation = releves.size();
        instant_validation = soiree->maintenant();
        bouton("bouton_fermer")->click();
    });
    reponse.start();
    QTest::keyClick(&soiree->fenetre(), Qt::Key_Escape);
    return validation;
}

// Les relevés suivent les secondes des deux comptes à rebours (minuteurs d'une
// seconde, reliés après le jeu : ils lisent ce que la seconde vient d'afficher)
// et chaque changement de page, lu au tour de boucle suivant, une fois le
// compte à rebours de la page lancé.
void TestCompteurs::initTestCase()
{
    Demarrage::appliquer_feuille_de_style(*qApp);
    soiree = new Soiree;
    int minuteurs = 0;
    for (QTimer* minuteur : soiree->fenetre().findChildren<QTimer*>()) {
        if (minuteur->interval() != Duree::seconde_ms)
            continue;
        ++minuteurs;
        connect(minuteur, &QTimer::timeout, this, [this] { relever(true); });
    }
    QCOMPARE(minuteurs, 2);
    connect(soiree->widget<QStackedWidget>("stackedWidget"), &QStackedWidget::currentChanged, this,
            [this] { QTimer::singleShot(0, this, [this] { relever(false); }); });
}

// Un vote 1 entier hors mode test ; un joueur ouvre son bulletin dès l'ouverture
// et laisse passer ses 30 secondes.
void TestCompteurs::vote_1_lu_sur_les_compteurs()
{
    QTest::mouseClick(soiree->bouton("bouton_demarrer"), Qt::LeftButton);
    QVERIFY(soiree->attendre_page(page_intervote, limite_attente_ms));
    soiree->ouvrir_code();
    soiree->taper_code(Joueurs::codes[Joueurs::Cafard]);
    QVERIFY(soiree->attendre_page(page_resultats, limite_vote_ms));

    // Entre deux textes guettés, les autres secondes se lisent comme un texte vide.
    const QStringList fin_du_vote = {"04:00", "03:59", "", "02:59", "", "00:30", "00:29", "", "00:00"};
    QCOMPARE(suite(temps), QStringList({"", "25:00", "24:59", ""}) + fin_du_vote);
    // Sur les pages de bulletin, le temps du vote ne s'affiche qu'à sa première seconde.
    for (Compteur c : {temps_ecarte, temps_ecarte_2})
        QCOMPARE(suite(c), QStringList({"", "24:59", ""}) + fin_du_vote);
    QCOMPARE(suite(temps_vote), (QStringList{"", "00:30", "00:29", "", "00:00"}));
    QCOMPARE(suite(temps_vote_final), (QStringList{"", "00:29", "", "00:00"}));

    // Le rappel sonne à la seconde même où le compteur passe à 04:00.
    double rappel = -1;
    for (const Annonce& annonce : soiree->annonces())
        if (annonce.son == QLatin1String("4minpourvoter.wav"))
            rappel = annonce.instant;
    int passage = 0;
    while (passage < releves.size() && releves[passage].textes[temps] != QLatin1String("04:00"))
        ++passage;
    QVERIFY(passage > 0 && passage < releves.size());
    QVERIFY(releves[passage - 1].instant < rappel && rappel <= releves[passage].instant);

    // 00:00 ne s'affiche qu'avec la clôture du vote.
    for (const Releve& releve : releves)
        if (releve.textes[temps] == QLatin1String("00:00")) {
            QCOMPARE(releve.page, page_resultats);
            break;
        }
}

// Au vote 2 : 3 minutes données dans les options, le compteur montre 02:59 à la
// seconde suivante ; puis 0, et le vote se clôt à la seconde suivante.
void TestCompteurs::temps_restant_change_dans_les_options()
{
    QVERIFY(soiree->attendre_page(page_intervote, limite_attente_ms));
    QCOMPARE(soiree->fenetre().get_numero_vote(), 2);

    const int trois_minutes = regler_temps_restant(QStringLiteral("3"));
    QVERIFY(trois_minutes >= 0);
    QVERIFY(soiree->attendre([&] { return premiere_seconde_depuis(trois_minutes) != nullptr; }, limite_attente_ms));
    const Releve* suivante = premiere_seconde_depuis(trois_minutes);
    for (Compteur c : {temps, temps_ecarte, temps_ecarte_2})
        QCOMPARE(suivante->textes[c], QStringLiteral("02:59"));

    const int zero = regler_temps_restant(QStringLiteral("0"));
    QVERIFY(zero >= 0);
    QVERIFY(soiree->attendre([&] { return premiere_seconde_depuis(zero) != nullptr; }, limite_attente_ms));
    suivante = premiere_seconde_depuis(zero);
    QCOMPARE(suivante->page, page_resultats);
    for (Compteur c : {temps, temps_ecarte, temps_ecarte_2})
        QCOMPARE(suivante->textes[c], QStringLiteral("00:00"));
    const double cloture = soiree->instant_page(page_resultats, instant_validation);
    QVERIFY2(cloture - instant_validation < 1 + tolerance_s + soiree->retard_max(instant_validation, cloture),
             qPrintable(QStringLiteral("vote clos %1 s après la validation").arg(cloture - instant_validation)));
}

void TestCompteurs::cleanupTestCase()
{
    delete soiree;
}

TEST_SORDANE_MAIN(TestCompteurs)
#include "test_compteurs.moc"
