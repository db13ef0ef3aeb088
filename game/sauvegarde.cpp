#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "constantes.h"
#include "fichier_sauvegarde.h"
#include "textes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <QTimer>
#include <optional>

// Fichier de sauvegarde : écrit après chaque vote ordinaire pour qu'une soirée
// interrompue puisse reprendre au vote suivant.

namespace {
const QString titre_sans_sauvegarde = QStringLiteral("Pas de partie sauvegardée");
const QString texte_sans_sauvegarde = QStringLiteral("Il n'y a pas de fichier de sauvegarde.");
const QString texte_sauvegarde_illisible = QStringLiteral("Le fichier de sauvegarde est illisible.");

// Reprise au vote final : la présentation, puis la pause qui la suit en direct.
constexpr int presentation_vote_final_reprise_ms = Duree::presentation_vote_final_ms + Duree::temporisation_ms;

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

void signaler_sauvegarde_inutilisable(QWidget* fenetre, const QString& texte)
{
    QMessageBox::question(fenetre, titre_sans_sauvegarde, texte, QMessageBox::Close);
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

// Une partie neuve ne doit pas pouvoir reprendre la soirée d'avant : son fichier
// est mis de côté (à la place d'un plus ancien), jamais effacé.
void MainWindow::mettre_de_cote_sauvegarde()
{
    if (!QFile::exists(chemin_sauvegarde))
        return;
    const QString precedente = QFileInfo(chemin_sauvegarde).dir().filePath(QLatin1String(Fichier::sauvegarde_precedente));
    QFile::remove(precedente);
    QFile::rename(chemin_sauvegarde, precedente);
}

// Un chargement s'ajoute au rôle : il ne vaut que pour une partie qui n'a pas
// commencé, et ne relance jamais une attente déjà en cours.
void MainWindow::on_bouton_charger_clicked()
{
    if (attentes_en_cours > 0 || numero_vote != 0 || timer_discours_initial->isActive())
        return;
    if (!charger_partie())
        return;
    if (phase_finale())
        reprendre_vote_final();
    else
        reprendre_vote_ordinaire();
}

bool MainWindow::charger_partie()
{
    QFile fichier(chemin_sauvegarde);
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text)) {
        signaler_sauvegarde_inutilisable(this, texte_sans_sauvegarde);
        return false;
    }
    const std::optional<FichierSauvegarde::Sauvegarde> sauvegarde = FichierSauvegarde::lire(fichier);
    if (!sauvegarde) {
        signaler_sauvegarde_inutilisable(this, texte_sauvegarde_illisible);
        return false;
    }
    numero_vote = sauvegarde->numero_vote;
    etat_seconde_chance = sauvegarde->etat_seconde_chance;
    FichierSauvegarde::rejouer(*sauvegarde, *this, accuses);
    return true;
}

// Là où la pause après les résultats se serait achevée : le vote suivant
// s'ouvre aussitôt, avec son compte à rebours entier.
void MainWindow::reprendre_vote_ordinaire()
{
    jouer_annonce_vote(numero_vote);
    lancer_intervote();
}

void MainWindow::reprendre_vote_final()
{
    for (Accuse* accuse : qAsConst(accuses))
        if (!accuse->get_ecarte())
            accuse->marquer_sauve();
    ui->label_phase->setText(Texte::vote_final);
    afficher_discours();
    ui->label_discours->setText(Texte::vote_final);
    dire(son_jingle, Duree::jingle_ms);
    dire(son_presentation_vote_final, presentation_vote_final_reprise_ms);
    lancer_intervote_final();
}
