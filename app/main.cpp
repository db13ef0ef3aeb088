#include "demarrage.h"
#include "mainwindow.h"
#include "textes.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Le jeu ne dessine rien en OpenGL : sans l'intégration GL de xcb, les
    // bibliothèques OpenGL ne sont pas chargées (une cinquantaine de Mo de moins).
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication application(argc, argv);
    MainWindow fenetre;
    Demarrage::charger_polices();
    Demarrage::appliquer_feuille_de_style(application);
    Demarrage::installer_traductions(application);
    fenetre.setWindowTitle(Texte::titre_fenetre);
    fenetre.setWindowState(fenetre.windowState() ^ Qt::WindowFullScreen);
    fenetre.show();
    fenetre.initialiser_affichage();
    return application.exec();
}
