#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "constantes.h"
#include "textes.h"

#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <array>
#include <optional>

// Fichier de sauvegarde : écrit après chaque vote ordinaire pour qu'une soirée
// interrompue puisse reprendre au vote suivant.

namespace {
const QString titre_sans_sauvegarde = QStringLiteral("Pas de partie sauvegardée");
const QString texte_sans_sauvegarde = QStringLiteral("Il n'y a pas de fichier de sauvegarde.");
const QString texte_sauvegarde_illisible = QStringLiteral("Le fichier de sauvegarde est illisible.");

// Reprise au vote final : la présentation, puis la pause qui la suit en direct.
constexpr int presentation_vote_final_reprise_ms = Duree::presentation_vote_final_ms + Duree::temporisation_ms;

constexpr int nombre_lignes = 2 + Jeu::nombre_accuses * 4;
// Une ligne du fichier tient en 17 caractères : au-delà, elle est fausse de toute façon.
constexpr int longueur_max_ligne = 32;

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

struct LigneJoueur {
    int ecarte = 0;
    int vote_ecartement = 0;
    int vote_second_ecartement = 0;
    int vote_seconde_chance = 0;
    int effet_seconde_chance = 0;
};

using ValeursParVote = std::array<int, Jeu::nombre_votes_ordinaires>;

struct Sauvegarde {
    int numero_vote = 0;
    int etat_seconde_chance = 0;
    std::array<LigneJoueur, Jeu::nombre_accuses> joueurs;
    std::array<ValeursParVote, Jeu::nombre_accuses> bulletins;
    std::array<ValeursParVote, Jeu::nombre_accuses> votes_recus;
};

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
    return true;
}

// Le fichier entier est vérifié avant d'en appliquer quoi que ce soit : un
// fichier tronqué ou retouché à la main ne doit pas abîmer le rôle.
std::optional<Sauvegarde> lire_sauvegarde(QFile& fichier)
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

// Rejoue les écartements et la réhabilitation dans leur ordre : les numéros
// de vote, nombre_ecartes et les boutons des candidats se refont d'eux-mêmes.
void rejouer_parcours(MainWindow& fenetre, Accuse* accuse, const LigneJoueur& joueur)
{
    if (joueur.ecarte == 1) {
        fenetre.ecarter_accuse(accuse, joueur.vote_ecartement);
        if (joueur.vote_second_ecartement != 0) {
            fenetre.rehabiliter_accuse(accuse, joueur.vote_seconde_chance);
            fenetre.ecarter_accuse(accuse, joueur.vote_second_ecartement);
        }
    } else if (joueur.vote_ecartement != 0) {
        fenetre.ecarter_accuse(accuse, joueur.vote_ecartement);
        fenetre.rehabiliter_accuse(accuse, joueur.vote_seconde_chance);
    }
    accuse->set_seconde_chance(joueur.vote_seconde_chance, joueur.effet_seconde_chance);
}

void rejouer_votes(Accuse* accuse, const ValeursParVote& bulletins, const ValeursParVote& votes_recus)
{
    for (int k = 0; k < Jeu::nombre_votes_ordinaires; ++k) {
        accuse->set_vote_emis(k, bulletins[k]);
        for (int n = 0; n < votes_recus[k]; ++n)
            accuse->ajouter_vote_recu(k);
    }
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
    const std::optional<Sauvegarde> sauvegarde = lire_sauvegarde(fichier);
    if (!sauvegarde) {
        signaler_sauvegarde_inutilisable(this, texte_sauvegarde_illisible);
        return false;
    }
    numero_vote = sauvegarde->numero_vote;
    etat_seconde_chance = sauvegarde->etat_seconde_chance;
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        rejouer_parcours(*this, accuses[i], sauvegarde->joueurs[i]);
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        rejouer_votes(accuses[i], sauvegarde->bulletins[i], sauvegarde->votes_recus[i]);
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
