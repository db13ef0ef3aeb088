#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "constantes.h"
#include "resultats_finaux.h"
#include "textes.h"
#include "tirage.h"

#include <QTimer>
#include <algorithm>

// Fin de la soirée : classement du vote final, deuxième accusé sauvé,
// conclusion et arrivée du présentateur.

namespace {
int points(const Accuse* accuse)
{
    return accuse->get_votes_recus(Jeu::index_points_finaux);
}
}

namespace ClassementFinal {

QList<int> ordonner(const QList<Accuse*>& accuses, std::uint32_t graine)
{
    QList<const Accuse*> classes;
    for (const Accuse* accuse : accuses)
        if (accuse->get_ecarte())
            classes.append(accuse);
    if (classes.isEmpty())
        return {};
    std::stable_sort(classes.begin(), classes.end(),
                     [](const Accuse* a, const Accuse* b) { return points(a) > points(b); });

    // Le groupe du bas est pris depuis la fin : le tirage part de cet ordre-là.
    const int plancher = points(classes.last());
    QList<int> egalite;
    while (!classes.isEmpty() && points(classes.last()) == plancher)
        egalite.append(classes.takeLast()->get_index());
    if (egalite.size() > 1)
        Tirage::melanger(egalite, graine);

    QList<int> classement;
    for (const Accuse* accuse : qAsConst(classes))
        classement.append(accuse->get_index());
    return classement + egalite;
}

}

// Qui n'a pas déposé de bulletin final prend la pénalité sur son propre total ;
// son propre index en tête de classement_donne le signale au rapport.
void MainWindow::cloturer_vote_final()
{
    ui->label_phase->setText(Texte::vote_final);
    for (Accuse* accuse : qAsConst(accuses)) {
        if (accuse->get_a_vote()) {
            accuse->set_a_vote(false);
            continue;
        }
        accuse->ajouter_points_finaux(Jeu::penalite_abstention_finale);
        accuse->set_classement_donne({accuse->get_index()});
    }
    ui->stackedWidget->setCurrentIndex(Page::resultat_final);
    resultats_vote_final();
}

// Le classement se dévoile du dernier au premier : le suspense finit sur le sauvé.
void MainWindow::resultats_vote_final()
{
    const QList<int> classement = ClassementFinal::ordonner(accuses, Tirage::graine_horloge());
    dire(son_jingle, Duree::jingle_ms);
    dire(son_resultat_vote_final, Duree::resultat_vote_final_ms);
    for (int i = 0; i < classement.size(); ++i) {
        const Accuse* accuse = accuses[classement[i]];
        QLabel* label = labels_classement[labels_classement.size() - 1 - i];
        label->setText(accuse->get_nom());
        label->show();
        dire(accuse->get_son_nom(), Duree::revelation_classement_ms);
    }
    attendre(Duree::silence_resultat_ms);
    annoncer_deuxieme_sauve(accuses[classement.last()]);
    annoncer_sauves();
}

void MainWindow::annoncer_deuxieme_sauve(Accuse* sauve)
{
    sauve->marquer_sauve();
    ui->label_presentation_resultats->setText(Texte::deuxieme_sauve);
    ui->label_resultats->setText(sauve->get_nom());
    ui->stackedWidget->setCurrentIndex(Page::resultats);
    dire(sauve->get_son_nom(), Duree::nom_ms);
    dire(son_deuxieme_sauve, Duree::deuxieme_sauve_ms);
}

// Les deux sauvés s'affichent dans l'ordre du rôle, quel que soit l'ordre de leur sauvetage.
void MainWindow::annoncer_sauves()
{
    QList<const Accuse*> sauves;
    for (const Accuse* accuse : qAsConst(accuses))
        if (accuse->get_sauve())
            sauves.append(accuse);
    ui->label_sauve_1->setText(sauves.first()->get_nom());
    ui->label_sauve_2->setText(sauves.last()->get_nom());
    ui->stackedWidget->setCurrentIndex(Page::annonce_sauves);
    dire(son_jingle, Duree::jingle_ms);
    dire(son_conclusion, Duree::conclusion_ms);
    ui->stackedWidget->setCurrentIndex(Page::arrivee_presentateur);
    jouer(son_jingle_musique);
    // La musique continue sur la page de fin : rien ne l'attend.
    QTimer::singleShot(Duree::arrivee_presentateur_ms, Qt::PreciseTimer, this, &MainWindow::fin_jeu);
}
