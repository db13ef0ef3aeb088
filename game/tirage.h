#ifndef TIRAGE_H
#define TIRAGE_H

#include <QList>
#include <cstdint>

// Tirage au sort des égalités : un Mersenne Twister neuf, semé avec l'heure en
// secondes, mélange la liste ; le premier élément l'emporte.
namespace Tirage {
void melanger(QList<int>& liste, std::uint32_t graine);
void melanger(QList<int>& liste);
std::uint32_t graine_horloge();
}

#endif
