#ifndef COULEURS_INDEXEES_H
#define COULEURS_INDEXEES_H

#include <QImage>
#include <QVector>

// Passage en couleurs indexées (un octet par pixel au lieu de quatre) des images
// que le jeu décode toutes au démarrage : le décodage en devient quatre fois plus court.

// Palette de 256 couleurs au plus, avec transparence, commune à toutes les images
// pour qu'une même couleur ne change pas d'une image à l'autre.
QVector<QRgb> palette_commune(const QVector<QImage>& images);

// L'image sur cette palette, avec une trame ordonnée : une zone immobile reste
// identique d'une image à l'autre, sans scintillement.
QImage indexer(const QImage& image, const QVector<QRgb>& palette);

#endif
