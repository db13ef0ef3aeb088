#include "cadre_vote.h"

#include "constantes.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStyle>

namespace {
// Valeurs de la propriété "style" lues par la feuille de style.
constexpr char style_vide[] = "cadrevote";
constexpr char style_survole[] = "cadrevoteEnterEvent";
constexpr char style_rempli[] = "cadrevoteRempli";
constexpr char type_deplacable[] = "deplacable";
constexpr int taille_police_px = 20;

int index_du_nom(const QString& nom)
{
    for (int i = 0; i < Jeu::nombre_accuses; ++i) {
        if (nom == QString::fromUtf8(roster[i].nom))
            return i;
    }
    return Jeu::aucun_accuse;
}
}

Cadre_vote::Cadre_vote(QWidget* parent)
    : QLabel(parent)
{
    setText(QString());
    setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QFont police = font();
    police.setPixelSize(taille_police_px);
    setFont(police);
    index_accuse = Jeu::aucun_accuse;
    index_remplace = Jeu::aucun_accuse;
    // Pas de re-polissage ici : le cadre le sera à son premier affichage.
    setProperty("style", style_vide);
    setProperty("type", type_deplacable);
}

Cadre_vote::~Cadre_vote() = default;

void Cadre_vote::placer_nom(const QString& nom)
{
    const int index = index_du_nom(nom);
    if (index == Jeu::aucun_accuse)
        return;
    index_accuse = index;
    setText(nom);
    changer_style(style_rempli);
}

void Cadre_vote::vider()
{
    index_accuse = Jeu::aucun_accuse;
    setText(QString());
    changer_style(style_vide);
}

void Cadre_vote::oublier_index_remplace()
{
    index_remplace = Jeu::aucun_accuse;
}

void Cadre_vote::dragEnterEvent(QDragEnterEvent* e)
{
    e->accept();
    changer_style(style_survole);
}

void Cadre_vote::dragLeaveEvent(QDragLeaveEvent*)
{
    retrouver_style();
}

void Cadre_vote::dropEvent(QDropEvent* e)
{
    const QString nom = e->mimeData()->text();
    // Un texte venu d'ailleurs ne remplace rien : noter un index ici ferait
    // réapparaître à tort un nom dans la réserve au glisser suivant.
    if (index_du_nom(nom) == Jeu::aucun_accuse) {
        e->setDropAction(Qt::IgnoreAction);
        e->accept();
        retrouver_style();
        return;
    }
    index_remplace = index_accuse;
    e->setDropAction(Qt::MoveAction);
    e->accept();
    placer_nom(nom);
}

// Sans unpolish/polish la feuille de style n'est pas réévaluée.
void Cadre_vote::changer_style(const char* valeur)
{
    setProperty("style", valeur);
    style()->unpolish(this);
    style()->polish(this);
}

void Cadre_vote::retrouver_style()
{
    changer_style(index_accuse == Jeu::aucun_accuse ? style_vide : style_rempli);
}
