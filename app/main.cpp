#include "demarrage.h"
#include "mainwindow.h"
#include "textes.h"

#include <QApplication>

int main(int argc, char* argv[])
{
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
