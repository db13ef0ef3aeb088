#include "partie_courte.h"
#include "soiree.h"

#include "accuse.h"
#include "constantes.h"
#include "demarrage.h"
#include "textes.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTextStream>

// Les images du guide de l'organisateur : la vraie fenêtre, en plein écran, prise
// sur l'écran (Xvfb) aux moments que le guide montre, pendant une partie du mode
// test menée comme par les joueurs. Lancé par tools/captures_guide.sh.
namespace {
using PartieCourte::commencer;
using PartieCourte::jouer_jusqu_au_vote_final;

constexpr int code_erreur = 1;
// Le temps que la fenêtre soit dessinée, en temps du jeu.
constexpr int pose_ms = 1500;
constexpr int ouverture_bulletin_ms = 800;
constexpr int reflexion_ms = 2000;
// Les votes du mode test ne durent que quelques minutes de jeu, quelques secondes
// réelles : chaque image prise en mange une partie. Le vote est donc prolongé,
// comme par les options, avant qu'un joueur ne s'y présente.
constexpr int vote_prolonge_s = 20 * 60;

QDir dossier_sortie;
bool reussi = true;

void capturer(const QString& nom)
{
    const QString chemin = dossier_sortie.filePath(nom + QStringLiteral(".png"));
    const QPixmap ecran = QGuiApplication::primaryScreen()->grabWindow(0);
    if (ecran.isNull() || !ecran.save(chemin, "PNG")) {
        QTextStream(stderr) << "Impossible d'écrire " << chemin << "\n";
        reussi = false;
        return;
    }
    QTextStream(stdout) << chemin << "\n";
}

// L'image n'est prise que si la fenêtre montre bien la page attendue.
void capturer_sur(Soiree& soiree, int page, const QString& nom)
{
    if (soiree.page() != page) {
        QTextStream(stderr) << "Pas sur la page attendue pour " << nom << "\n";
        reussi = false;
        return;
    }
    capturer(nom);
}

bool echec(const QString& etape)
{
    QTextStream erreurs(stderr);
    erreurs.setCodec("UTF-8");
    erreurs << QStringLiteral("La partie n'est pas allée jusqu'à : ") << etape << "\n";
    return false;
}

bool resultat_affiche(Soiree& soiree)
{
    return soiree.page() == Page::resultats && soiree.label("label_resultats")->isVisible()
           && soiree.label("label_presentation_resultats")->text() == Texte::accuse_ecarte;
}

int premier_ecarte(MainWindow& fenetre)
{
    for (const Accuse* accuse : fenetre.get_accuses())
        if (accuse->get_ecarte())
            return accuse->get_index();
    return -1;
}

bool jouer_la_partie(Soiree& soiree)
{
    QTest::qWait(pose_ms);
    capturer_sur(soiree, Page::accueil, QStringLiteral("accueil"));
    if (!commencer(soiree))
        return echec(QStringLiteral("l'ouverture du vote 1"));
    QTest::qWait(pose_ms);
    capturer_sur(soiree, Page::intervote, QStringLiteral("kiosque"));

    // Le Cafard ouvre son bulletin : le code tapé ne rend la main qu'à la fin du
    // bulletin, l'image est donc programmée avant, pendant qu'il réfléchit.
    soiree.fenetre().set_temps_restant_intervote(vote_prolonge_s);
    QTimer::singleShot(reflexion_ms / 2, [&] { capturer_sur(soiree, Page::vote, QStringLiteral("bulletin")); });
    soiree.voter(Joueurs::codes[Joueurs::Cafard], Joueurs::Chacal, reflexion_ms);
    soiree.fenetre().set_temps_restant_intervote(1);
    if (!soiree.attendre([&] { return resultat_affiche(soiree); }, limite_attente_ms, Soiree::a_chaque_passage))
        return echec(QStringLiteral("le résultat du vote 1"));
    capturer_sur(soiree, Page::resultats, QStringLiteral("resultat"));

    if (!soiree.attendre_page(Page::intervote, limite_attente_ms) || !jouer_jusqu_au_vote_final(soiree, {}))
        return echec(QStringLiteral("l'ouverture du vote final"));
    // Un écarté ouvre son bulletin final ; l'image et la clôture du vote sous ses
    // yeux sont programmées avant, pour la même raison.
    soiree.fenetre().set_temps_restant_intervote(vote_prolonge_s);
    QTimer::singleShot(ouverture_bulletin_ms, [&] {
        capturer_sur(soiree, Page::vote_final, QStringLiteral("tableau"));
        soiree.fenetre().set_temps_restant_intervote(1);
    });
    soiree.ouvrir_code();
    soiree.taper_code(Joueurs::codes[premier_ecarte(soiree.fenetre())]);
    if (!soiree.attendre_page(Page::fin, limite_attente_ms))
        return echec(QStringLiteral("la page de fin"));
    QTest::qWait(pose_ms);
    capturer_sur(soiree, Page::fin, QStringLiteral("fin"));
    return true;
}
}

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Usage : captures_guide <dossier des images>\n";
        return code_erreur;
    }
    dossier_sortie.setPath(QString::fromLocal8Bit(argv[1]));
    if (!dossier_sortie.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "Impossible de créer " << dossier_sortie.path() << "\n";
        return code_erreur;
    }
    Soiree soiree;
    MainWindow& fenetre = soiree.fenetre();
    Demarrage::charger_polices();
    Demarrage::appliquer_feuille_de_style(application);
    Demarrage::installer_traductions(application);
    fenetre.setWindowTitle(Texte::titre_fenetre);
    fenetre.setWindowState(fenetre.windowState() | Qt::WindowFullScreen);
    // Sans gestionnaire de fenêtres sous Xvfb, personne n'applique le plein écran
    // ni n'active la fenêtre : elle prend l'écran entier et le clavier elle-même.
    fenetre.setGeometry(QGuiApplication::primaryScreen()->geometry());
    fenetre.activateWindow();
    if (!QTest::qWaitForWindowActive(&fenetre))
        return code_erreur;
    return jouer_la_partie(soiree) && reussi ? 0 : code_erreur;
}
