#ifndef PARTIE_EXEMPLE_H
#define PARTIE_EXEMPLE_H

#include <QList>

#include <memory>
#include <vector>

class Accuse;

// Une partie finie, menée fiche par fiche sans fenêtre : neuf votes (le premier
// écarté revient grâce au code de la seconde chance au vote 5), des abstentions,
// puis un vote final où certains ne votent pas. Sert d'exemple au récapitulatif.
struct PartieExemple {
    PartieExemple();
    ~PartieExemple();

    std::vector<std::unique_ptr<Accuse>> proprietaires;
    QList<Accuse*> accuses;
    int numero_vote = 0;
    QList<int> temps_votes;
};

#endif
