#include "images.h"

#include "palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

// Flèche de « Sauver » vers « Ne pas sauver », affichée étirée dans une case de
// 50 px de large et de 250 à 4000 px de haut : dessinée haute et étroite pour
// que l'étirement vertical déforme peu la pointe.
namespace {
constexpr int largeur = 100;
constexpr int hauteur = 1000;
constexpr double marge = 5;
constexpr double hauteur_pointe = 140;
constexpr double encoche = 28;          // recul du milieu de la base de la pointe
constexpr double largeur_hampe = 14;
constexpr double epaisseur_lisere = 5;

void peindre_hampe(QPainter& peintre, double bas_hampe)
{
    const double centre = largeur / 2.0;
    QLinearGradient degrade(0, marge, 0, bas_hampe);
    degrade.setColorAt(0, Palette::voile(Palette::bordure, 0.3));
    degrade.setColorAt(0.5, Palette::voile(Palette::bordure, 0.75));
    degrade.setColorAt(1, Palette::texte_clair);
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(degrade);
    peintre.drawRoundedRect(QRectF(centre - largeur_hampe / 2, marge, largeur_hampe, bas_hampe - marge),
                            largeur_hampe / 2, largeur_hampe / 2);
}

void peindre_pointe(QPainter& peintre)
{
    const double centre = largeur / 2.0;
    const double pointe = hauteur - marge;
    const double base = pointe - hauteur_pointe;
    const double demi_largeur = largeur / 2.0 - marge;
    QPainterPath tete;
    tete.moveTo(centre, pointe);
    tete.lineTo(centre - demi_largeur, base);
    tete.lineTo(centre, base + encoche);
    tete.lineTo(centre + demi_largeur, base);
    tete.closeSubpath();
    peintre.setPen(QPen(Palette::sarcelle, epaisseur_lisere, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    peintre.setBrush(Palette::texte_clair);
    peintre.drawPath(tete);
}
}

QImage dessiner_fleche()
{
    QImage image(largeur, hauteur, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peindre_hampe(peintre, hauteur - marge - hauteur_pointe + encoche + largeur_hampe);
    peindre_pointe(peintre);
    return image;
}
