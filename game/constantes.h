#ifndef CONSTANTES_H
#define CONSTANTES_H

#include <QString>
#include <array>

// Toutes les durées, tailles et codes du jeu, nommés une seule fois.
// Attentes et intervalles en millisecondes, calendrier et comptes à rebours en secondes.
namespace Duree {
constexpr int discours_initial_ms = 233000;
constexpr int appel_accuses_ms = 35000;
constexpr int appel_accuses_test_ms = 7000;
constexpr int seconde_ms = 1000;
constexpr int temporisation_ms = 8000;
constexpr int affichage_code_sc_ms = 5000;
constexpr int affichage_erreur_code_sc_ms = 2000;
constexpr int image_attente_ms = 150;

constexpr int introduction_ms = 80000;
constexpr int presentation_premier_vote_ms = 144000;
constexpr int sonnerie_fin_vote_ms = 6000;
constexpr int jingle_ms = 2500;
constexpr int elimine_vote_ms = 13000;
constexpr int sc_bon_usage_ms = 16000;
constexpr int sc_usage_inutile_ms = 12000;
constexpr int sc_mauvais_usage_ms = 16000;
constexpr int elimine_sc_ms = 10000;
constexpr int premier_sauve_ms = 11000;
constexpr int presentation_vote_final_ms = 78500;
constexpr int resultat_vote_final_ms = 20000;
constexpr int deuxieme_sauve_ms = 10000;
constexpr int conclusion_ms = 15000;

constexpr int nom_ms = 1000;
constexpr int message_ms = 2000;
constexpr int silence_resultat_ms = 1000;
constexpr int revelation_classement_ms = 2000;
constexpr int arrivee_presentateur_ms = 120000;

constexpr int bulletin_s = 30;
constexpr int bulletin_final_s = 90;
constexpr int rappel_4min_s = 240;
constexpr int vote_test_s = 180;
constexpr int vote_final_s = 1200;
constexpr int vote_final_test_s = 480;
constexpr int fin_compte_a_rebours_s = 2;

// Durées par défaut des comptes à rebours avant les votes ordinaires 1 à 9.
constexpr std::array<int, 9> temps_votes_defaut = {1500, 1200, 1200, 900, 900, 600, 600, 600, 600};
// Durées annoncées par les sons des minutes, dans l'ordre de sons_minutes_avant_vote.
constexpr std::array<int, 3> temps_annonces_minutes = {1200, 900, 600};
}

namespace Jeu {
constexpr int nombre_accuses = 9;
constexpr int nombre_cadres = 8;
constexpr int nombre_votes_ordinaires = 9;
constexpr int nombre_images_attente = 30;
constexpr int aucun_accuse = 12;   // case vide du tableau de classement
constexpr int index_points_finaux = 9;
constexpr int penalite_abstention_finale = 15;   // points ajoutés à qui ne vote pas au vote final
}

// Les neuf accusés dans l'ordre du rôle, avec leur code personnel (en minuscules).
struct FicheAccuse {
    const char* nom;
    const char* code;
};
constexpr std::array<FicheAccuse, Jeu::nombre_accuses> roster = {{
    {"Cafard", "galopin58"},
    {"Chacal", "cerise73"},
    {"Chien", "mirabel26"},
    {"Cochon", "capucines82"},
    {"Hyène", "noyaux19"},
    {"Rat", "lavandes64"},
    {"Requin", "primevere35"},
    {"Serpent", "olive90"},
    {"Vautour", "pavots27"},
}};

// Le code de la seconde chance, en minuscules comme les codes personnels : la
// saisie est mise en minuscules avant la comparaison.
constexpr const char* code_de_la_seconde_chance = "sursis";

// Fichiers de la partie, dans le dossier de données du jeu. La sauvegarde d'une
// soirée précédente est mise de côté sous le second nom au début d'une partie.
namespace Fichier {
constexpr const char* sauvegarde = "sauvegarde.txt";
constexpr const char* sauvegarde_precedente = "sauvegarde-precedente.txt";
}

// Pages de la pile principale et de la pile du vote.
namespace Page {
constexpr int accueil = 0;
constexpr int intervote = 1;
constexpr int resultats = 2;
constexpr int vote = 3;
constexpr int vote_final = 4;
constexpr int fin = 5;
constexpr int discours = 6;
constexpr int resultat_final = 7;
constexpr int annonce_sauves = 8;
constexpr int arrivee_presentateur = 9;
}

namespace SousPage {
constexpr int bouton_vote = 0;
constexpr int code_vote = 1;
constexpr int code_seconde_chance = 2;
constexpr int confirmation_code_sc = 3;
constexpr int validation_code_sc = 4;
constexpr int message = 5;
}

// Raison de la fermeture d'un bulletin, rendue par sa boucle.
namespace FinBulletin {
constexpr int rendu = 0;   // choix fait, reporté ou temps du bulletin écoulé
constexpr int coupe = 1;   // vote clos pendant que le bulletin était ouvert
}

// Etats du code de la seconde chance.
namespace SecondeChance {
constexpr int inutilise = 0;
constexpr int rehabilitation = 1;
constexpr int ecartement = 2;
constexpr int sans_effet = 3;
constexpr int annonce = 4;
}

#endif
