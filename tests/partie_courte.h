#ifndef PARTIE_COURTE_H
#define PARTIE_COURTE_H

// Une partie menue jusqu'au bout en mode test : chaque vote est fermé dès que
// ses bulletins sont déposés, comme l'organisateur le ferait depuis les options.

#include "soiree.h"

#include <QList>
#include <QStringList>

namespace PartieCourte {
using namespace Joueurs;
constexpr int abstention = -1;

constexpr int page_intervote = 1;
constexpr int page_resultats = 2;
constexpr int page_fin = 5;
constexpr int page_resultat_final = 7;
constexpr int page_annonce_sauves = 8;
constexpr int page_arrivee_presentateur = 9;

// "Lancer un test", puis l'ouverture du vote 1.
bool commencer(Soiree& soiree);
// Les bulletins du vote ouvert (une cible par joueur, dans l'ordre du rôle),
// la clôture, puis l'ouverture du vote suivant ou du vote final.
bool jouer_vote(Soiree& soiree, const QList<int>& cibles);
// Les votes donnés, puis des votes sans bulletin jusqu'à l'ouverture du vote final.
bool jouer_jusqu_au_vote_final(Soiree& soiree, const QList<QList<int>>& votes);
// Clôt le vote final et attend la page de fin.
bool finir(Soiree& soiree);
// Au kiosque au repos : S, le code de la seconde chance, l'accusé choisi et son code personnel.
void utiliser_code_seconde_chance(Soiree& soiree, int accuse);
// "Lancer un test", des votes sans bulletin jusqu'au vote donné, le code de la
// seconde chance par le dernier accusé du rôle écarté (ou en jeu), puis des votes
// sans bulletin jusqu'à l'ouverture du vote final. Rend l'index de l'utilisateur
// du code, -1 si la partie n'est pas allée jusque-là.
int jouer_avec_le_code(Soiree& soiree, int vote_du_code, bool utilisateur_ecarte);
}

#endif
