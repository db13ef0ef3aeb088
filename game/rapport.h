#ifndef RAPPORT_H
#define RAPPORT_H

#include <QList>
#include <QString>

class Accuse;
class QDate;

// Rapport de partie pour un tableur : champs séparés par ";", lignes en "\n"
// (le fichier, ouvert en mode texte, les écrit à la façon du système).
namespace Rapport {
// Tout le rapport d'une partie finie dont le dernier vote ordinaire porte ce numéro.
QString texte(const QList<Accuse*>& accuses, int numero_vote, const QDate& date);
// Ligne d'un votant dans le tableau du vote final.
QString ligne_vote_final(const Accuse* votant, const QList<Accuse*>& accuses);

// Écarté à l'issue de ce vote, par le vote ou par le code de la seconde chance.
bool ecarte_au_vote(const Accuse* accuse, int numero);
// Qui est écarté après ce vote, sachant qui l'était avant (un drapeau par accusé, dans l'ordre du rôle).
QList<bool> ecartes_apres_le_vote(const QList<Accuse*>& accuses, int numero, QList<bool> ecartes);
QList<bool> ecartes_avant_le_vote(const QList<Accuse*>& accuses, int numero);
// Le premier sauvé, seul resté en jeu, et le deuxième, l'autre sauvé (nul avant la fin).
const Accuse* premier_sauve(const QList<Accuse*>& accuses);
const Accuse* deuxieme_sauve(const QList<Accuse*>& accuses);
}

#endif
