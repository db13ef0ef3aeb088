// Le programme fait vraiment du bruit : sur un PulseAudio privé, chaque son se charge et un nom joué par QSound s'entend sur la sortie.
#include "garde_messages.h"
#include "serveur_son.h"
#include "sons_attendus.h"
#include "sons_retenus.h"

#include <QProcess>
#include <QSound>
#include <QSoundEffect>
#include <QtEndian>
#include <QtTest>

#include <cmath>

namespace {
constexpr int chargement_ms = 5000;
// Un nom dure moins d'une seconde : au-delà, rien ne viendra plus.
constexpr int ecoute_max_ms = 4000;
constexpr int taux_ecoute = 22050;
constexpr int fenetre_echantillons = taux_ecoute / 20;
// Niveau efficace au-dessus duquel une fenêtre de 50 ms n'est pas du silence (sur 32768).
constexpr double seuil_rms = 300.0;

double plus_forte_fenetre(const QByteArray& brut)
{
    const int n = brut.size() / 2;
    double meilleur = 0.0;
    for (int debut = 0; debut + fenetre_echantillons <= n; debut += fenetre_echantillons) {
        double somme = 0.0;
        for (int i = debut; i < debut + fenetre_echantillons; ++i) {
            const double e = qFromLittleEndian<qint16>(brut.constData() + 2 * i);
            somme += e * e;
        }
        meilleur = qMax(meilleur, std::sqrt(somme / fenetre_echantillons));
    }
    return meilleur;
}
}

class TestLectureSon : public QObject {
    Q_OBJECT

    ServeurSon serveur;

private slots:
    void initTestCase();
    void cleanupTestCase();
    void chaque_son_se_charge_data();
    void chaque_son_se_charge();
    void un_nom_joue_s_entend_sur_la_sortie();
};

void TestLectureSon::initTestCase()
{
    const QString echec = serveur.demarrer();
    if (!echec.isEmpty())
        QSKIP(qPrintable(echec + QStringLiteral(" : lecture non vérifiée")));
    // Le son est l'objet de ce test : une plainte de PulseAudio y est un échec.
    GardeMessages::exiger_le_son();
    // Lu par Qt à sa première connexion au son, qui n'a pas encore eu lieu.
    qputenv("PULSE_SERVER", serveur.adresse().toLocal8Bit());
    // Comme le jeu : chaque essai crée et détruit un son sans jamais libérer son échantillon.
    Sons::retenir_tous();
}

// Les sons retenus jusqu'à la fin du programme perdent leur serveur : leurs
// plaintes sont alors attendues.
void TestLectureSon::cleanupTestCase()
{
    GardeMessages::exiger_le_son(false);
    serveur.arreter();
}

void TestLectureSon::chaque_son_se_charge_data()
{
    QTest::addColumn<QString>("chemin");
    for (const SonAttendu& son : sons_attendus())
        QTest::newRow(qPrintable(son.chemin)) << son.chemin;
}

// Même source que celle que QSound donne à son QSoundEffect.
void TestLectureSon::chaque_son_se_charge()
{
    QFETCH(QString, chemin);
    QSoundEffect effet;
    effet.setSource(QUrl::fromLocalFile(chemin));
    QTRY_COMPARE_WITH_TIMEOUT(effet.status(), QSoundEffect::Ready, chargement_ms);
}

void TestLectureSon::un_nom_joue_s_entend_sur_la_sortie()
{
    QProcess ecoute;
    ecoute.start(QStringLiteral("parec"), {
        QStringLiteral("--server=") + serveur.adresse(), QStringLiteral("--device=") + ServeurSon::sortie + QStringLiteral(".monitor"),
        QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
        QStringLiteral("--rate=%1").arg(taux_ecoute), QStringLiteral("--latency-msec=20"),
    });
    QVERIFY(ecoute.waitForStarted());
    // L'écoute est en place quand le moniteur livre ses premiers échantillons (du silence).
    QByteArray enregistre;
    QVERIFY(QTest::qWaitFor([&] { enregistre += ecoute.readAllStandardOutput(); return !enregistre.isEmpty(); },
                            chargement_ms));
    QCOMPARE(plus_forte_fenetre(enregistre) < seuil_rms, true);

    QSound nom(QStringLiteral(":/Sons/Noms_d_animaux/Accuserat.wav"));
    nom.play();
    const bool entendu = QTest::qWaitFor([&] {
        enregistre += ecoute.readAllStandardOutput();
        return plus_forte_fenetre(enregistre) > seuil_rms;
    }, ecoute_max_ms);
    ServeurSon::arreter(ecoute);
    QVERIFY2(entendu, qPrintable(QStringLiteral("silence sur la sortie : niveau %1 sur %2 octets")
                                     .arg(plus_forte_fenetre(enregistre)).arg(enregistre.size())));
}

TEST_SORDANE_MAIN(TestLectureSon)
#include "test_lecture_son.moc"
