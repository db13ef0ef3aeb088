#include "recapitulatif.h"

#include "accuse.h"
#include "constantes.h"
#include "palette.h"
#include "rapport.h"

#include <QDate>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

// Chaque page est dessinée sur une feuille A4 en dixièmes de millimètre. Les cases
// vides portent un tiret : relu en texte, chaque ligne d'un tableau garde ainsi
// ses neuf colonnes.

namespace {
const QString titre_document = QStringLiteral("Le Sordane : le récit de la soirée");
const QString createur = QStringLiteral("Le Sordane");
const QString extension_pdf = QStringLiteral("pdf");
const QString extension_rapport = QStringLiteral("csv");
const QString police = QStringLiteral("Xolonium");
const QString format_date = QStringLiteral("dd/MM/yyyy");

const QString titre_garde = QStringLiteral("Le Sordane");
const QString sous_titre_garde = QStringLiteral("Le récit de la soirée");
const QString partie_du = QStringLiteral("Partie du %1");
const QString votes_tenus = QStringLiteral("Votes tenus : %1, puis le vote final");
const QString premier_sauve = QStringLiteral("Premier sauvé : %1");
const QString deuxieme_sauve = QStringLiteral("Deuxième sauvé : %1");
const QString fil_de_la_soiree = QStringLiteral("Le fil de la soirée");
const QString fil_vote = QStringLiteral("Vote %1 : %2");
const QString titre_vote = QStringLiteral("Vote %1");
const QString duree_vote = QStringLiteral("Durée : %1 min");
const QString voix_recues = QStringLiteral("Voix reçues");
const QString legende_voix = QStringLiteral("En gris : déjà écarté avant ce vote.");
const QString qui_contre_qui = QStringLiteral("Qui a voté contre qui");
const QString legende_grille = QStringLiteral("Une ligne par votant, une colonne par accusé visé.");
const QString legende_abstention = QStringLiteral("En orange : pas de bulletin, compté contre soi-même.");
const QString total = QStringLiteral("Total");
const QString ecarte_par_le_vote = QStringLiteral("Écarté par le vote : %1");
const QString ecarte_par_le_code = QStringLiteral("Écarté par le code de la seconde chance : %1");
const QString rehabilite = QStringLiteral("Réhabilité par le code de la seconde chance : %1");
const QString code_sans_effet = QStringLiteral("Code de la seconde chance utilisé sans effet : %1");
const QString titre_final = QStringLiteral("Vote final");
const QString classements_donnes = QStringLiteral("Classements donnés");
const QString legende_classements = QStringLiteral("La place donnée par chaque votant, 1 pour le premier à sauver.");
const QString legende_penalite = QStringLiteral("En orange : pas de bulletin, %1 points de pénalité.");
const QString points = QStringLiteral("Points");
const QString penalites = QStringLiteral("Pénalités de %1 points : %2");
const QString aucune_penalite = QStringLiteral("Aucune pénalité : chacun a voté.");
const QString classement_final = QStringLiteral("Classement final");
const QString ligne_classement = QStringLiteral("%1. %2 : %3 points");
const QString mention_sauve = QStringLiteral(" (deuxième sauvé)");
const QString case_vide = QStringLiteral("-");
const QString separateur_noms = QStringLiteral(", ");

// Les couleurs de la feuille de style, sur une page claire à imprimer.
const QColor& clair = Palette::texte_clair;
const QColor& bordure = Palette::bordure;
const QColor& sarcelle = Palette::sarcelle;
const QColor& orange = Palette::orange;
const QColor& ardoise = Palette::ardoise;
const QColor& encre = Palette::presque_noir;
const QColor blanc(Qt::white);

constexpr int resolution_dpi = 150;
constexpr int largeur_page = 2100;
constexpr int hauteur_page = 2970;
constexpr int marge = 150;
constexpr int hauteur_bandeau = 330;
constexpr int taille_titre = 110;
constexpr int taille_sous_titre = 48;
constexpr int taille_section = 52;
constexpr int taille_texte = 38;
constexpr int taille_case = 30;
constexpr int interligne = 66;
constexpr int largeur_noms = 330;
constexpr int hauteur_case = 62;
constexpr int largeur_case = (largeur_page - 2 * marge - largeur_noms) / Jeu::nombre_accuses;
constexpr int hauteur_barre = 44;
constexpr int largeur_nombre = 90;

QFont fonte(int taille, bool gras = false)
{
    QFont resultat(police);
    resultat.setPixelSize(taille);
    resultat.setBold(gras);
    return resultat;
}

void ecrire_texte(QPainter& peintre, const QRect& cadre, const QString& texte, int taille, const QColor& couleur,
                  bool gras = false, int alignement = Qt::AlignLeft | Qt::AlignVCenter)
{
    peintre.setFont(fonte(taille, gras));
    peintre.setPen(couleur);
    peintre.drawText(cadre, alignement, texte);
}

// Une ligne de texte à la hauteur y, qui avance d'un interligne.
void ligne(QPainter& peintre, int& y, const QString& texte, const QColor& couleur = encre, bool gras = false)
{
    ecrire_texte(peintre, QRect(marge, y, largeur_page - 2 * marge, interligne), texte, taille_texte, couleur, gras);
    y += interligne;
}

void titre_de_section(QPainter& peintre, int& y, const QString& titre)
{
    y += interligne / 2;
    ecrire_texte(peintre, QRect(marge, y, largeur_page - 2 * marge, interligne), titre, taille_section, sarcelle, true);
    y += interligne;
    peintre.fillRect(QRect(marge, y, largeur_page - 2 * marge, 4), sarcelle);
    y += interligne / 2;
}

void bandeau(QPainter& peintre, const QString& titre, const QString& sous_titre)
{
    peintre.fillRect(QRect(0, 0, largeur_page, hauteur_bandeau), ardoise);
    peintre.fillRect(QRect(0, hauteur_bandeau, largeur_page, 12), sarcelle);
    ecrire_texte(peintre, QRect(marge, 60, largeur_page - 2 * marge, 140), titre, taille_titre, clair, true);
    ecrire_texte(peintre, QRect(marge, 210, largeur_page - 2 * marge, 80), sous_titre, taille_sous_titre, sarcelle);
}

QString noms(const QList<const Accuse*>& liste)
{
    QStringList resultat;
    for (const Accuse* accuse : liste)
        resultat.append(accuse->get_nom());
    return resultat.join(separateur_noms);
}

QString nom_de(const Accuse* accuse)
{
    return accuse ? accuse->get_nom() : case_vide;
}

bool code_utilise(const Accuse* accuse, int numero, int effet)
{
    return accuse->get_vote_seconde_chance() == numero && accuse->get_effet_seconde_chance() == effet;
}

// Ce que le vote a changé, phrase par phrase (sans les phrases vides).
QStringList issue_du_vote(const QList<Accuse*>& accuses, int numero)
{
    QList<const Accuse*> par_le_vote, par_le_code, rehabilites, sans_effet;
    for (const Accuse* accuse : accuses) {
        if (code_utilise(accuse, numero, SecondeChance::rehabilitation))
            rehabilites.append(accuse);
        if (code_utilise(accuse, numero, SecondeChance::sans_effet))
            sans_effet.append(accuse);
        if (Rapport::ecarte_au_vote(accuse, numero))
            (code_utilise(accuse, numero, SecondeChance::ecartement) ? par_le_code : par_le_vote).append(accuse);
    }
    QStringList phrases;
    if (!rehabilites.isEmpty())
        phrases.append(rehabilite.arg(noms(rehabilites)));
    if (!sans_effet.isEmpty())
        phrases.append(code_sans_effet.arg(noms(sans_effet)));
    if (!par_le_code.isEmpty())
        phrases.append(ecarte_par_le_code.arg(noms(par_le_code)));
    if (!par_le_vote.isEmpty())
        phrases.append(ecarte_par_le_vote.arg(noms(par_le_vote)));
    return phrases;
}

void page_de_garde(QPainter& peintre, const QList<Accuse*>& accuses, int numero_vote, const QDate& date)
{
    bandeau(peintre, titre_garde, sous_titre_garde);
    int y = hauteur_bandeau + 2 * interligne;
    ligne(peintre, y, partie_du.arg(date.toString(format_date)));
    ligne(peintre, y, votes_tenus.arg(numero_vote));
    y += interligne;
    for (const QString& sauve : {premier_sauve.arg(nom_de(Rapport::premier_sauve(accuses))),
                                 deuxieme_sauve.arg(nom_de(Rapport::deuxieme_sauve(accuses)))}) {
        ecrire_texte(peintre, QRect(marge, y, largeur_page - 2 * marge, 2 * interligne), sauve, taille_section + 20,
                     sarcelle, true);
        y += 2 * interligne;
    }
    titre_de_section(peintre, y, fil_de_la_soiree);
    for (int numero = 1; numero <= numero_vote; ++numero)
        ligne(peintre, y, fil_vote.arg(numero).arg(issue_du_vote(accuses, numero).join(QStringLiteral(" ; "))));
}

// Les voix reçues en barres, les accusés déjà écartés en gris.
void barres(QPainter& peintre, int& y, const QList<Accuse*>& accuses, int k, const QList<bool>& ecartes)
{
    const int largeur_barres = largeur_page - 2 * marge - largeur_noms - largeur_nombre;
    for (const Accuse* accuse : accuses) {
        const bool gris = ecartes[accuse->get_index()];
        const int voix = accuse->get_votes_recus(k);
        ecrire_texte(peintre, QRect(marge, y, largeur_noms, hauteur_case), accuse->get_nom(), taille_texte,
                     gris ? bordure : encre);
        const int longueur = largeur_barres * voix / Jeu::nombre_accuses;
        const QRect barre(marge + largeur_noms, y + (hauteur_case - hauteur_barre) / 2, longueur, hauteur_barre);
        peintre.fillRect(barre, gris ? clair : sarcelle);
        ecrire_texte(peintre, QRect(barre.right() + 20, y, largeur_nombre, hauteur_case), QString::number(voix),
                     taille_texte, gris ? bordure : encre, true);
        y += hauteur_case;
    }
}

QRect case_de(int colonne, int y)
{
    return QRect(marge + largeur_noms + colonne * largeur_case, y, largeur_case, hauteur_case);
}

void une_case(QPainter& peintre, const QRect& cadre, const QString& texte, const QColor& fond, const QColor& couleur,
              bool gras = false)
{
    peintre.fillRect(cadre, fond);
    peintre.setPen(QPen(bordure, 2));
    peintre.drawRect(cadre);
    ecrire_texte(peintre, cadre, texte, taille_case, couleur, gras, Qt::AlignCenter);
}

void en_tete_de_grille(QPainter& peintre, int& y, const QList<Accuse*>& accuses, const QList<bool>& gris)
{
    for (const Accuse* accuse : accuses)
        ecrire_texte(peintre, case_de(accuse->get_index(), y), accuse->get_nom(), taille_case,
                     gris[accuse->get_index()] ? bordure : encre, true, Qt::AlignCenter);
    y += hauteur_case;
}

void ligne_de_grille(QPainter& peintre, int& y, const QString& legende, const QStringList& cases,
                     const QList<QColor>& fonds, bool gras = false)
{
    ecrire_texte(peintre, QRect(marge, y, largeur_noms, hauteur_case), legende, taille_texte, encre, gras);
    for (int colonne = 0; colonne < cases.size(); ++colonne) {
        const bool vide = cases[colonne] == case_vide;
        une_case(peintre, case_de(colonne, y), cases[colonne], fonds[colonne], vide ? bordure : encre, gras);
    }
    y += hauteur_case;
}

// La dernière ligne d'un tableau : pour chaque accusé, le compte de la colonne k.
void ligne_des_totaux(QPainter& peintre, int& y, const QString& legende, const QList<Accuse*>& accuses, int k)
{
    QStringList totaux;
    QList<QColor> fonds;
    for (const Accuse* accuse : accuses) {
        totaux.append(QString::number(accuse->get_votes_recus(k)));
        fonds.append(clair);
    }
    ligne_de_grille(peintre, y, legende, totaux, fonds, true);
}

void grille_des_votes(QPainter& peintre, int& y, const QList<Accuse*>& accuses, int k, const QList<bool>& ecartes)
{
    en_tete_de_grille(peintre, y, accuses, ecartes);
    for (const Accuse* votant : accuses) {
        QStringList cases;
        QList<QColor> fonds;
        for (const Accuse* vise : accuses) {
            const bool contre = votant->get_vote_emis(k) == vise->get_index();
            cases.append(contre ? QStringLiteral("1") : case_vide);
            fonds.append(!contre ? blanc : vise == votant ? orange : sarcelle);
        }
        ligne_de_grille(peintre, y, votant->get_nom(), cases, fonds);
    }
    ligne_des_totaux(peintre, y, total, accuses, k);
}

void page_vote(QPainter& peintre, const QList<Accuse*>& accuses, int numero, int duree_s)
{
    const int k = numero - 1;
    const QList<bool> ecartes = Rapport::ecartes_avant_le_vote(accuses, numero);
    bandeau(peintre, titre_vote.arg(numero), duree_vote.arg(duree_s / 60));
    int y = hauteur_bandeau + interligne;
    titre_de_section(peintre, y, voix_recues);
    barres(peintre, y, accuses, k, ecartes);
    ligne(peintre, y, legende_voix, bordure);
    titre_de_section(peintre, y, qui_contre_qui);
    grille_des_votes(peintre, y, accuses, k, ecartes);
    ligne(peintre, y, legende_grille, bordure);
    ligne(peintre, y, legende_abstention, bordure);
    y += interligne / 2;
    for (const QString& phrase : issue_du_vote(accuses, numero))
        ligne(peintre, y, phrase, encre, true);
}

bool sans_bulletin_final(const Accuse* votant)
{
    return votant->get_classement_donne(0) == votant->get_index();
}

// Les places données, lues dans la ligne du rapport : cases vides en tirets.
void grille_des_classements(QPainter& peintre, int& y, const QList<Accuse*>& accuses)
{
    // Le premier sauvé n'est sur aucun tableau : sa colonne est en gris.
    QList<bool> non_classe;
    for (const Accuse* accuse : accuses)
        non_classe.append(!accuse->get_ecarte());
    en_tete_de_grille(peintre, y, accuses, non_classe);
    for (const Accuse* votant : accuses) {
        QStringList cases = Rapport::ligne_vote_final(votant, accuses).split(QLatin1Char(';')).mid(1, accuses.size());
        QList<QColor> fonds;
        for (QString& place : cases) {
            const bool penalite = sans_bulletin_final(votant) && !place.isEmpty();
            fonds.append(penalite ? orange : place.isEmpty() ? blanc : clair);
            if (place.isEmpty())
                place = case_vide;
        }
        ligne_de_grille(peintre, y, votant->get_nom(), cases, fonds);
    }
    ligne_des_totaux(peintre, y, points, accuses, Jeu::index_points_finaux);
}

// Les écartés du moins au plus de points ; à égalité, le tirage a désigné le deuxième sauvé.
QList<const Accuse*> ordre_final(const QList<Accuse*>& accuses)
{
    QList<const Accuse*> ecartes;
    for (const Accuse* accuse : accuses)
        if (accuse->get_ecarte())
            ecartes.append(accuse);
    std::stable_sort(ecartes.begin(), ecartes.end(), [](const Accuse* a, const Accuse* b) {
        const int points_a = a->get_votes_recus(Jeu::index_points_finaux);
        const int points_b = b->get_votes_recus(Jeu::index_points_finaux);
        return points_a != points_b ? points_a < points_b : a->get_sauve() && !b->get_sauve();
    });
    return ecartes;
}

void page_vote_final(QPainter& peintre, const QList<Accuse*>& accuses)
{
    bandeau(peintre, titre_final, premier_sauve.arg(nom_de(Rapport::premier_sauve(accuses))));
    int y = hauteur_bandeau + interligne;
    titre_de_section(peintre, y, classements_donnes);
    grille_des_classements(peintre, y, accuses);
    ligne(peintre, y, legende_classements, bordure);
    ligne(peintre, y, legende_penalite.arg(Jeu::penalite_abstention_finale), bordure);
    QList<const Accuse*> penalises;
    for (const Accuse* accuse : accuses)
        if (sans_bulletin_final(accuse))
            penalises.append(accuse);
    ligne(peintre, y, penalises.isEmpty() ? aucune_penalite
                                          : penalites.arg(Jeu::penalite_abstention_finale).arg(noms(penalises)));
    titre_de_section(peintre, y, classement_final);
    int rang = 0;
    for (const Accuse* accuse : ordre_final(accuses)) {
        const QString texte = ligne_classement.arg(++rang).arg(accuse->get_nom()).arg(
                                  accuse->get_votes_recus(Jeu::index_points_finaux))
            + (accuse->get_sauve() ? mention_sauve : QString());
        ligne(peintre, y, texte, accuse->get_sauve() ? sarcelle : encre, accuse->get_sauve());
    }
}
}

namespace Recapitulatif {

// "rapport.csv" donne "rapport.pdf" ; un rapport sans extension ou d'une autre
// extension garde son nom entier, pour ne jamais écrire sur le rapport lui-même.
QString chemin_a_cote(const QString& chemin_rapport)
{
    const QFileInfo rapport(chemin_rapport);
    if (rapport.suffix().compare(extension_rapport, Qt::CaseInsensitive) != 0)
        return chemin_rapport + QLatin1Char('.') + extension_pdf;
    return rapport.path() + QLatin1Char('/') + rapport.completeBaseName() + QLatin1Char('.') + extension_pdf;
}

bool ecrire(const QString& chemin, const QList<Accuse*>& accuses, int numero_vote, const QList<int>& temps_votes,
            const QDate& date)
{
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter pdf(&fichier);
    pdf.setTitle(titre_document);
    pdf.setCreator(createur);
    pdf.setResolution(resolution_dpi);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter peintre;
    if (!peintre.begin(&pdf))
        return false;
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setWindow(0, 0, largeur_page, hauteur_page);
    page_de_garde(peintre, accuses, numero_vote, date);
    for (int numero = 1; numero <= numero_vote; ++numero) {
        pdf.newPage();
        page_vote(peintre, accuses, numero, temps_votes.value(numero - 1));
    }
    pdf.newPage();
    page_vote_final(peintre, accuses);
    return peintre.end() && fichier.commit();
}

}
