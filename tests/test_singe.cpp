// Des parties entières en mode test, jouées au hasard par une salle qui fait n'importe quoi,
// vont toutes jusqu'à la page de fin sans que l'état du jeu se contredise, et leur rapport tombe juste.
#include "garde_messages.h"
#include "singe.h"

#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdio>

namespace {
// Graines jouées par défaut (trois parties, moins de deux minutes) ; SINGE_GRAINE=12,34 rejoue celles-là à la place.
const QList<quint32> graines_par_defaut = {1, 2, 3};
// Au-delà, la partie est déclarée sans fin (temps du jeu : près de trois heures).
constexpr int limite_partie_ms = 3 * 3600 * 1000;

// Le greffon minimal se plaint à chaque fenêtre modale : ce bruit est tu.
QtMessageHandler gestionnaire_de_qt_test = nullptr;

void taire_le_greffon(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        gestionnaire_de_qt_test(type, contexte, message);
}
}

class TestSinge : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void partie_data();
    void partie();
    void message_du_kiosque_sous_la_boite_quitter();
    void cleanupTestCase();

private:
    QTemporaryDir dossier;
    int parties = 0;
    int etapes = 0;
    int defauts = 0;
};

void TestSinge::initTestCase()
{
    QVERIFY(dossier.isValid());
    gestionnaire_de_qt_test = qInstallMessageHandler(taire_le_greffon);
}

void TestSinge::partie_data()
{
    QTest::addColumn<quint32>("graine");
    QList<quint32> graines = graines_par_defaut;
    const QString demandees = qEnvironmentVariable("SINGE_GRAINE");
    if (!demandees.isEmpty()) {
        graines.clear();
        for (const QString& graine : demandees.split(QLatin1Char(','), Qt::SkipEmptyParts))
            graines.append(graine.trimmed().toUInt());
    }
    for (quint32 graine : graines)
        QTest::newRow(qPrintable(QStringLiteral("graine %1").arg(graine))) << graine;
}

void TestSinge::partie()
{
    QFETCH(quint32, graine);
    Soiree soiree;
    QVERIFY(QTest::qWaitForWindowExposed(&soiree.fenetre()));
    Singe singe(soiree, graine, dossier.path());
    singe.jouer(limite_partie_ms);
    ++parties;
    etapes += singe.etapes();
    std::printf("graine %u : %d étapes, %d votes ordinaires, fin %s à %.0f s de jeu\n", graine, singe.etapes(),
                soiree.fenetre().get_numero_vote(), singe.partie_finie() ? "atteinte" : "non atteinte",
                soiree.maintenant());
    QStringList distincts = singe.avertissements();
    distincts.removeDuplicates();
    for (const QString& alerte : qAsConst(distincts))
        std::printf("  avertissement de Qt (%d fois) : %s\n", int(singe.avertissements().count(alerte)), qPrintable(alerte));
    std::fflush(stdout);
    defauts += singe.defauts_constates().size();
    QVERIFY2(singe.defauts_constates().isEmpty(), qPrintable(singe.defauts_constates().join(QStringLiteral("\n\n"))));
    QVERIFY2(singe.partie_finie(), qPrintable(QStringLiteral("graine %1 : pas de page de fin").arg(graine)));
    const QString rapport = singe.verifier_rapport();
    QVERIFY2(rapport.isEmpty(), qPrintable(QStringLiteral("graine %1, rapport : %2").arg(graine).arg(rapport)));
}

// Le défaut trouvé par le singe, rejoué pas à pas : un code faux, Échap pendant
// « Code invalide ! », la boîte « Quitter » laissée ouverte jusqu'aux résultats
// du vote. L'attente du message n'est pas finie quand les résultats en ouvrent
// une à leur tour.
void TestSinge::message_du_kiosque_sous_la_boite_quitter()
{
    constexpr int pendant_le_message_ms = 500;
    constexpr int boite_ouverte_ms = 30000;
    Soiree soiree;
    QTest::mouseClick(soiree.bouton("bouton_test"), Qt::LeftButton);
    QVERIFY(soiree.attendre_page(Page::intervote, limite_attente_ms));
    bool boite_vue = false;
    QTimer::singleShot(pendant_le_message_ms, &soiree.fenetre(), [&] {
        QTimer::singleShot(0, &soiree.fenetre(), [&] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            boite_vue = boite != nullptr;
            soiree.fenetre().set_temps_restant_intervote(1);
            QTimer::singleShot(boite_ouverte_ms, boite, [boite] { boite->button(QMessageBox::No)->click(); });
        });
        QTest::keyClick(&soiree.fenetre(), Qt::Key_Escape);
    });
    soiree.ouvrir_code();
    soiree.taper_code(QStringLiteral("faux"));
    QVERIFY(boite_vue);
    QVERIFY(soiree.attendre_page(Page::intervote, limite_attente_ms));
    const QStringList relancees = soiree.avertissements().filter(QStringLiteral("already called exec"));
    QVERIFY2(relancees.isEmpty(), qPrintable(relancees.join(QLatin1Char('\n'))));
}

void TestSinge::cleanupTestCase()
{
    qInstallMessageHandler(gestionnaire_de_qt_test);
    std::printf("singe : %d parties, %d étapes, %d défauts\n", parties, etapes, defauts);
    std::fflush(stdout);
}

TEST_SORDANE_MAIN(TestSinge)
#include "test_singe.moc"
