#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "cadre_vote.h"
#include "constantes.h"
#include "textes.h"

#include <QEventLoop>
#include <QTimer>

// Le kiosque de vote : les joueurs viennent un par un, tapent leur code
// personnel et déposent un bulletin.

void MainWindow::on_bouton_voter_clicked()
{
    afficher_code_vote();
}

void MainWindow::on_bouton_ok_vote_clicked()
{
    verifier_code_vote();
}

void MainWindow::on_bouton_cafard_clicked() { voter_contre(0); }
void MainWindow::on_bouton_chacal_clicked() { voter_contre(1); }
void MainWindow::on_bouton_chien_clicked() { voter_contre(2); }
void MainWindow::on_bouton_cochon_clicked() { voter_contre(3); }
void MainWindow::on_bouton_hyene_clicked() { voter_contre(4); }
void MainWindow::on_bouton_rat_clicked() { voter_contre(5); }
void MainWindow::on_bouton_requin_clicked() { voter_contre(6); }
void MainWindow::on_bouton_serpent_clicked() { voter_contre(7); }
void MainWindow::on_bouton_vautour_clicked() { voter_contre(8); }

void MainWindow::on_bouton_reporter_vote_clicked()
{
    reporter_vote();
}

void MainWindow::on_bouton_reporter_vote_final_clicked()
{
    reporter_vote();
}

void MainWindow::verifier_code_vote()
{
    // Un message occupe déjà le kiosque : la saisie attendra qu'il disparaisse.
    if (attentes_en_cours > 0)
        return;
    const QString saisie = ui->ligne_code->text().toLower();
    for (Accuse* accuse : qAsConst(accuses)) {
        if (accuse->get_code() != saisie)
            continue;
        if (phase_finale())
            prendre_vote_final(accuse);
        else
            prendre_vote(accuse);
        return;
    }
    afficher_message(Texte::code_invalide);
    reinitialiser_code_vote();
}

void MainWindow::prendre_vote(Accuse* votant)
{
    if (!ouvrir_bulletin(votant))
        return;
    ui->stackedWidget->setCurrentIndex(Page::vote);
    ui->label_demande_vote->setText(votant->get_nom() + Texte::question_vote);
    lancer_compte_a_rebours_vote();
    if (attendre_bulletin() == FinBulletin::rendu)
        rendre_kiosque(votant);
}

void MainWindow::prendre_vote_final(Accuse* votant)
{
    if (!ouvrir_bulletin(votant))
        return;
    ui->stackedWidget->setCurrentIndex(Page::vote_final);
    preparer_vote_final(votant);
    ui->label_vote_invalide->hide();
    // Un accusé écarté ne se classe pas lui-même : une case de moins.
    ui->cadre_8->setVisible(!votant->get_ecarte());
    ui->Bouton_annuler_8->setVisible(!votant->get_ecarte());
    ui->label_demande_vote_2->setText(votant->get_nom() + Texte::question_vote_final);
    lancer_compte_a_rebours_vote_final();
    if (attendre_bulletin() == FinBulletin::coupe)
        return;
    reinitialiser_vote_final();
    rendre_kiosque(votant);
}

// Le bulletin a sa propre boucle : un choix, « Voter plus tard », la fin de
// son temps ou la clôture du vote la ferment, avec la raison pour code.
int MainWindow::attendre_bulletin()
{
    QEventLoop boucle;
    boucle_bulletin = &boucle;
    const int fin = boucle.exec();
    if (boucle_bulletin == &boucle)
        boucle_bulletin = nullptr;
    return fin;
}

void MainWindow::fermer_bulletin(int fin)
{
    if (!boucle_bulletin)
        return;
    boucle_bulletin->exit(fin);
    boucle_bulletin = nullptr;
}

// Un bulletin rendu après la clôture de son vote (la boîte de dialogue restée
// ouverte par-dessus) a compté, mais laisse l'écran tel que la suite l'a mis.
void MainWindow::rendre_kiosque(const Accuse* votant)
{
    if (!timer_intervote->isActive() || numero_vote != numero_vote_bulletin)
        return;
    afficher_intervote();
    if (vote_effectue)
        remercier(votant);
}

// Un joueur qui a déjà voté pendant ce vote est renvoyé : son premier bulletin tient.
bool MainWindow::ouvrir_bulletin(Accuse* votant)
{
    reinitialiser_code_vote();
    if (votant->get_a_vote()) {
        afficher_message(Texte::deja_vote);
        reinitialiser_code_vote();
        return false;
    }
    vote_effectue = false;
    votant_bulletin = votant;
    numero_vote_bulletin = numero_vote;
    return true;
}

void MainWindow::remercier(const Accuse* votant)
{
    recentrer_pointeur();
    afficher_message(votant->get_nom() + Texte::merci);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);
}

// Le choix n'est accepté que pendant un bulletin ouvert : un second clic
// arrivé après la fermeture ne compte pas. Le bulletin est inscrit au clic
// même : un vote clos dans le même passage le trouve déjà déposé.
void MainWindow::voter_contre(int index)
{
    if (!boucle_bulletin || phase_finale())
        return;
    const int k = numero_vote - 1;
    accuses[index]->ajouter_vote_recu(k);
    vote_effectue = true;
    votant_bulletin->set_a_vote(true);
    votant_bulletin->set_vote_emis(k, accuses[index]->get_index());
    fermer_bulletin(FinBulletin::rendu);
}

void MainWindow::reporter_vote()
{
    timer_vote->stop();
    fermer_bulletin(FinBulletin::rendu);
    temps_restant_vote = 0;
}

void MainWindow::preparer_vote_final(Accuse* votant)
{
    int premier_sauve = Jeu::aucun_accuse;
    for (const Accuse* accuse : qAsConst(accuses))
        if (!accuse->get_ecarte())
            premier_sauve = accuse->get_index();
    if (QLabel* etiquette = etiquette_deplacable(premier_sauve))
        etiquette->hide();
    etiquette_deplacable(votant->get_index())->hide();
}

void MainWindow::ecarter_accuse(Accuse* accuse, int numero)
{
    ++nombre_ecartes;
    accuse->set_ecarte(true, numero == 0 ? numero_vote : numero);
    if (QPushButton* bouton = bouton_candidat(accuse->get_index()))
        bouton->setEnabled(false);
}

void MainWindow::rehabiliter_accuse(Accuse* accuse, int numero)
{
    --nombre_ecartes;
    accuse->set_ecarte(false, numero == 0 ? numero_vote : numero);
    if (QPushButton* bouton = bouton_candidat(accuse->get_index()))
        bouton->setEnabled(true);
}

// Message du kiosque (remerciement ou refus), affiché deux secondes.
void MainWindow::afficher_message(const QString& texte)
{
    ui->label_remerciement->setText(texte);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::message);
    attendre(Duree::message_ms);
}

// Le joueur suivant trouve le pointeur au centre, avec le curseur habituel.
void MainWindow::recentrer_pointeur()
{
    QCursor::setPos(mapToGlobal(QPoint(width() / 2, height() / 2)));
    setCursor(curseur);
}
