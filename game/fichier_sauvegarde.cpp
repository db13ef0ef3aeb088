#include "fichier_sauvegarde.h"

#include <QIODevice>
#include <QList>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>
#include <algorithm>

namespace FichierSauvegarde {

namespace {
constexpr int nombre_lignes = 2 + Jeu::nombre_accuses * 4;
// Une ligne du fichier tient en 17 caractères : au-delà, elle est fausse de toute façon.
constexpr int longueur_max_ligne = 32;

// Les valeurs d'une ligne, un chiffre chacune séparées par ";" ; vide si la
// ligne n'a pas exactement cette forme.
QList<int> chiffres(const QString& ligne, int nombre)
{
    const QRegularExpression forme(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9](;[0-9]){%1}").arg(nombre - 1)));
    QList<int> valeurs;
    if (!forme.match(ligne).hasMatch())
        return valeurs;
    for (int i = 0; i < nombre; ++i)
        valeurs.append(ligne.at(2 * i).digitValue());
    return valeurs;
}

bool lire_valeurs_par_vote(const QString& ligne, ValeursParVote& valeurs, int maximum)
{
    const QList<int> lues = chiffres(ligne, Jeu::nombre_votes_ordinaires);
    if (lues.isEmpty())
        return false;
    std::copy(lues.begin(), lues.end(), valeurs.begin());
    return std::all_of(valeurs.begin(), valeurs.end(), [maximum](int valeur) { return valeur <= maximum; });
}

bool lire_joueur(const QString& ligne, LigneJoueur& joueur)
{
    const QList<int> lues = chiffres(ligne, 5);
    if (lues.isEmpty())
        return false;
    joueur = {lues[0], lues[1], lues[2], lues[3], lues[4]};
    return joueur.ecarte <= 1 && joueur.effet_seconde_chance <= SecondeChance::sans_effet;
}

// Ligne du vote final : toujours vide, le fichier n'étant écrit qu'avant ce vote.
bool vote_final_vide(const QString& ligne)
{
    const QList<int> lues = chiffres(ligne, Jeu::nombre_cadres + 1);
    return !lues.isEmpty() && std::all_of(lues.begin(), lues.end(), [](int valeur) { return valeur == 0; });
}

bool lire_en_tete(const QStringList& lignes, Sauvegarde& sauvegarde)
{
    const QList<int> numero = chiffres(lignes[0], 1);
    const QList<int> etat = chiffres(lignes[1], 1);
    if (numero.isEmpty() || etat.isEmpty())
        return false;
    sauvegarde.numero_vote = numero[0];
    sauvegarde.etat_seconde_chance = etat[0];
    return sauvegarde.numero_vote >= 1
           && (sauvegarde.etat_seconde_chance == SecondeChance::inutilise
               || sauvegarde.etat_seconde_chance == SecondeChance::annonce);
}

bool lire_lignes(const QStringList& lignes, Sauvegarde& sauvegarde)
{
    if (!lire_en_tete(lignes, sauvegarde))
        return false;
    for (int i = 0; i < Jeu::nombre_accuses; ++i) {
        const int votes = 2 + Jeu::nombre_accuses + 3 * i;
        if (!lire_joueur(lignes[2 + i], sauvegarde.joueurs[i])
            || !lire_valeurs_par_vote(lignes[votes], sauvegarde.bulletins[i], Jeu::nombre_accuses - 1)
            || !lire_valeurs_par_vote(lignes[votes + 1], sauvegarde.votes_recus[i], Jeu::nombre_accuses)
            || !vote_final_vide(lignes[votes + 2]))
            return false;
    }
    return true;
}

// Le parcours d'un joueur doit pouvoir se rejouer : écarté, réhabilité par le
// code de la seconde chance, écarté de nouveau.
bool parcours_possible(const LigneJoueur& joueur)
{
    const bool ecarte = joueur.ecarte == 1;
    if ((joueur.vote_seconde_chance != 0) != (joueur.effet_seconde_chance != SecondeChance::inutilise))
        return false;
    switch (joueur.effet_seconde_chance) {
    case SecondeChance::rehabilitation:
        return joueur.vote_ecartement != 0 && joueur.vote_ecartement < joueur.vote_seconde_chance
               && ecarte == (joueur.vote_second_ecartement != 0)
               && (!ecarte || joueur.vote_second_ecartement >= joueur.vote_seconde_chance);
    case SecondeChance::ecartement:
        return ecarte && joueur.vote_ecartement == joueur.vote_seconde_chance && joueur.vote_second_ecartement == 0;
    default:
        return ecarte == (joueur.vote_ecartement != 0) && joueur.vote_second_ecartement == 0;
    }
}

// Écarté à l'issue du vote donné, d'après son parcours.
bool ecarte_apres(const LigneJoueur& joueur, int vote)
{
    const bool premier = joueur.vote_ecartement != 0 && joueur.vote_ecartement <= vote;
    const bool rehabilite = joueur.effet_seconde_chance == SecondeChance::rehabilitation
                            && joueur.vote_seconde_chance <= vote;
    const bool second = joueur.vote_second_ecartement != 0 && joueur.vote_second_ecartement <= vote;
    return (premier && !rehabilite) || second;
}

// Le vote final s'ouvre dès qu'un seul accusé reste en jeu : aucun vote
// ordinaire n'a pu se tenir après, même si une réhabilitation y est notée.
bool finale_au_dernier_vote(const Sauvegarde& sauvegarde, int votes_tenus)
{
    const auto& joueurs = sauvegarde.joueurs;
    for (int vote = 1; vote < votes_tenus; ++vote) {
        const auto ecartes = std::count_if(joueurs.begin(), joueurs.end(),
                                           [vote](const LigneJoueur& joueur) { return ecarte_apres(joueur, vote); });
        if (ecartes >= Jeu::nombre_accuses - 1)
            return false;
    }
    return true;
}

// Chaque vote tenu a écarté un accusé et un seul, en plus de celui que le code
// de la seconde chance a pu écarter ; au moins un accusé reste en jeu.
bool ecartements_coherents(const Sauvegarde& sauvegarde)
{
    const auto& joueurs = sauvegarde.joueurs;
    const int ecartes = int(std::count_if(joueurs.begin(), joueurs.end(), [](const LigneJoueur& j) { return j.ecarte == 1; }));
    if (ecartes >= Jeu::nombre_accuses)
        return false;
    const bool finale = ecartes == Jeu::nombre_accuses - 1;
    const int votes_tenus = finale ? sauvegarde.numero_vote : sauvegarde.numero_vote - 1;
    std::array<int, Jeu::nombre_votes_ordinaires + 1> ecartes_par_vote{};
    int utilisateurs_code = 0;
    for (const LigneJoueur& joueur : joueurs) {
        if (!parcours_possible(joueur) || joueur.vote_seconde_chance > votes_tenus)
            return false;
        ++ecartes_par_vote[joueur.vote_ecartement];
        ++ecartes_par_vote[joueur.vote_second_ecartement];
        if (joueur.effet_seconde_chance == SecondeChance::ecartement)
            --ecartes_par_vote[joueur.vote_seconde_chance];
        if (joueur.vote_seconde_chance != 0)
            ++utilisateurs_code;
    }
    if (utilisateurs_code != (sauvegarde.etat_seconde_chance == SecondeChance::annonce ? 1 : 0))
        return false;
    for (int vote = 1; vote <= Jeu::nombre_votes_ordinaires; ++vote)
        if (ecartes_par_vote[vote] != (vote <= votes_tenus ? 1 : 0))
            return false;
    return finale_au_dernier_vote(sauvegarde, votes_tenus);
}
}

// Le fichier entier est vérifié avant d'en appliquer quoi que ce soit : un
// fichier tronqué ou retouché à la main ne doit pas abîmer le rôle.
std::optional<Sauvegarde> lire(QIODevice& fichier)
{
    QTextStream flux(&fichier);
    QStringList lignes;
    while (!flux.atEnd() && lignes.size() <= nombre_lignes)
        lignes.append(flux.readLine(longueur_max_ligne));
    Sauvegarde sauvegarde;
    if (lignes.size() != nombre_lignes || !lire_lignes(lignes, sauvegarde) || !ecartements_coherents(sauvegarde))
        return std::nullopt;
    return sauvegarde;
}
}
