#include "balance.h"

#include "palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {
// Proportions, en fractions de la demi-longueur du fléau.
constexpr double hauteur_pied = 1.45;
constexpr double largeur_pied = 0.09;
constexpr double largeur_socle = 0.75;
constexpr double hauteur_socle = 0.12;
constexpr double rayon_pommeau = 0.08;
constexpr double epaisseur_fleau_centre = 0.13;
constexpr double epaisseur_fleau_bout = 0.045;
constexpr double rayon_boule = 0.05;
constexpr double longueur_chaines = 0.75;
constexpr double demi_largeur_plateau = 0.32;
constexpr double profondeur_plateau = 0.16;
constexpr double epaisseur_trait = 0.025;

QPointF tourner(const QPointF& point, double angle_deg)
{
    const double a = qDegreesToRadians(angle_deg);
    return QPointF(point.x() * qCos(a) - point.y() * qSin(a),
                   point.x() * qSin(a) + point.y() * qCos(a));
}

void dessiner_pied(QPainter& peintre, const Balance& b)
{
    const double u = b.demi_fleau;
    const QPointF p = b.pivot;
    QLinearGradient degrade(p.x() - largeur_pied * u, 0, p.x() + largeur_pied * u, 0);
    degrade.setColorAt(0, b.metal.darker(160));
    degrade.setColorAt(0.45, b.metal);
    degrade.setColorAt(1, b.metal.darker(200));
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(degrade);
    peintre.drawRect(QRectF(p.x() - largeur_pied * u / 2, p.y(), largeur_pied * u, hauteur_pied * u));

    // Socle en gradins : un trapèze puis une plinthe plus large.
    const double bas = p.y() + hauteur_pied * u;
    QPainterPath trapeze;
    trapeze.moveTo(p.x() - 0.16 * u, bas - hauteur_socle * u);
    trapeze.lineTo(p.x() + 0.16 * u, bas - hauteur_socle * u);
    trapeze.lineTo(p.x() + largeur_socle * u / 2 * 0.75, bas);
    trapeze.lineTo(p.x() - largeur_socle * u / 2 * 0.75, bas);
    trapeze.closeSubpath();
    peintre.drawPath(trapeze);
    peintre.drawRoundedRect(QRectF(p.x() - largeur_socle * u / 2, bas, largeur_socle * u, 0.07 * u),
                            0.02 * u, 0.02 * u);
}

void dessiner_fleau(QPainter& peintre, const Balance& b, QPointF bout_gauche, QPointF bout_droit)
{
    const double u = b.demi_fleau;
    const QPointF normale = tourner(QPointF(0, 1), b.inclinaison_deg);
    QPainterPath fleau;
    fleau.moveTo(bout_gauche - normale * epaisseur_fleau_bout * u / 2);
    fleau.quadTo(b.pivot - normale * epaisseur_fleau_centre * u, bout_droit - normale * epaisseur_fleau_bout * u / 2);
    fleau.lineTo(bout_droit + normale * epaisseur_fleau_bout * u / 2);
    fleau.quadTo(b.pivot + normale * epaisseur_fleau_centre * u * 0.6, bout_gauche + normale * epaisseur_fleau_bout * u / 2);
    fleau.closeSubpath();
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(b.metal);
    peintre.drawPath(fleau);

    peintre.setBrush(b.reflet);
    for (const QPointF& bout : {bout_gauche, bout_droit})
        peintre.drawEllipse(bout, rayon_boule * u, rayon_boule * u);
    peintre.drawEllipse(b.pivot - QPointF(0, 0.14 * u), rayon_pommeau * u, rayon_pommeau * u);
    peintre.setBrush(b.metal);
    peintre.drawEllipse(b.pivot, 0.045 * u, 0.045 * u);
}

// Un plateau pend à son crochet par trois chaînes ; il reste presque vertical.
void dessiner_plateau(QPainter& peintre, const Balance& b, QPointF crochet)
{
    const double u = b.demi_fleau;
    const QPointF vers_bord_gauche = tourner(QPointF(-demi_largeur_plateau * u, longueur_chaines * u), b.balancement_deg);
    const QPointF vers_bord_droit = tourner(QPointF(demi_largeur_plateau * u, longueur_chaines * u), b.balancement_deg);
    const QPointF vers_fond = tourner(QPointF(0, (longueur_chaines + profondeur_plateau) * u), b.balancement_deg);
    const QPointF bord_gauche = crochet + vers_bord_gauche;
    const QPointF bord_droit = crochet + vers_bord_droit;
    const QPointF fond = crochet + vers_fond;

    peintre.setPen(QPen(Palette::voile(b.metal, 0.8), epaisseur_trait * u, Qt::SolidLine, Qt::RoundCap));
    peintre.drawLine(crochet, bord_gauche);
    peintre.drawLine(crochet, bord_droit);
    peintre.drawLine(crochet, (bord_gauche + bord_droit) / 2 + (fond - (bord_gauche + bord_droit) / 2) * 0.2);

    // Coupe : arc de parabole sous le rebord, fermé par le rebord.
    QPainterPath coupe;
    coupe.moveTo(bord_gauche);
    coupe.quadTo(fond * 2 - (bord_gauche + bord_droit) / 2, bord_droit);
    coupe.closeSubpath();
    QLinearGradient degrade(bord_gauche, bord_droit);
    degrade.setColorAt(0, b.metal.darker(170));
    degrade.setColorAt(0.4, b.metal);
    degrade.setColorAt(1, b.metal.darker(220));
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(degrade);
    peintre.drawPath(coupe);
    peintre.setPen(QPen(b.reflet, epaisseur_trait * u * 1.2, Qt::SolidLine, Qt::RoundCap));
    peintre.drawLine(bord_gauche, bord_droit);
}
}

void dessiner_balance(QPainter& peintre, const Balance& b)
{
    peintre.save();
    peintre.setRenderHint(QPainter::Antialiasing);
    const QPointF bout_gauche = b.pivot + tourner(QPointF(-b.demi_fleau, 0), b.inclinaison_deg);
    const QPointF bout_droit = b.pivot + tourner(QPointF(b.demi_fleau, 0), b.inclinaison_deg);
    dessiner_pied(peintre, b);
    dessiner_plateau(peintre, b, bout_gauche);
    dessiner_plateau(peintre, b, bout_droit);
    dessiner_fleau(peintre, b, bout_gauche, bout_droit);
    peintre.restore();
}
