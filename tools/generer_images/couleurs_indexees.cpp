#include "couleurs_indexees.h"

#include <QHash>

#include <climits>

#include <algorithm>
#include <array>
#include <cmath>

// Palette par coupe médiane, dans l'espace des couleurs prémultipliées : deux
// couleurs y sont proches quand elles se voient proches une fois posées sur le fond.
namespace {
constexpr int nombre_couleurs = 256;
constexpr int index_transparent = 0;     // réservé aux pixels entièrement transparents
constexpr int nombre_canaux = 4;
constexpr int trame[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr double amplitude_trame = 6;    // en niveaux sur 255, de crête à crête

struct Couleur {
    std::array<int, nombre_canaux> canaux;   // rouge, vert, bleu, alpha prémultipliés
    qint64 nombre;
};

struct Boite {
    int debut;
    int fin;
};

std::array<int, nombre_canaux> canaux(QRgb premultiplie)
{
    return {qRed(premultiplie), qGreen(premultiplie), qBlue(premultiplie), qAlpha(premultiplie)};
}

QImage en_premultiplie(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QVector<Couleur> histogramme(const QVector<QImage>& images)
{
    QHash<QRgb, qint64> comptes;
    for (const QImage& image : images) {
        const QImage p = en_premultiplie(image);
        for (int y = 0; y < p.height(); ++y) {
            const QRgb* ligne = reinterpret_cast<const QRgb*>(p.constScanLine(y));
            for (int x = 0; x < p.width(); ++x)
                if (qAlpha(ligne[x]) > 0)
                    ++comptes[ligne[x]];
        }
    }
    QVector<Couleur> couleurs;
    for (auto it = comptes.cbegin(); it != comptes.cend(); ++it)
        couleurs.append({canaux(it.key()), it.value()});
    return couleurs;
}

// Canal le plus étendu d'une boîte, et son étendue.
std::pair<int, int> canal_le_plus_etendu(const QVector<Couleur>& couleurs, const Boite& boite)
{
    std::array<int, nombre_canaux> mini{255, 255, 255, 255};
    std::array<int, nombre_canaux> maxi{0, 0, 0, 0};
    for (int i = boite.debut; i < boite.fin; ++i)
        for (int c = 0; c < nombre_canaux; ++c) {
            mini[c] = std::min(mini[c], couleurs[i].canaux[c]);
            maxi[c] = std::max(maxi[c], couleurs[i].canaux[c]);
        }
    int meilleur = 0;
    for (int c = 1; c < nombre_canaux; ++c)
        if (maxi[c] - mini[c] > maxi[meilleur] - mini[meilleur])
            meilleur = c;
    return {meilleur, maxi[meilleur] - mini[meilleur]};
}

// On coupe d'abord la boîte où l'écart et la population pèsent le plus.
double poids(const QVector<Couleur>& couleurs, const Boite& boite)
{
    if (boite.fin - boite.debut < 2)
        return -1;
    qint64 population = 0;
    for (int i = boite.debut; i < boite.fin; ++i)
        population += couleurs[i].nombre;
    const int etendue = canal_le_plus_etendu(couleurs, boite).second;
    return double(etendue) * etendue * std::sqrt(double(population));
}

void couper(QVector<Couleur>& couleurs, QVector<Boite>& boites, int index_boite)
{
    const Boite boite = boites[index_boite];
    const int canal = canal_le_plus_etendu(couleurs, boite).first;
    std::sort(couleurs.begin() + boite.debut, couleurs.begin() + boite.fin,
              [canal](const Couleur& a, const Couleur& b) { return a.canaux[canal] < b.canaux[canal]; });
    qint64 population = 0;
    for (int i = boite.debut; i < boite.fin; ++i)
        population += couleurs[i].nombre;
    // Coupe à la médiane de la population, en laissant au moins une couleur de chaque côté.
    qint64 cumul = 0;
    int milieu = boite.debut + 1;
    for (int i = boite.debut; i < boite.fin - 1; ++i) {
        cumul += couleurs[i].nombre;
        milieu = i + 1;
        if (cumul * 2 >= population)
            break;
    }
    boites[index_boite] = {boite.debut, milieu};
    boites.append({milieu, boite.fin});
}

QRgb moyenne(const QVector<Couleur>& couleurs, const Boite& boite)
{
    std::array<double, nombre_canaux> somme{0, 0, 0, 0};
    qint64 population = 0;
    for (int i = boite.debut; i < boite.fin; ++i) {
        for (int c = 0; c < nombre_canaux; ++c)
            somme[c] += double(couleurs[i].canaux[c]) * couleurs[i].nombre;
        population += couleurs[i].nombre;
    }
    auto canal = [&](int c) { return int(std::lround(somme[c] / population)); };
    return qUnpremultiply(qRgba(canal(0), canal(1), canal(2), canal(3)));
}

int plus_proche(const std::array<int, nombre_canaux>& cible, const QVector<std::array<int, nombre_canaux>>& entrees)
{
    int meilleur = 0;
    int meilleure_distance = INT_MAX;
    for (int i = 0; i < entrees.size(); ++i) {
        int distance = 0;
        for (int c = 0; c < nombre_canaux; ++c) {
            const int ecart = cible[c] - entrees[i][c];
            distance += ecart * ecart;
        }
        if (distance < meilleure_distance) {
            meilleure_distance = distance;
            meilleur = i;
        }
    }
    return meilleur;
}

// Couleur prémultipliée décalée par la trame ; l'alpha n'est pas tramé, pour
// que les parties pleines restent pleines.
std::array<int, nombre_canaux> tramer(QRgb premultiplie, int x, int y)
{
    const int decalage = int(std::lround((trame[y % 4][x % 4] + 0.5) / 16.0 * amplitude_trame - amplitude_trame / 2));
    std::array<int, nombre_canaux> resultat = canaux(premultiplie);
    for (int c = 0; c < 3; ++c)
        resultat[c] = qBound(0, resultat[c] + decalage, resultat[3]);
    return resultat;
}
}

QVector<QRgb> palette_commune(const QVector<QImage>& images)
{
    QVector<Couleur> couleurs = histogramme(images);
    QVector<Boite> boites;
    if (!couleurs.isEmpty())
        boites.append({0, int(couleurs.size())});
    while (boites.size() < nombre_couleurs - 1) {
        int a_couper = 0;
        for (int i = 1; i < boites.size(); ++i)
            if (poids(couleurs, boites[i]) > poids(couleurs, boites[a_couper]))
                a_couper = i;
        if (poids(couleurs, boites[a_couper]) < 0)
            break;
        couper(couleurs, boites, a_couper);
    }
    QVector<QRgb> palette{qRgba(0, 0, 0, 0)};
    for (const Boite& boite : boites)
        palette.append(moyenne(couleurs, boite));
    return palette;
}

QImage indexer(const QImage& image, const QVector<QRgb>& palette)
{
    // L'entrée transparente ne sert qu'aux pixels transparents : elle n'est pas candidate.
    QVector<std::array<int, nombre_canaux>> entrees;
    for (int i = index_transparent + 1; i < palette.size(); ++i)
        entrees.append(canaux(qPremultiply(palette[i])));

    const QImage source = en_premultiplie(image);
    QImage resultat(source.size(), QImage::Format_Indexed8);
    resultat.setColorTable(palette);
    QHash<quint64, uchar> deja_vus;
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* ligne = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* cible = resultat.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(ligne[x]) == 0) {
                cible[x] = index_transparent;
                continue;
            }
            const quint64 cle = (quint64(ligne[x]) << 4) | quint64((y % 4) * 4 + x % 4);
            auto trouve = deja_vus.constFind(cle);
            if (trouve == deja_vus.cend())
                trouve = deja_vus.insert(cle, uchar(index_transparent + 1 + plus_proche(tramer(ligne[x], x, y), entrees)));
            cible[x] = *trouve;
        }
    }
    return resultat;
}
