#include "constantes.h"
#include "palette.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>

// Les cartes à découper et à remettre aux joueurs : une par accusé, son nom et
// son code personnel, et une pour le code de la seconde chance, à cacher. Les
// noms et les codes sont ceux que le jeu vérifie : les cartes ne peuvent pas
// s'en écarter. Usage : cartes_des_accuses <police régulière> <police grasse> <pdf>
namespace {
constexpr int code_erreur = 1;
constexpr int resolution_dpi = 300;
constexpr double points_par_mm = resolution_dpi / 25.4;
// Dix cartes de 85 × 54 mm (le format d'une carte de visite), deux par rangée.
constexpr int colonnes = 2;
constexpr int rangees = 5;
constexpr double largeur_carte_mm = 85;
constexpr double hauteur_carte_mm = 54;
constexpr double longueur_trait_mm = 6;
constexpr double ecart_trait_mm = 1.5;
constexpr double bandeau_mm = 9;
constexpr double marge_texte_mm = 6;
constexpr double taille_titre_mm = 3.5;
constexpr double taille_nom_mm = 10;
constexpr double taille_nom_secret_mm = 7.5;
constexpr double taille_libelle_mm = 3;
constexpr double taille_code_mm = 6;
const QString police = QStringLiteral("Xolonium");
const QString titre_accuse = QStringLiteral("Le Sordane · accusé");
const QString titre_seconde_chance = QStringLiteral("Le Sordane · à cacher");
const QString libelle_code = QStringLiteral("Code personnel");
const QString nom_seconde_chance = QStringLiteral("Seconde chance");
const QString libelle_code_seconde_chance = QStringLiteral("Code de la seconde chance");

struct Carte {
    QString titre;
    QString nom;
    QString libelle;
    QString code;
};

int mm(double longueur)
{
    return qRound(longueur * points_par_mm);
}

QFont fonte(double taille_mm, bool gras)
{
    QFont resultat(police);
    resultat.setPixelSize(mm(taille_mm));
    resultat.setBold(gras);
    return resultat;
}

QList<Carte> cartes()
{
    QList<Carte> liste;
    for (const FicheAccuse& fiche : roster)
        liste.append({titre_accuse, QString::fromUtf8(fiche.nom), libelle_code, QString::fromUtf8(fiche.code)});
    liste.append({titre_seconde_chance, nom_seconde_chance, libelle_code_seconde_chance,
                  QString::fromUtf8(code_de_la_seconde_chance)});
    return liste;
}

void dessiner_carte(QPainter& peintre, const QRect& cadre, const Carte& carte)
{
    const bool secrete = carte.titre == titre_seconde_chance;
    const QColor accent = secrete ? Palette::orange : Palette::sarcelle;
    peintre.setPen(Qt::NoPen);
    peintre.setBrush(Palette::voile(Palette::bordure, 0.12));
    peintre.drawRect(cadre);
    const QRect bandeau(cadre.left(), cadre.top(), cadre.width(), mm(bandeau_mm));
    peintre.setBrush(accent);
    peintre.drawRect(bandeau);

    const int marge = mm(marge_texte_mm);
    peintre.setPen(Palette::presque_noir);
    peintre.setFont(fonte(taille_titre_mm, true));
    peintre.drawText(bandeau.adjusted(marge, 0, -marge, 0), Qt::AlignVCenter | Qt::AlignLeft, carte.titre);

    const QRect corps = cadre.adjusted(marge, bandeau.height(), -marge, -marge / 2);
    peintre.setPen(Palette::ardoise);
    peintre.setFont(fonte(secrete ? taille_nom_secret_mm : taille_nom_mm, true));
    peintre.drawText(corps.adjusted(0, 0, 0, -corps.height() / 2), Qt::AlignCenter, carte.nom);
    peintre.setFont(fonte(taille_libelle_mm, false));
    peintre.drawText(corps.adjusted(0, corps.height() / 2, 0, -corps.height() / 4), Qt::AlignCenter, carte.libelle);
    peintre.setPen(accent.darker(130));
    peintre.setFont(fonte(taille_code_mm, true));
    peintre.drawText(corps.adjusted(0, corps.height() * 3 / 4, 0, 0), Qt::AlignCenter, carte.code);
}

// Traits de coupe dans les marges, dans le prolongement des bords des cartes.
void dessiner_traits_de_coupe(QPainter& peintre, const QRect& grille)
{
    peintre.setPen(QPen(Palette::presque_noir, mm(0.2)));
    const int ecart = mm(ecart_trait_mm);
    const int longueur = mm(longueur_trait_mm);
    for (int c = 0; c <= colonnes; ++c) {
        const int x = grille.left() + c * mm(largeur_carte_mm);
        peintre.drawLine(x, grille.top() - ecart - longueur, x, grille.top() - ecart);
        peintre.drawLine(x, grille.bottom() + ecart, x, grille.bottom() + ecart + longueur);
    }
    for (int r = 0; r <= rangees; ++r) {
        const int y = grille.top() + r * mm(hauteur_carte_mm);
        peintre.drawLine(grille.left() - ecart - longueur, y, grille.left() - ecart, y);
        peintre.drawLine(grille.right() + ecart, y, grille.right() + ecart + longueur, y);
    }
}

bool ecrire(const QString& chemin)
{
    QPdfWriter pdf(chemin);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(resolution_dpi);
    pdf.setTitle(QStringLiteral("Le Sordane : cartes des accusés"));
    pdf.setCreator(QStringLiteral("Le Sordane"));
    QPainter peintre;
    if (!peintre.begin(&pdf))
        return false;
    peintre.setRenderHint(QPainter::Antialiasing);
    const QSize grille_taille(colonnes * mm(largeur_carte_mm), rangees * mm(hauteur_carte_mm));
    const QRect page(0, 0, pdf.width(), pdf.height());
    QRect grille(QPoint(0, 0), grille_taille);
    grille.moveCenter(page.center());
    const QList<Carte> liste = cartes();
    for (int i = 0; i < liste.size(); ++i) {
        const QPoint coin(grille.left() + (i % colonnes) * mm(largeur_carte_mm),
                          grille.top() + (i / colonnes) * mm(hauteur_carte_mm));
        dessiner_carte(peintre, QRect(coin, QSize(mm(largeur_carte_mm), mm(hauteur_carte_mm))), liste[i]);
    }
    dessiner_traits_de_coupe(peintre, grille);
    return peintre.end();
}
}

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        QTextStream(stderr) << "Usage : cartes_des_accuses <police régulière> <police grasse> <fichier pdf>\n";
        return code_erreur;
    }
    for (int i = 1; i <= 2; ++i)
        if (QFontDatabase::addApplicationFont(QString::fromLocal8Bit(argv[i])) < 0) {
            QTextStream(stderr) << "Police illisible : " << argv[i] << "\n";
            return code_erreur;
        }
    if (!ecrire(QString::fromLocal8Bit(argv[3]))) {
        QTextStream(stderr) << "Impossible d'écrire " << argv[3] << "\n";
        return code_erreur;
    }
    return 0;
}
