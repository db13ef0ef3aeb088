#ifndef RESULTATS_FINAUX_H
#define RESULTATS_FINAUX_H

#include <QList>
#include <cstdint>

class Accuse;

namespace ClassementFinal {
// Indices des accusés écartés, du plus de points au moins ; à points égaux,
// l'ordre du rôle. Le groupe du bas, d'où sort le deuxième sauvé, est tiré au
// sort avec la graine donnée.
QList<int> ordonner(const QList<Accuse*>& accuses, std::uint32_t graine);
}

#endif
