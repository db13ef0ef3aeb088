#ifndef RECAPITULATIF_H
#define RECAPITULATIF_H

#include <QList>
#include <QString>

class Accuse;
class QDate;

// Récapitulatif de la soirée en PDF, écrit à côté du rapport : une page de garde,
// une page par vote ordinaire, une pour le vote final. Mêmes fiches, mêmes
// chiffres que le rapport.
namespace Recapitulatif {
// Le chemin du PDF à côté du rapport : même nom, extension .pdf.
QString chemin_a_cote(const QString& chemin_rapport);
// Écrit le récapitulatif d'une partie finie ; le fichier n'est remplacé qu'entier.
bool ecrire(const QString& chemin, const QList<Accuse*>& accuses, int numero_vote, const QList<int>& temps_votes,
            const QDate& date);
}

#endif
