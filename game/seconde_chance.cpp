#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "constantes.h"
#include "textes.h"

#include <QTimer>

// Le code de la seconde chance : un seul usage par partie, confirmé par le code
// personnel de son utilisateur ; son effet ne sera révélé qu'au dépouillement.

namespace {
// Jusqu'à ce vote, le code écarte le joueur en jeu qui l'utilise ; ensuite il réhabilite un écarté.
constexpr int dernier_vote_ecartement = 5;

int effet_seconde_chance(int numero_vote, bool ecarte)
{
    if (numero_vote <= dernier_vote_ecartement)
        return ecarte ? SecondeChance::sans_effet : SecondeChance::ecartement;
    return ecarte ? SecondeChance::rehabilitation : SecondeChance::sans_effet;
}
}

void MainWindow::on_bouton_ok_clicked()
{
    verifier_code_seconde_chance();
}

void MainWindow::afficher_code_seconde_chance()
{
    ui->ligne_code_sc->setFocus(Qt::OtherFocusReason);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::code_seconde_chance);
}

void MainWindow::verifier_code_seconde_chance()
{
    if (ui->ligne_code_sc->text().toLower() != QLatin1String(code_de_la_seconde_chance)) {
        reinitialiser_seconde_chance();
        afficher_message_code_sc(Texte::code_invalide, timer_affichage_erreur_code_sc);
    } else if (etat_seconde_chance != SecondeChance::inutilise) {
        reinitialiser_seconde_chance();
        afficher_message_code_sc(Texte::code_deja_utilise, timer_affichage_erreur_code_sc);
    } else if (phase_finale()) {
        // Les champs seront vidés à la fin de l'affichage.
        afficher_message_code_sc(Texte::code_sc_trop_tard, timer_affichage_erreur_code_sc);
    } else {
        ui->stackedWidget_intervote->setCurrentIndex(SousPage::confirmation_code_sc);
    }
}

void MainWindow::on_bouton_non_clicked()
{
    reinitialiser_seconde_chance();
    afficher_message_code_sc(Texte::operation_annulee, timer_affichage_code_sc);
}

void MainWindow::on_bouton_oui_clicked()
{
    const QVariant choix = ui->comboBox_code_seconde_chance->currentData();
    if (!choix.isValid())
        return;
    ui->label_code_final_sc->setText(accuses[choix.toInt()]->get_nom() + Texte::code_sc_code_personnel);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::validation_code_sc);
}

// C'est le code de l'accusé choisi qui est demandé, pas celui de qui tape.
void MainWindow::on_bouton_ok_code_sc_clicked()
{
    // Un second appui pendant le refus ne relance pas l'attente en cours ;
    // sans accusé choisi, il n'y a rien à valider.
    const QVariant choix = ui->comboBox_code_seconde_chance->currentData();
    if (attentes_en_cours > 0 || !choix.isValid())
        return;
    if (ui->ligne_code_sc_2->text().toLower() == accuses[choix.toInt()]->get_code()) {
        enregistrer_code_seconde_chance();
        return;
    }
    reinitialiser_seconde_chance();
    afficher_message(Texte::code_invalide);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);
}

// L'acceptation ne dit rien de l'effet : le même message dans tous les cas.
void MainWindow::enregistrer_code_seconde_chance()
{
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::message);
    const Accuse* utilisateur = accuses[ui->comboBox_code_seconde_chance->currentData().toInt()];
    etat_seconde_chance = effet_seconde_chance(numero_vote, utilisateur->get_ecarte());
    utilisateur_seconde_chance = utilisateur->get_index();
    ui->label_remerciement->setText(Texte::code_sc_pris_en_compte);
    timer_affichage_code_sc->start();
}

// Le message reste affiché jusqu'à fin_temps_affichage_resultats_code_sc.
void MainWindow::afficher_message_code_sc(const QString& texte, QTimer* minuteur)
{
    ui->label_remerciement->setText(texte);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::message);
    minuteur->start();
}
