// Détruire la fenêtre revient toujours, quel que soit l'état de ses sons : en cours de chargement, en train de jouer, sans serveur de son.
#include "garde_messages.h"
#include "mainwindow.h"
#include "serveur_son.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

namespace {
// Sous temps accéléré, 2 s de jeu font 20 ms réelles : la fenêtre est détruite
// aussi bien avant que ses sons soient chargés que pendant l'introduction.
constexpr int vie_max_ms = 2000;
constexpr int fenetres_sans_serveur = 60;
constexpr int fenetres_avec_serveur = 150;
// Destruction d'une fenêtre : largement au-dessus de ce qu'elle prend sur une machine chargée.
constexpr int destruction_max_ms = 60000;
constexpr quint32 graine = 20261210;
}

class TestDestruction : public QObject
{
    Q_OBJECT

    ServeurSon serveur;
    QRandomGenerator hasard{graine};

    void creer_et_detruire(int nombre);

private slots:
    void initTestCase();
    void sans_serveur_de_son();
    void sons_en_train_de_jouer();
};

void TestDestruction::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

// Une fenêtre sur deux lance une partie : ses sons partent, la séquence attend
// dans ses boucles, et l'arrêt de l'application la déroule comme à la fermeture.
void TestDestruction::creer_et_detruire(int nombre)
{
    for (int n = 0; n < nombre; ++n) {
        auto* fenetre = new MainWindow;
        fenetre->show();
        const int vie_ms = hasard.bounded(vie_max_ms);
        if (hasard.bounded(2) == 0)
            QTimer::singleShot(hasard.bounded(vie_ms + 1), fenetre,
                               [fenetre] { fenetre->findChild<QPushButton*>("bouton_test")->click(); });
        QTimer::singleShot(vie_ms, qApp, &QCoreApplication::quit);
        qApp->exec();
        QElapsedTimer chrono;
        chrono.start();
        delete fenetre;
        QVERIFY2(chrono.elapsed() < destruction_max_ms,
                 qPrintable(QStringLiteral("fenêtre %1 détruite en %2 ms").arg(n).arg(chrono.elapsed())));
    }
}

void TestDestruction::sans_serveur_de_son()
{
    creer_et_detruire(fenetres_sans_serveur);
}

void TestDestruction::sons_en_train_de_jouer()
{
    const QString echec = serveur.demarrer();
    if (!echec.isEmpty())
        QSKIP(qPrintable(echec));
    // Les connexions au son suivantes se font sur ce serveur.
    qputenv("PULSE_SERVER", serveur.adresse().toLocal8Bit());
    creer_et_detruire(fenetres_avec_serveur);
}

TEST_SORDANE_MAIN(TestDestruction)
#include "test_destruction.moc"
