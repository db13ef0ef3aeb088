#include "images.h"

#include "balance.h"
#include "palette.h"

#include <QLinearGradient>
#include <QPainter>

// Icône de l'application : la balance du fond animé, penchée, sur une tuile
// sombre bordée de sarcelle, lisible aussi réduite à 32 px.
namespace {
constexpr int cote = 256;
constexpr double marge = 8;
constexpr double arrondi = 44;
constexpr double epaisseur_bordure = 8;
constexpr double demi_fleau = 74;
const QPointF pivot(cote / 2.0, 84);
constexpr double inclinaison_deg = -10;

void peindre_tuile(QPainter& peintre)
{
    const QRectF tuile(marge, marge, cote - 2 * marge, cote - 2 * marge);
    QLinearGradient degrade(tuile.topLeft(), tuile.bottomRight());
    degrade.setColorAt(0, Palette::ardoise);
    degrade.setColorAt(1, Palette::presque_noir);
    peintre.setPen(QPen(Palette::sarcelle, epaisseur_bordure));
    peintre.setBrush(degrade);
    peintre.drawRoundedRect(tuile, arrondi, arrondi);
}
}

QImage dessiner_icone()
{
    QImage image(cote, cote, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peindre_tuile(peintre);
    Balance balance;
    balance.pivot = pivot;
    balance.demi_fleau = demi_fleau;
    balance.inclinaison_deg = inclinaison_deg;
    balance.metal = Palette::texte_clair;
    balance.reflet = Palette::orange;
    dessiner_balance(peintre, balance);
    return image;
}
