#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "cadre_vote.h"
#include "constantes.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>

// Le tableau de classement du vote final : les noms passent par glisser-déposer
// de la réserve aux cases, d'une case à l'autre, ou reviennent à la réserve.

namespace {
// Seules les étiquettes de la réserve et les cases portent cette marque.
const QString type_deplacable = QStringLiteral("deplacable");
}

void MainWindow::on_Bouton_annuler_1_clicked() { retirer_du_cadre(0); }
void MainWindow::on_Bouton_annuler_2_clicked() { retirer_du_cadre(1); }
void MainWindow::on_Bouton_annuler_3_clicked() { retirer_du_cadre(2); }
void MainWindow::on_Bouton_annuler_4_clicked() { retirer_du_cadre(3); }
void MainWindow::on_Bouton_annuler_5_clicked() { retirer_du_cadre(4); }
void MainWindow::on_Bouton_annuler_6_clicked() { retirer_du_cadre(5); }
void MainWindow::on_Bouton_annuler_7_clicked() { retirer_du_cadre(6); }
void MainWindow::on_Bouton_annuler_8_clicked() { retirer_du_cadre(7); }

void MainWindow::on_bouton_valider_vote_final_clicked()
{
    valider_vote_final();
}

// Le glisser part d'une étiquette visible de la réserve ou d'une case remplie ;
// un appui ailleurs, ou d'un autre bouton que le gauche, ne fait rien.
void MainWindow::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    auto* saisi = qobject_cast<QLabel*>(childAt(e->pos()));
    if (!saisi || saisi->property("type").toString() != type_deplacable)
        return;
    const int index_reserve = index_etiquette(saisi);
    if (index_reserve != Jeu::aucun_accuse) {
        afficher_etiquette(index_reserve, false);
        glisser_nom(saisi, e->pos(), index_reserve, nullptr);
        return;
    }
    if (Cadre_vote* cadre = cadre_rempli(saisi))
        glisser_nom(saisi, e->pos(), cadre->get_index_accuse(), cadre);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e)
{
    e->accept();
}

// Un nom lâché hors des cases finit son glisser sans déplacement.
void MainWindow::dropEvent(QDropEvent* e)
{
    e->setDropAction(Qt::IgnoreAction);
    e->accept();
}

int MainWindow::index_etiquette(const QWidget* widget) const
{
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        if (etiquette_deplacable(i) == widget)
            return i;
    return Jeu::aucun_accuse;
}

// Une case vide ne se glisse pas ; childAt ne rend que des cases visibles.
Cadre_vote* MainWindow::cadre_rempli(const QWidget* widget) const
{
    for (Cadre_vote* cadre : cadres_vote)
        if (cadre == widget && cadre->get_index_accuse() != Jeu::aucun_accuse)
            return cadre;
    return nullptr;
}

// La prise se fait au point saisi : l'image suit le pointeur sans sauter.
void MainWindow::glisser_nom(QLabel* saisi, const QPoint& prise, int index, Cadre_vote* cadre_source)
{
    auto* glisser = new QDrag(this);
    auto* donnees = new QMimeData;
    QPixmap apercu(saisi->size());
    saisi->render(&apercu, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    donnees->setText(saisi->text());
    glisser->setMimeData(donnees);
    glisser->setPixmap(apercu);
    glisser->setHotSpot(saisi->mapFrom(this, prise));
    // La case garde son index pendant le glisser : la fin du glisser en a besoin.
    if (cadre_source)
        cadre_source->setText(QString());
    finir_glisser(glisser->exec(Qt::MoveAction), index, cadre_source);
}

void MainWindow::finir_glisser(Qt::DropAction resultat, int index, Cadre_vote* cadre_source)
{
    if (resultat != Qt::MoveAction) {
        if (cadre_source)
            cadre_source->vider();
        afficher_etiquette(index, true);
        return;
    }
    const int remplace = prendre_index_remplace();
    if (remplace == Jeu::aucun_accuse) {
        if (cadre_source)
            cadre_source->vider();
    } else if (cadre_source) {
        // D'une case à une case remplie : les deux noms échangent leur place.
        cadre_source->vider();
        cadre_source->placer_nom(accuses[remplace]->get_nom());
    } else {
        afficher_etiquette(remplace, true);
    }
    afficher_etiquette(index, false);
}

void MainWindow::retirer_du_cadre(int position)
{
    Cadre_vote* cadre = cadres_vote[position];
    afficher_etiquette(cadre->get_index_accuse(), true);
    cadre->vider();
    cadre->repaint();
}

void MainWindow::afficher_etiquette(int index, bool visible)
{
    if (QLabel* etiquette = etiquette_deplacable(index))
        etiquette->setVisible(visible);
}

// Le dépôt note le nom qu'il a chassé ; le glisser qui l'a fait le reprend
// aussitôt, si bien qu'entre deux glisser aucune case n'en garde.
int MainWindow::prendre_index_remplace()
{
    for (Cadre_vote* cadre : qAsConst(cadres_vote)) {
        const int remplace = cadre->get_index_remplace();
        if (remplace < Jeu::aucun_accuse) {
            cadre->oublier_index_remplace();
            return remplace;
        }
    }
    return Jeu::aucun_accuse;
}

// Un appui pendant le refus ne relance pas d'attente ; un appui hors d'un
// bulletin ouvert donnerait des points sans bulletin enregistré. Comme au vote
// ordinaire, le bulletin valide est inscrit tout de suite chez son votant.
void MainWindow::valider_vote_final()
{
    if (attentes_en_cours > 0 || !boucle_bulletin || !phase_finale())
        return;
    if (!tableau_complet()) {
        refuser_vote_final();
        return;
    }
    enregistrer_bulletin_final();
    vote_effectue = true;
    votant_bulletin->set_a_vote(true);
    votant_bulletin->set_classement_donne(QList<int>(bulletin_final.begin(), bulletin_final.end()));
    bulletin_final.fill(0);
    fermer_bulletin(FinBulletin::rendu);
}

// La case cachée d'un votant écarté ne compte pas.
bool MainWindow::tableau_complet() const
{
    for (const Cadre_vote* cadre : cadres_vote)
        if (!cadre->isHidden() && cadre->get_index_accuse() == Jeu::aucun_accuse)
            return false;
    return true;
}

// Le tableau garde ses noms : le votant n'a qu'à compléter.
void MainWindow::refuser_vote_final()
{
    ui->label_vote_invalide->show();
    attendre(Duree::message_ms);
    ui->label_vote_invalide->hide();
}

// La case i rapporte i + 1 points : moins on en a, mieux on est placé pour être sauvé.
void MainWindow::enregistrer_bulletin_final()
{
    for (int i = 0; i < cadres_vote.size(); ++i) {
        const Cadre_vote* cadre = cadres_vote[i];
        if (cadre->isHidden())
            continue;
        Accuse* accuse = accuses[cadre->get_index_accuse()];
        accuse->ajouter_points_finaux(i + 1);
        bulletin_final[i] = accuse->get_index();
    }
}
