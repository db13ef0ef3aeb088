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
}

#endif
