#include "tirage.h"

#include <ctime>
#include <limits>
#include <random>

namespace {
// Nombre uniforme dans 0..borne : on rejette les sorties au-delà du dernier
// multiple entier de borne + 1, pour ne favoriser aucune valeur.
std::uint32_t tirer(std::mt19937& generateur, std::uint32_t borne)
{
    const std::uint32_t etendue = borne + 1;
    const std::uint32_t echelle = std::numeric_limits<std::uint32_t>::max() / etendue;
    const std::uint32_t limite = etendue * echelle;
    std::uint32_t sortie;
    do
        sortie = static_cast<std::uint32_t>(generateur());
    while (sortie >= limite);
    return sortie / echelle;
}
}

namespace Tirage {

void melanger(QList<int>& liste, std::uint32_t graine)
{
    std::mt19937 generateur(graine);
    for (int i = 1; i < liste.size(); ++i) {
        const int j = static_cast<int>(tirer(generateur, static_cast<std::uint32_t>(i)));
        if (j != i)
            liste.swapItemsAt(i, j);
    }
}

void melanger(QList<int>& liste)
{
    melanger(liste, graine_horloge());
}

std::uint32_t graine_horloge()
{
    return static_cast<std::uint32_t>(std::time(nullptr));
}

}
