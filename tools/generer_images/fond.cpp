#include "images.h"

#include "palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QRgba64>

// Fond de la fenêtre principale : une salle d'audience dans la pénombre.
// Le centre, où se trouve le texte, reste uni et sombre ; les motifs (colonnes,
// cadre, lumière venue d'en haut) restent discrets et sur les bords. Les traits
// font au moins 3 px pour survivre à l'étirement sans lissage de la feuille de style.
// Le dessin se fait sur 16 bits par canal puis est tramé vers 8 bits : sans cela
// le dégradé, très sombre, montrerait des anneaux.
namespace {
constexpr int largeur = 1920;
constexpr int hauteur = 1080;

constexpr int marge_cadre = 26;
constexpr double epaisseur_cadre = 3;
constexpr double longueur_equerre = 90;
constexpr double epaisseur_equerre = 4;

constexpr double largeur_colonne = 96;
constexpr double centre_colonne = 120;    // depuis le bord gauche ou droit
constexpr double haut_colonne = 150;
constexpr double bas_colonne = 960;
constexpr int nombre_cannelures = 5;
constexpr double hauteur_dalle = 15;      // dalles du chapiteau et de la base
constexpr double ecart_dalles = 3;
constexpr double debord_dalle_large = 16;
constexpr double debord_dalle_etroite = 6;

QColor melange(const QColor& a, const QColor& b, double part_de_b)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * part_de_b,
                            a.greenF() + (b.greenF() - a.greenF()) * part_de_b,
                            a.blueF() + (b.blueF() - a.blueF()) * part_de_b);
}

void peindre_degrade(QPainter& peintre)
{
    QRadialGradient degrade(QPointF(largeur / 2.0, hauteur * 0.42), largeur * 0.62);
    degrade.setColorAt(0, melange(Palette::ardoise, Palette::presque_noir, 0.3));
    degrade.setColorAt(0.5, melange(Palette::ardoise, Palette::presque_noir, 0.62));
    degrade.setColorAt(1, Palette::presque_noir);
    peintre.fillRect(0, 0, largeur, hauteur, degrade);
}

// Lumière froide tombant d'une verrière invisible, au-dessus du titre.
void peindre_lumiere_haute(QPainter& peintre)
{
    QRadialGradient lumiere(QPointF(largeur / 2.0, -hauteur * 0.1), hauteur * 0.55);
    lumiere.setColorAt(0, Palette::voile(Palette::sarcelle, 0.10));
    lumiere.setColorAt(1, Palette::voile(Palette::sarcelle, 0));
    peintre.fillRect(0, 0, largeur, hauteur, lumiere);
}

void peindre_dalle(QPainter& peintre, double gauche_fut, double haut, double debord)
{
    peintre.drawRect(QRectF(gauche_fut - debord, haut, largeur_colonne + 2 * debord, hauteur_dalle));
}

void peindre_colonne(QPainter& peintre, double centre_x)
{
    const double gauche = centre_x - largeur_colonne / 2;
    QLinearGradient modele(gauche, 0, gauche + largeur_colonne, 0);
    modele.setColorAt(0, Palette::voile(Palette::bordure, 0.015));
    modele.setColorAt(0.35, Palette::voile(Palette::bordure, 0.07));
    modele.setColorAt(1, Palette::voile(Palette::bordure, 0.01));
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(modele);
    peintre.drawRect(QRectF(gauche, haut_colonne, largeur_colonne, bas_colonne - haut_colonne));

    // Chapiteau et base : une dalle étroite contre le fût, une large au-delà.
    peintre.setBrush(Palette::voile(Palette::bordure, 0.06));
    const double pas = hauteur_dalle + ecart_dalles;
    peindre_dalle(peintre, gauche, haut_colonne - pas, debord_dalle_etroite);
    peindre_dalle(peintre, gauche, haut_colonne - 2 * pas, debord_dalle_large);
    peindre_dalle(peintre, gauche, bas_colonne + ecart_dalles, debord_dalle_etroite);
    peindre_dalle(peintre, gauche, bas_colonne + pas + ecart_dalles, debord_dalle_large);

    peintre.setPen(QPen(Palette::voile(Palette::presque_noir, 0.35), 4));
    for (int i = 1; i <= nombre_cannelures; ++i) {
        const double x = gauche + largeur_colonne * i / (nombre_cannelures + 1);
        peintre.drawLine(QPointF(x, haut_colonne + 10), QPointF(x, bas_colonne - 10));
    }
}

void peindre_cadre(QPainter& peintre)
{
    const QRectF cadre(marge_cadre, marge_cadre, largeur - 2 * marge_cadre, hauteur - 2 * marge_cadre);
    peintre.setBrush(Qt::NoBrush);
    peintre.setPen(QPen(Palette::voile(Palette::bordure, 0.08), epaisseur_cadre));
    peintre.drawRect(cadre);

    // Équerres sarcelle aux quatre coins, seule touche de couleur du fond.
    peintre.setPen(QPen(Palette::voile(Palette::sarcelle, 0.38), epaisseur_equerre, Qt::SolidLine, Qt::SquareCap));
    const double l = longueur_equerre;
    for (const QPointF& coin : {cadre.topLeft(), cadre.topRight(), cadre.bottomLeft(), cadre.bottomRight()}) {
        const double sens_x = coin.x() < largeur / 2 ? 1 : -1;
        const double sens_y = coin.y() < hauteur / 2 ? 1 : -1;
        peintre.drawLine(coin, coin + QPointF(sens_x * l, 0));
        peintre.drawLine(coin, coin + QPointF(0, sens_y * l));
    }
}

// Trame ordonnée de Bayer 4x4 : seuils répartis entre 0 et 1.
constexpr int trame[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr double echelons_trame = 16;

int canal_trame(quint16 valeur_16_bits, double seuil)
{
    const double valeur = valeur_16_bits / 257.0;
    return qBound(0, int(valeur + seuil), 255);
}

QImage tramer_vers_8_bits(const QImage& image_16_bits)
{
    QImage resultat(image_16_bits.size(), QImage::Format_RGB32);
    for (int y = 0; y < image_16_bits.height(); ++y) {
        const QRgba64* source = reinterpret_cast<const QRgba64*>(image_16_bits.constScanLine(y));
        QRgb* cible = reinterpret_cast<QRgb*>(resultat.scanLine(y));
        for (int x = 0; x < image_16_bits.width(); ++x) {
            const double seuil = (trame[y % 4][x % 4] + 0.5) / echelons_trame;
            cible[x] = qRgb(canal_trame(source[x].red(), seuil), canal_trame(source[x].green(), seuil),
                            canal_trame(source[x].blue(), seuil));
        }
    }
    return resultat;
}

void peindre_vignette(QPainter& peintre)
{
    QRadialGradient vignette(QPointF(largeur / 2.0, hauteur / 2.0), largeur * 0.6);
    vignette.setColorAt(0.55, Palette::voile(Palette::noir, 0));
    vignette.setColorAt(1, Palette::voile(Palette::noir, 0.55));
    peintre.fillRect(0, 0, largeur, hauteur, vignette);
}
}

QImage dessiner_fond()
{
    QImage image(largeur, hauteur, QImage::Format_RGBA64);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peindre_degrade(peintre);
    peindre_lumiere_haute(peintre);
    peindre_colonne(peintre, centre_colonne);
    peindre_colonne(peintre, largeur - centre_colonne);
    peindre_cadre(peintre);
    peindre_vignette(peintre);
    peintre.end();
    return tramer_vers_8_bits(image);
}
