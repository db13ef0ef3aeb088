#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "cadre_vote.h"
#include "constantes.h"
#include "textes.h"

#include <QSound>
#include <QTimer>

// Le déroulement de la soirée : introduction, comptes à rebours, clôture des
// votes, pauses entre les résultats et le vote suivant.

void MainWindow::on_bouton_demarrer_clicked()
{
    demarrer_partie();
}

// Mode test : votes courts, appel court ; l'introduction garde sa durée réelle.
void MainWindow::on_bouton_test_clicked()
{
    for (int& temps : temps_votes)
        temps = Duree::vote_test_s;
    temps_vote_final = Duree::vote_final_test_s;
    timer_appel_accuses->setInterval(Duree::appel_accuses_test_ms);
    demarrer_partie();
}

void MainWindow::demarrer_partie()
{
    mettre_de_cote_sauvegarde();
    afficher_discours();
    jouer(son_sonnerie);
    timer_discours_initial->start();
    dire(son_introduction, Duree::introduction_ms);
    dire(son_presentation_premier_vote, Duree::presentation_premier_vote_ms);
    // L'annonce du vote 1 tient dans les secondes qui restent avant l'ouverture du vote.
    jouer(sons_lancement_vote[0]);
}

void MainWindow::fin_discours_initial()
{
    timer_discours_initial->stop();
    ++numero_vote;
    lancer_intervote();
}

void MainWindow::lancer_intervote()
{
    const QString numero = QString::number(numero_vote);
    ui->label_phase->setText(Texte::vote_numero + numero);
    ui->label_fin_vote->setText(Texte::fin_du_vote + numero + Texte::dans);
    afficher_intervote();
    lancer_compte_a_rebours_intervote(temps_votes[numero_vote - 1]);
}

void MainWindow::lancer_intervote_final()
{
    ui->label_phase->setText(Texte::vote_final);
    afficher_intervote();
    lancer_compte_a_rebours_intervote(temps_vote_final);
}

void MainWindow::lancer_compte_a_rebours_intervote(int secondes)
{
    temps_restant_intervote = secondes;
    ui->compteur_temps->display(texte_compte_a_rebours(secondes));
    timer_intervote->start();
}

void MainWindow::compte_a_rebours_intervote()
{
    if (temps_restant_intervote < Duree::fin_compte_a_rebours_s) {
        afficher_temps_intervote(Texte::compte_a_rebours_fini);
        timer_intervote->stop();
        fin_intervote();
        return;
    }
    --temps_restant_intervote;
    afficher_temps_intervote(texte_compte_a_rebours(temps_restant_intervote));
    if (temps_restant_intervote == Duree::rappel_4min_s)
        jouer(son_4min);
}

void MainWindow::afficher_temps_intervote(const QString& texte)
{
    ui->compteur_temps->display(texte);
    ui->compteur_temps_ecarte->display(texte);
    ui->compteur_temps_ecarte_2->display(texte);
}

void MainWindow::lancer_compte_a_rebours_vote()
{
    temps_restant_vote = qMin(temps_restant_intervote, Duree::bulletin_s);
    ui->compteur_temps_vote->display(texte_compte_a_rebours(temps_restant_vote));
    timer_vote->start();
}

void MainWindow::lancer_compte_a_rebours_vote_final()
{
    temps_restant_vote = qMin(temps_restant_intervote, Duree::bulletin_final_s);
    ui->compteur_temps_vote_final->display(texte_compte_a_rebours(temps_restant_vote));
    timer_vote->start();
}

void MainWindow::compte_a_rebours_vote()
{
    if (temps_restant_vote < Duree::fin_compte_a_rebours_s) {
        afficher_temps_vote(Texte::compte_a_rebours_fini);
        timer_vote->stop();
        fermer_bulletin(FinBulletin::rendu);
        return;
    }
    --temps_restant_vote;
    afficher_temps_vote(texte_compte_a_rebours(temps_restant_vote));
}

void MainWindow::afficher_temps_vote(const QString& texte)
{
    ui->compteur_temps_vote->display(texte);
    ui->compteur_temps_vote_final->display(texte);
}

QString MainWindow::texte_compte_a_rebours(int secondes)
{
    return QStringLiteral("%1:%2").arg(secondes / 60, 2, 10, QLatin1Char('0')).arg(secondes % 60, 2, 10, QLatin1Char('0'));
}

// Clôture : un bulletin encore ouvert est abandonné sans rien compter.
void MainWindow::fin_intervote()
{
    timer_vote->stop();
    fermer_bulletin(FinBulletin::coupe);
    reinitialiser_vote_final();
    reinitialiser_seconde_chance();
    reinitialiser_code_vote();
    ui->label_annonce_resultats->setText(phase_finale() ? Texte::vote_final
                                                        : Texte::vote_numero + QString::number(numero_vote));
    ui->label_presentation_resultats->setText(Texte::vote_termine);
    ui->label_resultats->setText(Texte::rejoindre_places);
    ui->stackedWidget->setCurrentIndex(Page::resultats);
    jouer(son_sonnerie);
    attendre(Duree::sonnerie_fin_vote_ms);
    jouer(son_appel_vote);
    timer_appel_accuses->start();
}

void MainWindow::fin_appel_accuses()
{
    timer_appel_accuses->stop();
    if (!phase_finale())
        resultats_vote();
    else
        cloturer_vote_final();
}

void MainWindow::fin_temporisation()
{
    timer_temporisation->stop();
    if (phase_finale())
        lancer_intervote_final();
    else
        lancer_intervote();
}

void MainWindow::fin_temps_affichage_resultats_code_sc()
{
    timer_affichage_code_sc->stop();
    timer_affichage_erreur_code_sc->stop();
    reinitialiser_seconde_chance();
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);
}

void MainWindow::fin_jeu()
{
    ui->stackedWidget->setCurrentIndex(Page::fin);
}

void MainWindow::changement_image_attente()
{
    if (ui->stackedWidget->currentIndex() != Page::discours) {
        timer_image_attente->stop();
        index_image_attente = 0;
        return;
    }
    index_image_attente = (index_image_attente + 1) % images_attente.size();
    ui->label_image->setPixmap(images_attente[index_image_attente]);
}

void MainWindow::afficher_discours()
{
    ui->stackedWidget->setCurrentIndex(Page::discours);
    timer_image_attente->start();
}

void MainWindow::afficher_intervote()
{
    ui->stackedWidget->setCurrentIndex(Page::intervote);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);
}

void MainWindow::afficher_code_vote()
{
    ui->ligne_code->setFocus(Qt::OtherFocusReason);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::code_vote);
}

void MainWindow::reinitialiser_code_vote()
{
    ui->ligne_code->clear();
    setFocus(Qt::OtherFocusReason);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);
}

void MainWindow::reinitialiser_seconde_chance()
{
    ui->comboBox_code_seconde_chance->setCurrentIndex(0);
    ui->ligne_code_sc_2->clear();
    ui->ligne_code_sc->clear();
    setFocus(Qt::OtherFocusReason);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);
}

void MainWindow::reinitialiser_vote_final()
{
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        etiquette_deplacable(i)->show();
    for (Cadre_vote* cadre : qAsConst(cadres_vote))
        cadre->vider();
}
