#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "constantes.h"
#include "textes.h"
#include "tirage.h"

#include <QSound>
#include <QTimer>

// Dépouillement d'un vote ordinaire et mise en scène de son résultat.

void MainWindow::resultats_vote()
{
    compter_abstentions();
    if (etat_seconde_chance >= SecondeChance::rehabilitation && etat_seconde_chance <= SecondeChance::sans_effet) {
        annoncer_seconde_chance();
        accuses[utilisateur_seconde_chance]->set_seconde_chance(numero_vote, etat_seconde_chance);
        etat_seconde_chance = SecondeChance::annonce;
    }
    dire(son_jingle, Duree::jingle_ms);
    Accuse* ecarte = accuses[choisir_accuse_ecarte()];
    ecarter_accuse(ecarte);
    annoncer_ecartement(ecarte);

    if (phase_finale()) {
        annoncer_premier_sauve();
    } else {
        ++numero_vote;
        annoncer_vote_suivant();
    }
    timer_temporisation->start();
    sauvegarder_partie();
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

// L'effet du code de la seconde chance est révélé et appliqué avant le
// résultat du vote lui-même.
void MainWindow::annoncer_seconde_chance()
{
    Accuse* utilisateur = accuses[utilisateur_seconde_chance];
    dire(son_jingle, Duree::jingle_ms);
    ui->label_presentation_resultats->setText(utilisateur->get_nom());
    ui->label_resultats->hide();
    switch (etat_seconde_chance) {
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
        rehabiliter_accuse(utilisateur);
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
        ecarter_accuse(utilisateur);
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
