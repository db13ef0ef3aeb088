#ifndef DEMARRAGE_H
#define DEMARRAGE_H

class QApplication;

// Ce que le programme installe au démarrage autour de la fenêtre : polices,
// feuille de style et traductions de Qt. Les tests s'en servent aussi.
namespace Demarrage {
void charger_polices();
void appliquer_feuille_de_style(QApplication& application);
void installer_traductions(QApplication& application);
}

#endif
