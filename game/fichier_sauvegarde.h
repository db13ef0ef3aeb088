#ifndef FICHIER_SAUVEGARDE_H
#define FICHIER_SAUVEGARDE_H

#include "constantes.h"

#include <array>
#include <optional>

class QIODevice;

// Le fichier de sauvegarde relu : vérifié en entier, puis rejoué sur un rôle.
// La relecture ne dépend que de Qt Core, pour être éprouvée seule (tests/fuzz).
namespace FichierSauvegarde {

struct LigneJoueur {
    int ecarte = 0;
    int vote_ecartement = 0;
    int vote_second_ecartement = 0;
    int vote_seconde_chance = 0;
    int effet_seconde_chance = 0;
};

using ValeursParVote = std::array<int, Jeu::nombre_votes_ordinaires>;

struct Sauvegarde {
    int numero_vote = 0;
    int etat_seconde_chance = 0;
    std::array<LigneJoueur, Jeu::nombre_accuses> joueurs;
    std::array<ValeursParVote, Jeu::nombre_accuses> bulletins;
    std::array<ValeursParVote, Jeu::nombre_accuses> votes_recus;
};

// Rien si le fichier n'est pas une sauvegarde que le jeu a pu écrire.
std::optional<Sauvegarde> lire(QIODevice& fichier);

// Rejoue les écartements et la réhabilitation dans leur ordre : le rôle
// (MainWindow dans le jeu) compte lui-même ses écartés et tient ses boutons.
template <typename Role, typename Fiche>
void rejouer_parcours(Role& role, Fiche* fiche, const LigneJoueur& joueur)
{
    if (joueur.ecarte == 1) {
        role.ecarter_accuse(fiche, joueur.vote_ecartement);
        if (joueur.vote_second_ecartement != 0) {
            role.rehabiliter_accuse(fiche, joueur.vote_seconde_chance);
            role.ecarter_accuse(fiche, joueur.vote_second_ecartement);
        }
    } else if (joueur.vote_ecartement != 0) {
        role.ecarter_accuse(fiche, joueur.vote_ecartement);
        role.rehabiliter_accuse(fiche, joueur.vote_seconde_chance);
    }
    fiche->set_seconde_chance(joueur.vote_seconde_chance, joueur.effet_seconde_chance);
}

template <typename Fiche>
void rejouer_votes(Fiche* fiche, const ValeursParVote& bulletins, const ValeursParVote& votes_recus)
{
    for (int k = 0; k < Jeu::nombre_votes_ordinaires; ++k) {
        fiche->set_vote_emis(k, bulletins[k]);
        for (int n = 0; n < votes_recus[k]; ++n)
            fiche->ajouter_vote_recu(k);
    }
}

// Les parcours d'abord, puis les votes : les fiches sont celles du rôle, dans son ordre.
template <typename Role, typename Fiches>
void rejouer(const Sauvegarde& sauvegarde, Role& role, const Fiches& fiches)
{
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        rejouer_parcours(role, fiches[i], sauvegarde.joueurs[i]);
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        rejouer_votes(fiches[i], sauvegarde.bulletins[i], sauvegarde.votes_recus[i]);
}
}

#endif
