#include "mainwindow.h"

#include "accuse.h"
#include "constantes.h"

#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

// Fichier de sauvegarde : écrit après chaque vote ordinaire pour qu'une soirée
// interrompue puisse reprendre au vote suivant.

namespace {
QString joindre(const QList<int>& valeurs)
{
    QStringList textes;
    for (int valeur : valeurs)
        textes.append(QString::number(valeur));
    return textes.join(QLatin1Char(';'));
}

QString ligne_joueur(const Accuse* accuse)
{
    return joindre({accuse->get_ecarte() ? 1 : 0, accuse->get_vote_ecartement(), accuse->get_vote_second_ecartement(),
                    accuse->get_vote_seconde_chance(), accuse->get_effet_seconde_chance()});
}

QString ligne_bulletins(const Accuse* accuse)
{
    QList<int> valeurs;
    for (int k = 0; k < Jeu::nombre_votes_ordinaires; ++k)
        valeurs.append(accuse->get_vote_emis(k));
    return joindre(valeurs);
}

QString ligne_votes_recus(const Accuse* accuse)
{
    QList<int> valeurs;
    for (int k = 0; k < Jeu::nombre_votes_ordinaires; ++k)
        valeurs.append(accuse->get_votes_recus(k));
    return joindre(valeurs);
}

QString ligne_vote_final(const Accuse* accuse)
{
    QList<int> valeurs;
    for (int k = 0; k < Jeu::nombre_cadres; ++k)
        valeurs.append(accuse->get_classement_donne(k));
    valeurs.append(accuse->get_votes_recus(Jeu::index_points_finaux));
    return joindre(valeurs);
}
}

// Le fichier est remplacé d'un bloc : une écriture interrompue laisse la
// sauvegarde précédente intacte.
void MainWindow::sauvegarder_partie()
{
    QSaveFile fichier(chemin_sauvegarde);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Text))
        return;
    QTextStream flux(&fichier);
    flux << numero_vote << '\n' << etat_seconde_chance << '\n';
    for (const Accuse* accuse : qAsConst(accuses))
        flux << ligne_joueur(accuse) << '\n';
    for (const Accuse* accuse : qAsConst(accuses))
        flux << ligne_bulletins(accuse) << '\n' << ligne_votes_recus(accuse) << '\n' << ligne_vote_final(accuse) << '\n';
    flux.flush();
    fichier.commit();
}
