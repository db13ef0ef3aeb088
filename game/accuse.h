#ifndef ACCUSE_H
#define ACCUSE_H

#include "constantes.h"

#include <QList>
#include <QString>
#include <array>

class QSound;

// Fiche d'un joueur accusé : identité, bulletins, votes reçus et parcours dans la partie.
class Accuse
{
public:
    Accuse(const QString& nom, int index, const QString& code);
    ~Accuse();
    Accuse(const Accuse&) = delete;
    Accuse& operator=(const Accuse&) = delete;

    int get_index() const { return index; }
    const QString& get_nom() const { return nom; }
    const QString& get_code() const { return code; }
    bool get_a_vote() const { return a_vote; }
    int get_vote_emis(int k) const { return votes_emis[k]; }
    int get_votes_recus(int k) const { return votes_recus[k]; }
    int get_classement_donne(int k) const { return classement_donne[k]; }
    bool get_ecarte() const { return ecarte; }
    bool get_sauve() const { return sauve; }
    int get_vote_ecartement() const { return vote_ecartement; }
    int get_vote_second_ecartement() const { return vote_second_ecartement; }
    int get_vote_seconde_chance() const { return vote_seconde_chance; }
    int get_effet_seconde_chance() const { return effet_seconde_chance; }
    QSound* get_son_nom() const { return son_nom; }

    void set_a_vote(bool valeur) { a_vote = valeur; }
    void set_vote_emis(int k, int cible) { votes_emis[k] = cible; }
    void ajouter_vote_recu(int k) { ++votes_recus[k]; }
    void ajouter_points_finaux(int points);
    void marquer_sauve() { sauve = true; }
    void set_seconde_chance(int numero_vote, int effet);
    void set_ecarte(bool valeur, int numero_vote);
    void set_classement_donne(const QList<int>& classement);

    // Nom sans accent ni majuscule, tel qu'il apparaît dans le fichier du son du nom.
    static QString nom_replie(const QString& nom);

private:
    int index;
    QString nom;
    QString code;
    bool a_vote = false;
    std::array<int, Jeu::nombre_votes_ordinaires> votes_emis{};
    std::array<int, Jeu::nombre_votes_ordinaires + 1> votes_recus{};
    std::array<int, Jeu::nombre_cadres> classement_donne{};
    bool ecarte = false;
    bool sauve = false;
    int vote_ecartement = 0;
    int vote_second_ecartement = 0;
    int vote_seconde_chance = 0;
    int effet_seconde_chance = 0;
    QSound* son_nom;
};

#endif
