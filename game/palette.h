#ifndef PALETTE_H
#define PALETTE_H

#include <QColor>

// Les couleurs de la feuille de style : les images n'en utilisent pas d'autres,
// pour que le texte clair du jeu reste lisible partout.
namespace Palette {
const QColor texte_clair(0xe0, 0xe5, 0xec);
const QColor bordure(0x93, 0xa8, 0xbe);
const QColor sarcelle(0x05, 0xa5, 0xa5);
const QColor orange(0xfa, 0x7b, 0x0a);
const QColor ardoise(0x27, 0x33, 0x40);
const QColor presque_noir(0x0a, 0x0c, 0x0f);
const QColor noir(0, 0, 0);

// Même teinte, rendue plus ou moins transparente (opacite entre 0 et 1).
inline QColor voile(const QColor& couleur, double opacite)
{
    QColor resultat = couleur;
    resultat.setAlphaF(opacite);
    return resultat;
}
}

#endif
