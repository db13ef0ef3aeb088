#include "partie_courte.h"

namespace PartieCourte {

namespace {
void clore_le_vote(Soiree& soiree)
{
    soiree.fenetre().set_temps_restant_intervote(1);
}
}

bool commencer(Soiree& soiree)
{
    soiree.bouton("bouton_test")->click();
    return soiree.attendre_page(page_intervote, limite_attente_ms);
}

bool jouer_vote(Soiree& soiree, const QList<int>& cibles)
{
    for (int joueur = 0; joueur < cibles.size(); ++joueur)
        if (cibles[joueur] != abstention)
            soiree.voter(codes[joueur], cibles[joueur]);
    clore_le_vote(soiree);
    if (!soiree.attendre_page(page_resultats, limite_attente_ms))
        return false;
    return soiree.attendre_page(page_intervote, limite_attente_ms);
}

bool jouer_jusqu_au_vote_final(Soiree& soiree, const QList<QList<int>>& votes)
{
    for (const QList<int>& cibles : votes)
        if (!jouer_vote(soiree, cibles))
            return false;
    while (!soiree.fenetre().phase_finale())
        if (!jouer_vote(soiree, {}))
            return false;
    return true;
}

bool finir(Soiree& soiree)
{
    clore_le_vote(soiree);
    return soiree.attendre_page(page_fin, limite_attente_ms);
}

}
