#include "images.h"

#include "balance.h"
#include "palette.h"

#include <QConicalGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

#include <cmath>

// Fond animé de l'attente : une balance de la justice qui oscille au centre
// d'un cadran dont l'aiguille fait un tour par boucle. Tout mouvement est une
// fonction périodique de la phase, donc la dernière image enchaîne sur la première.
namespace {
constexpr int cote = 600;
const QPointF centre(cote / 2.0, cote / 2.0);

constexpr double rayon_medaillon = 292;
constexpr double rayon_cadran = 268;
constexpr int nombre_graduations = 60;
constexpr int graduations_par_heure = 5;
constexpr double longueur_graduation = 10;
constexpr double longueur_graduation_heure = 20;
constexpr double traine_deg = 100;         // longueur de la lueur derrière l'aiguille
constexpr double epaisseur_anneau = 3;

constexpr double demi_fleau = 150;
const QPointF pivot(cote / 2.0, 198);
constexpr double amplitude_fleau_deg = 9;
constexpr double amplitude_plateaux_deg = 4;
constexpr double retard_plateaux = 0.9;   // radians : les plateaux suivent le fléau

// Angle de l'aiguille, en degrés dans le sens horaire depuis midi.
double angle_aiguille(double phase) { return 360.0 * phase; }

QPointF point_du_cadran(double angle_horaire_deg, double rayon)
{
    const double a = qDegreesToRadians(angle_horaire_deg);
    return centre + QPointF(rayon * qSin(a), -rayon * qCos(a));
}

void peindre_medaillon(QPainter& peintre)
{
    QRadialGradient degrade(centre, rayon_medaillon);
    degrade.setColorAt(0, Palette::voile(Palette::ardoise, 0.75));
    degrade.setColorAt(0.85, Palette::voile(Palette::presque_noir, 0.7));
    degrade.setColorAt(1, Palette::voile(Palette::presque_noir, 0));
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(degrade);
    peintre.drawEllipse(centre, rayon_medaillon, rayon_medaillon);
}

// Éclat d'une graduation : vive juste après le passage de l'aiguille, puis éteinte.
double eclat_apres_passage(double retard_deg)
{
    const double retard = std::fmod(retard_deg + 360.0, 360.0);
    return retard > traine_deg ? 0 : 1 - retard / traine_deg;
}

void peindre_cadran(QPainter& peintre, double phase)
{
    peintre.setBrush(Qt::NoBrush);
    peintre.setPen(QPen(Palette::voile(Palette::bordure, 0.35), epaisseur_anneau));
    peintre.drawEllipse(centre, rayon_cadran, rayon_cadran);

    for (int i = 0; i < nombre_graduations; ++i) {
        const double angle = 360.0 * i / nombre_graduations;
        const bool heure = i % graduations_par_heure == 0;
        const double longueur = heure ? longueur_graduation_heure : longueur_graduation;
        const double eclat = eclat_apres_passage(angle_aiguille(phase) - angle);
        const QColor repos = Palette::voile(Palette::bordure, heure ? 0.55 : 0.3);
        QColor couleur = eclat > 0 ? Palette::sarcelle : repos;
        couleur.setAlphaF(repos.alphaF() + (1 - repos.alphaF()) * eclat);
        peintre.setPen(QPen(couleur, heure ? 4 : 3, Qt::SolidLine, Qt::RoundCap));
        peintre.drawLine(point_du_cadran(angle, rayon_cadran - 8),
                         point_du_cadran(angle, rayon_cadran - 8 - longueur));
    }
}

// Arc lumineux qui traîne derrière la pointe de l'aiguille, sur l'anneau.
void peindre_aiguille(QPainter& peintre, double phase)
{
    const double angle = angle_aiguille(phase);
    // QConicalGradient tourne dans le sens trigonométrique à partir de trois heures.
    QConicalGradient traine(centre, 90 - angle);
    traine.setColorAt(0, Palette::sarcelle);
    traine.setColorAt(traine_deg / 360.0, Palette::voile(Palette::sarcelle, 0));
    traine.setColorAt(1, Palette::voile(Palette::sarcelle, 0));
    peintre.setBrush(Qt::NoBrush);
    peintre.setPen(QPen(QBrush(traine), 6, Qt::SolidLine, Qt::FlatCap));
    peintre.drawEllipse(centre, rayon_cadran, rayon_cadran);

    const QPointF tete = point_du_cadran(angle, rayon_cadran);
    QRadialGradient halo(tete, 18);
    halo.setColorAt(0, Palette::voile(Palette::sarcelle, 0.6));
    halo.setColorAt(1, Palette::voile(Palette::sarcelle, 0));
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(halo);
    peintre.drawEllipse(tete, 18, 18);
    peintre.setBrush(Palette::texte_clair);
    peintre.drawEllipse(tete, 6, 6);
}

void peindre_balance(QPainter& peintre, double phase)
{
    const double angle = 2 * M_PI * phase;
    Balance balance;
    balance.pivot = pivot;
    balance.demi_fleau = demi_fleau;
    balance.inclinaison_deg = amplitude_fleau_deg * qSin(angle);
    balance.balancement_deg = -amplitude_plateaux_deg * qSin(angle - retard_plateaux);
    balance.metal = Palette::texte_clair;
    balance.reflet = Palette::sarcelle;
    dessiner_balance(peintre, balance);
}
}

QImage dessiner_image_fond_anime(int index_image, int nombre_images)
{
    const double phase = double(index_image) / nombre_images;
    QImage image(cote, cote, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peindre_medaillon(peintre);
    peindre_cadran(peintre, phase);
    peindre_aiguille(peintre, phase);
    peindre_balance(peintre, phase);
    return image;
}
