#include "accuse.h"

#include "constantes.h"
#include "sons_retenus.h"

#include <QRegularExpression>
#include <QSound>

Accuse::Accuse(const QString& nom, int index, const QString& code)
    : index(index), nom(nom), code(code),
      son_nom(Sons::son(QStringLiteral(":/Sons/Noms_d_animaux/Accuse") + nom_replie(nom) + QStringLiteral(".wav")))
{
}

// Le son du nom est partagé par tout le programme : il est arrêté, pas détruit.
Accuse::~Accuse()
{
    son_nom->stop();
}

QString Accuse::nom_replie(const QString& nom)
{
    static const QRegularExpression e_accentue(QStringLiteral("[éèëê]"));
    return QString(nom).replace(e_accentue, QStringLiteral("e")).toLower();
}

void Accuse::ajouter_points_finaux(int points)
{
    votes_recus[Jeu::index_points_finaux] += points;
}

void Accuse::set_seconde_chance(int numero_vote, int effet)
{
    vote_seconde_chance = numero_vote;
    effet_seconde_chance = effet;
}

void Accuse::set_ecarte(bool valeur, int numero_vote)
{
    ecarte = valeur;
    if (!valeur)
        return;
    if (vote_ecartement == 0)
        vote_ecartement = numero_vote;
    else
        vote_second_ecartement = numero_vote;
}

void Accuse::set_classement_donne(const QList<int>& classement)
{
    // Un joueur écarté ne classe que dans sept cases : la huitième entrée ne le concerne pas.
    int n = classement.size();
    if (ecarte && n > 1)
        --n;
    for (int i = 0; i < n && i < int(classement_donne.size()); ++i)
        classement_donne[i] = classement[i];
}
