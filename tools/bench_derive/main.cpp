// Dérive d'un vrai compte à rebours de 5 minutes par rapport à l'horloge murale.
// Le jeu est lancé en mode test comme par l'organisateur ; dès l'ouverture du
// vote 1, le temps restant est fixé à 300 s (comme le ferait la fenêtre
// d'options) et l'on chronomètre jusqu'à la clôture du vote. Dure environ 9 min
// (233 s d'introduction, puis 300 s). À lancer sur une machine au repos.
#include "mainwindow.h"

#include <QApplication>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <chrono>

namespace {
constexpr int compte_a_rebours_s = 300;
constexpr int page_intervote = 1;
constexpr int page_resultats = 2;
}

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    MainWindow fenetre;
    fenetre.show();
    fenetre.initialiser_affichage();

    auto* pages = fenetre.findChild<QStackedWidget*>(QStringLiteral("stackedWidget"));
    std::chrono::steady_clock::time_point debut;
    bool mesure_en_cours = false;
    QObject::connect(pages, &QStackedWidget::currentChanged, [&](int page) {
        if (page == page_intervote && !mesure_en_cours) {
            // Juste après le démarrage du compte à rebours du vote 1, avant sa première seconde.
            QTimer::singleShot(0, [&] {
                fenetre.set_temps_restant_intervote(compte_a_rebours_s);
                debut = std::chrono::steady_clock::now();
                mesure_en_cours = true;
            });
        } else if (page == page_resultats && mesure_en_cours) {
            const double mesure_s = std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
            QTextStream(stdout) << QStringLiteral("Compte à rebours de %1 s : %2 s à l'horloge murale, dérive %3 s\n")
                                       .arg(compte_a_rebours_s)
                                       .arg(mesure_s, 0, 'f', 3)
                                       .arg(mesure_s - compte_a_rebours_s, 0, 'f', 3);
            application.quit();
        }
    });
    QTimer::singleShot(0, [&] { fenetre.findChild<QPushButton*>(QStringLiteral("bouton_test"))->click(); });
    return application.exec();
}
