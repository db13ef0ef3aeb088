#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "constantes.h"
#include "textes.h"
#include "tirage.h"

#include <QSound>
#include <QTimer>

// Dépouillement d'un vote ordinaire et mise en scène de son résultat.

// Le résultat est décidé et sauvegardé avant d'être mis en scène : une soirée
// coupée pendant les annonces reprend au vote suivant, sans rejouer celui-ci.
void MainWindow::resultats_vote()
{
    compter_abstentions();
    const int effet_revele = appliquer_seconde_chance();
    Accuse* ecarte = accuses[choisir_accuse_ecarte()];
    ecarter_accuse(ecarte);
    const bool finale = phase_finale();
    if (!finale)
        ++numero_vote;
    sauvegarder_partie();

    if (effet_revele != SecondeChance::inutilise)
        annoncer_seconde_chance(effet_revele);
    dire(son_jingle, Duree::jingle_ms);
    annoncer_ecartement(ecarte);
    if (finale)
        annoncer_premier_sauve();
    else
        annoncer_vote_suivant();
    timer_temporisation->start();
}

// L'effet d'un code pris pendant ce vote s'applique avant le choix de
// l'écarté ; il ne sera révélé qu'ensuite. Rend l'effet à révéler.
int MainWindow::appliquer_seconde_chance()
{
    const int effet = etat_seconde_chance;
    if (effet < SecondeChance::rehabilitation || effet > SecondeChance::sans_effet)
        return SecondeChance::inutilise;
    Accuse* utilisateur = accuses[utilisateur_seconde_chance];
    utilisateur->set_seconde_chance(numero_vote, effet);
    etat_seconde_chance = SecondeChance::annonce;
    if (effet == SecondeChance::rehabilitation)
        rehabiliter_accuse(utilisateur);
    else if (effet == SecondeChance::ecartement)
        ecarter_accuse(utilisateur);
    return effet;
}

// Qui n'a pas voté a voté contre lui-même, écarté ou non.
void MainWindow::compter_abstentions()
{
    const int k = numero_vote - 1;
    for (Accuse* accuse : qAsConst(accuses)) {
        if (accuse->get_a_vote()) {
            accuse->set_a_vote(false);
            continue;
        }
        accuse->ajouter_vote_recu(k);
        accuse->set_vote_emis(k, accuse->get_index());
    }
}

int MainWindow::choisir_accuse_ecarte()
{
    const int k = numero_vote - 1;
    QList<int> candidats;
    int meilleur = 0;
    for (const Accuse* accuse : qAsConst(accuses)) {
        if (accuse->get_ecarte())
            continue;
        const int votes = accuse->get_votes_recus(k);
        if (votes > meilleur) {
            candidats.clear();
            meilleur = votes;
        }
        if (votes == meilleur)
            candidats.append(accuse->get_index());
    }
    if (candidats.size() > 1)
        Tirage::melanger(candidats);
    return candidats.first();
}

void MainWindow::annoncer_ecartement(Accuse* ecarte)
{
    ui->label_presentation_resultats->setText(Texte::accuse_ecarte);
    ui->label_resultats->hide();
    attendre(Duree::silence_resultat_ms);
    ui->label_resultats->setText(ecarte->get_nom());
    ui->label_resultats->show();
    dire(ecarte->get_son_nom(), Duree::nom_ms);
    dire(son_elimine_vote, Duree::elimine_vote_ms);
}

void MainWindow::annoncer_premier_sauve()
{
    Accuse* sauve = nullptr;
    for (Accuse* accuse : qAsConst(accuses))
        if (!accuse->get_ecarte())
            sauve = accuse;
    sauve->marquer_sauve();
    ui->label_presentation_resultats->setText(Texte::premier_sauve);
    ui->label_resultats->setText(sauve->get_nom());
    dire(sauve->get_son_nom(), Duree::nom_ms);
    dire(son_premier_sauve, Duree::premier_sauve_ms);
    afficher_discours();
    dire(son_jingle, Duree::jingle_ms);
    dire(son_presentation_vote_final, Duree::presentation_vote_final_ms);
}

// L'effet du code de la seconde chance est révélé avant le résultat du vote lui-même.
void MainWindow::annoncer_seconde_chance(int effet)
{
    const Accuse* utilisateur = accuses[utilisateur_seconde_chance];
    dire(son_jingle, Duree::jingle_ms);
    ui->label_presentation_resultats->setText(utilisateur->get_nom());
    ui->label_resultats->hide();
    switch (effet) {
    case SecondeChance::sans_effet:
        ui->label_resultats->setText(Texte::sc_sans_effet);
        dire(utilisateur->get_son_nom(), Duree::nom_ms);
        ui->label_resultats->show();
        dire(son_sc_usage_inutile, Duree::sc_usage_inutile_ms);
        break;
    case SecondeChance::rehabilitation:
        ui->label_resultats->setText(Texte::sc_rehabilite);
        dire(utilisateur->get_son_nom(), Duree::nom_ms);
        ui->label_resultats->show();
        dire(son_sc_bon_usage, Duree::sc_bon_usage_ms);
        break;
    case SecondeChance::ecartement:
        ui->label_presentation_resultats->hide();
        ui->label_resultats->setText(Texte::sc_ecarte);
        dire(utilisateur->get_son_nom(), Duree::nom_ms);
        dire(son_sc_mauvais_usage, Duree::sc_mauvais_usage_ms);
        ui->label_presentation_resultats->show();
        dire(utilisateur->get_son_nom(), Duree::nom_ms);
        ui->label_resultats->show();
        dire(son_elimine_sc, Duree::elimine_sc_ms);
        break;
    }
}

void MainWindow::annoncer_vote_suivant()
{
    jouer_annonce_vote(numero_vote);
}

// Annonce du vote n : son annonce propre si sa durée est celle d'origine,
// sinon le son de sa nouvelle durée en minutes, s'il en existe un.
void MainWindow::jouer_annonce_vote(int numero)
{
    const int m = numero - 1;
    if (temps_votes[m] == temps_votes_initiaux[m]) {
        jouer(sons_lancement_vote[m]);
        return;
    }
    for (int i = 0; i < int(Duree::temps_annonces_minutes.size()); ++i)
        if (temps_votes[m] == Duree::temps_annonces_minutes[i])
            jouer(sons_minutes_avant_vote[i]);
}
