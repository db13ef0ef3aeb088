#ifndef BALANCE_H
#define BALANCE_H

#include <QColor>
#include <QPointF>

class QPainter;

// Balance de la justice, motif commun au fond animé et à l'icône. Toutes ses
// cotes sont proportionnelles à la demi-longueur du fléau.
struct Balance {
    QPointF pivot;                 // axe du fléau, en haut du pied
    double demi_fleau = 100;       // demi-longueur du fléau, en pixels
    double inclinaison_deg = 0;    // rotation du fléau, positive vers la droite
    double balancement_deg = 0;    // écart des plateaux à la verticale, pendule en retard
    QColor metal;                  // traits et pied
    QColor reflet;                 // boules, pommeau, intérieur des plateaux
};

void dessiner_balance(QPainter& peintre, const Balance& balance);

#endif
