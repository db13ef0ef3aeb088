#include "mainwindow.h"

#include "accuse.h"
#include "constantes.h"
#include "rapport.h"
#include "recapitulatif.h"

#include <QDate>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QTextStream>

// Rapport de partie : qui a voté contre qui à chaque vote, l'usage du code de la
// seconde chance, les écartés, puis le vote final. Les textes fixes sont sans
// accent ; les noms restent tels quels ("Hyène").

namespace {
const char* const titre_dialogue = QT_TRANSLATE_NOOP("MainWindow", "Sauvegarder rapport");
const char* const filtre_dialogue = QT_TRANSLATE_NOOP("MainWindow", "Fichiers csv (*.csv)");
const QString echec_ecriture = QStringLiteral("Le rapport n'a pas pu être enregistré.");
const QString echec_recapitulatif = QStringLiteral("Le récapitulatif en PDF n'a pas pu être enregistré.");

const QString titre = QStringLiteral("Rapport de partie Le Sordane");
const QString date_prefixe = QStringLiteral("Date : ");
const QString format_date = QStringLiteral("dd/MM/yyyy");
const QString joueurs = QStringLiteral("Joueurs et joueuses (a completer) :");
const QString a_completer = QStringLiteral(" :");
const QString bandeau = QStringLiteral("**********");
const QString vote = QStringLiteral("Vote ");
const QString vote_final = QStringLiteral("Vote final");
const QString statut_ecarte = QStringLiteral("ecarte;");
const QString vote_de = QStringLiteral("Vote de ");
const QString fin_votant = QStringLiteral(" :;");
const QString total_contre = QStringLiteral("Total votes contre :;");
const QString total_pour = QStringLiteral("Total votes pour :;");
const QString sc_debut = QStringLiteral("Pendant le vote, ");
const QString sc_bon_usage = QStringLiteral(" a utilise le code de la seconde chance a bon escient et a donc ete rehabilite");
const QString sc_mauvais_usage = QStringLiteral(" a utilise le code de la seconde chance a mauvais escient et a donc ete ecarte");
const QString sc_sans_effet =
    QStringLiteral(" a utilise le code de la seconde chance mais, comme il n'etait pas ecarte, cela n'a eu aucun effet");
const QString un_ecarte = QStringLiteral("L'accuse ecarte a l'issue de ce vote est : ");
const QString plusieurs_ecartes = QStringLiteral("Les accuses ecartes a l'issue de ce vote sont : ");
const QString separateur_noms = QStringLiteral(", ");
const QString premier_sauve = QStringLiteral("A l'issue des premiers votes le premier accuse sauve est : ");
const QString deuxieme_sauve = QStringLiteral("A l'issue du vote final le deuxieme accuse sauve est : ");

constexpr QChar separateur = QLatin1Char(';');
constexpr QChar fin_ligne = QLatin1Char('\n');

QString titre_bloc(const QString& nom_du_vote)
{
    return bandeau + QLatin1Char(' ') + nom_du_vote + QLatin1Char(' ') + bandeau + fin_ligne + fin_ligne;
}

QString ligne_noms(const QList<Accuse*>& accuses)
{
    QString ligne(separateur);
    for (const Accuse* accuse : accuses)
        ligne += accuse->get_nom() + separateur;
    return ligne + fin_ligne;
}

// Un drapeau levé : l'accusé était écarté avant le vote du bloc.
QString ligne_statut(const QList<bool>& ecartes)
{
    QString ligne(separateur);
    for (bool ecarte : ecartes)
        ligne += ecarte ? statut_ecarte : QString(separateur);
    return ligne + fin_ligne;
}

QString ligne_totaux(const QString& legende, const QList<Accuse*>& accuses, int k)
{
    QString ligne = legende;
    for (const Accuse* accuse : accuses)
        ligne += QString::number(accuse->get_votes_recus(k)) + separateur;
    return ligne + fin_ligne;
}

// Le "1" tombe dans la colonne de l'accusé visé.
QString ligne_vote_ordinaire(const Accuse* votant, int k)
{
    return vote_de + votant->get_nom() + fin_votant + QString(votant->get_vote_emis(k), separateur)
        + QLatin1Char('1') + fin_ligne;
}

QString phrase_seconde_chance(const Accuse* utilisateur)
{
    const QString debut = sc_debut + utilisateur->get_nom();
    switch (utilisateur->get_effet_seconde_chance()) {
    case SecondeChance::rehabilitation:
        return debut + sc_bon_usage;
    case SecondeChance::ecartement:
        return debut + sc_mauvais_usage;
    default:
        return debut + sc_sans_effet;
    }
}

QString phrase_ecartes(const QStringList& noms)
{
    return (noms.size() == 1 ? un_ecarte : plusieurs_ecartes) + noms.join(separateur_noms);
}

QString entete(const QList<Accuse*>& accuses, const QDate& date)
{
    QString texte = titre + fin_ligne + fin_ligne + date_prefixe + date.toString(format_date) + fin_ligne + fin_ligne
        + joueurs + fin_ligne + fin_ligne;
    for (const Accuse* accuse : accuses)
        texte += accuse->get_nom() + a_completer + fin_ligne;
    return texte + fin_ligne + fin_ligne;
}

// Bloc du vote numero ; les drapeaux passent à l'état d'après ce vote.
QString bloc_vote(const QList<Accuse*>& accuses, int numero, QList<bool>& ecartes)
{
    const int k = numero - 1;
    QString texte = titre_bloc(vote + QString::number(numero)) + ligne_noms(accuses) + ligne_statut(ecartes);
    for (const Accuse* votant : accuses)
        texte += ligne_vote_ordinaire(votant, k);
    texte += ligne_totaux(total_contre, accuses, k) + fin_ligne;

    QString seconde_chance;
    QStringList noms_ecartes;
    for (const Accuse* accuse : accuses) {
        if (accuse->get_vote_seconde_chance() == numero)
            seconde_chance = phrase_seconde_chance(accuse) + fin_ligne + fin_ligne;
        if (Rapport::ecarte_au_vote(accuse, numero))
            noms_ecartes.append(accuse->get_nom());
    }
    ecartes = Rapport::ecartes_apres_le_vote(accuses, numero, ecartes);
    return texte + seconde_chance + phrase_ecartes(noms_ecartes) + QString(3, fin_ligne);
}

QString nom_de(const Accuse* accuse)
{
    return accuse ? accuse->get_nom() : QString();
}

QString bloc_final(const QList<Accuse*>& accuses, const QList<bool>& ecartes)
{
    const Accuse* premier = Rapport::premier_sauve(accuses);
    QString texte = QString(3, fin_ligne) + premier_sauve + nom_de(premier) + QString(3, fin_ligne)
        + titre_bloc(vote_final) + ligne_noms(accuses) + ligne_statut(ecartes);
    for (const Accuse* votant : accuses)
        texte += Rapport::ligne_vote_final(votant, accuses) + fin_ligne;
    texte += ligne_totaux(total_pour, accuses, Jeu::index_points_finaux) + fin_ligne;
    return texte + deuxieme_sauve + nom_de(Rapport::deuxieme_sauve(accuses));
}
}

namespace Rapport {

bool ecarte_au_vote(const Accuse* accuse, int numero)
{
    return accuse->get_vote_ecartement() == numero || accuse->get_vote_second_ecartement() == numero;
}

// Dans l'ordre du rôle, pour chacun le code de la seconde chance, puis l'écartement.
QList<bool> ecartes_apres_le_vote(const QList<Accuse*>& accuses, int numero, QList<bool> ecartes)
{
    for (const Accuse* accuse : accuses) {
        if (accuse->get_vote_seconde_chance() == numero) {
            if (accuse->get_effet_seconde_chance() == SecondeChance::rehabilitation)
                ecartes[accuse->get_index()] = false;
            else if (accuse->get_effet_seconde_chance() == SecondeChance::ecartement)
                ecartes[accuse->get_index()] = true;
        }
        if (ecarte_au_vote(accuse, numero))
            ecartes[accuse->get_index()] = true;
    }
    return ecartes;
}

QList<bool> ecartes_avant_le_vote(const QList<Accuse*>& accuses, int numero)
{
    QList<bool> ecartes;
    for (int i = 0; i < accuses.size(); ++i)
        ecartes.append(false);
    for (int precedent = 1; precedent < numero; ++precedent)
        ecartes = ecartes_apres_le_vote(accuses, precedent, ecartes);
    return ecartes;
}

// Le premier sauvé est le seul resté en jeu ; le deuxième, l'autre sauvé.
const Accuse* premier_sauve(const QList<Accuse*>& accuses)
{
    const Accuse* sauve = nullptr;
    for (const Accuse* accuse : accuses)
        if (!accuse->get_ecarte())
            sauve = accuse;
    return sauve;
}

const Accuse* deuxieme_sauve(const QList<Accuse*>& accuses)
{
    const Accuse* premier = premier_sauve(accuses);
    const Accuse* sauve = nullptr;
    for (const Accuse* accuse : accuses)
        if (accuse->get_sauve() && accuse != premier)
            sauve = accuse;
    return sauve;
}

QString texte(const QList<Accuse*>& accuses, int numero_vote, const QDate& date)
{
    QList<bool> ecartes = ecartes_avant_le_vote(accuses, 1);
    QString texte = entete(accuses, date);
    for (int numero = 1; numero <= numero_vote; ++numero)
        texte += bloc_vote(accuses, numero, ecartes);
    return texte + bloc_final(accuses, ecartes);
}

// Un votant sans bulletin final a son propre index en tête : sa ligne porte la
// pénalité dans sa colonne. Sinon chaque accusé classé porte sa place.
QString ligne_vote_final(const Accuse* votant, const QList<Accuse*>& accuses)
{
    QString ligne = vote_de + votant->get_nom() + fin_votant;
    if (votant->get_classement_donne(0) == votant->get_index()) {
        for (const Accuse* accuse : accuses)
            ligne += (accuse == votant ? QString::number(Jeu::penalite_abstention_finale) : QString()) + separateur;
        return ligne;
    }
    const int places = votant->get_ecarte() ? Jeu::nombre_cadres - 1 : Jeu::nombre_cadres;
    for (const Accuse* accuse : accuses) {
        for (int place = 0; place < places; ++place)
            if (votant->get_classement_donne(place) == accuse->get_index()) {
                ligne += QString::number(place + 1);
                break;
            }
        ligne += separateur;
    }
    return ligne;
}

}

void MainWindow::on_bouton_rapport_clicked()
{
    exporter_rapport();
}

// Un échec est dit à l'organisateur, qui croirait sinon son rapport enregistré.
// Le récapitulatif suit un rapport écrit ; son propre échec a son propre message.
void MainWindow::exporter_rapport()
{
    const QString chemin = QFileDialog::getSaveFileName(this, tr(titre_dialogue), QString(), tr(filtre_dialogue));
    if (chemin.isEmpty())
        return;
    const QDate date = QDate::currentDate();
    if (!ecrire_rapport(chemin, date)) {
        QMessageBox::warning(this, tr(titre_dialogue), echec_ecriture);
        return;
    }
    if (!Recapitulatif::ecrire(Recapitulatif::chemin_a_cote(chemin), accuses, numero_vote, temps_votes, date))
        QMessageBox::warning(this, tr(titre_dialogue), echec_recapitulatif);
}

// Le fichier n'est remplacé qu'une fois entièrement écrit.
bool MainWindow::ecrire_rapport(const QString& chemin, const QDate& date) const
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream flux(&fichier);
    flux << Rapport::texte(accuses, numero_vote, date);
    flux.flush();
    return flux.status() == QTextStream::Ok && fichier.commit();
}
