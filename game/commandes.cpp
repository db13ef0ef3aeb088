#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "fenetre_options.h"
#include "textes.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDrag>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

// Commandes de la fenêtre : quitter, options, touches du clavier.

void MainWindow::on_bouton_quitter_clicked()
{
    confirmer_quitter();
}

void MainWindow::on_bouton_option_clicked()
{
    ouvrir_options();
}

void MainWindow::ouvrir_options()
{
    Fenetre_options options(this);
    options.exec();
}

void MainWindow::confirmer_quitter()
{
    QMessageBox boite;
    boite.setWindowTitle(Texte::quitter_titre);
    boite.setText(Texte::quitter_question);
    QPushButton* bouton_options = boite.addButton(tr("Options"), QMessageBox::AcceptRole);
    boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    boite.setDefaultButton(QMessageBox::No);
    boite.exec();
    if (boite.clickedButton() == boite.button(QMessageBox::Yes))
        close();
    else if (boite.clickedButton() == bouton_options)
        ouvrir_options();
}

// Fermée pendant un glisser-déposer (gestionnaire de fenêtres, Alt+F4), la
// fenêtre laisserait l'image du nom glissé seule fenêtre visible : le glisser
// est annulé. Qt ne quitte à la dernière fenêtre fermée que par un événement
// posté, qui sous une attente de la séquence peut ne jamais partir : la
// fenêtre disparaîtrait et la soirée continuerait à parler. Fermer la
// fenêtre arrête donc toutes les boucles, sans détour.
void MainWindow::closeEvent(QCloseEvent* e)
{
    QDrag::cancel();
    QMainWindow::closeEvent(e);
    QCoreApplication::quit();
}

// S n'ouvre le code de la seconde chance que devant le kiosque au repos ; un
// champ qui a le focus garde les lettres tapées, S n'arrive donc ici que hors saisie.
// La touche Entrée valide le champ de code qui a le focus, tant qu'il est affiché.
void MainWindow::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
        confirmer_quitter();
        break;
    case Qt::Key_S:
        if (ui->bouton_voter->isVisible()) {
            reinitialiser_seconde_chance();
            afficher_code_seconde_chance();
        }
        break;
    case Qt::Key_Return:
        valider_champ_de_code();
        break;
    default:
        break;
    }
}

void MainWindow::valider_champ_de_code()
{
    if (ui->ligne_code->hasFocus() && ui->ligne_code->isVisible())
        verifier_code_vote();
    else if (ui->ligne_code_sc->hasFocus() && ui->ligne_code_sc->isVisible())
        verifier_code_seconde_chance();
    else if (ui->ligne_code_sc_2->hasFocus() && ui->ligne_code_sc_2->isVisible())
        on_bouton_ok_code_sc_clicked();
}
