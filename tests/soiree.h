#ifndef SOIREE_H
#define SOIREE_H

// Outils des tests qui jouent une soirée : ils pilotent la fenêtre comme les
// joueurs (clics, codes tapés, Entrée) et notent ce que la salle entend et voit.

#include "mainwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QStackedWidget>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>

class QFileDialog;
class QLineEdit;
class Fenetre_options;
class QMessageBox;

// Sous faketime, 10 ms de retard réel de l'ordonnanceur font 1 s de jeu.
constexpr double tolerance_s = 2.0;

// Limite des attentes d'une condition, en temps du jeu. Attendre plus longtemps
// ne coûte rien quand tout va bien ; sur une machine chargée, chaque attente et
// chaque seconde des comptes à rebours du jeu prennent du retard sur l'horloge.
constexpr int limite_attente_ms = 15 * 60000;

// Une étape de la soirée qui a échoué arrête le test : la suite n'aurait plus de sens.
#define ETAPE(appel)                    \
    do {                                \
        appel;                          \
        if (QTest::currentTestFailed()) \
            return;                     \
    } while (false)

// L'écart entre deux instants du jeu doit valoir l'attendu, à la tolérance près,
// augmentée du retard que la machine a imposé à la boucle d'événements entre-temps.
#define VERIFIER_ECART(soiree, debut, fin, attendu) VERIFIER_ECART_SUR(soiree, debut, fin, attendu, 1)

// Le même écart, mesuré sur plusieurs attentes enchaînées (ou secondes d'un
// compte à rebours) : chacune peut prendre ce retard, et les retards s'ajoutent.
// L'événement qui ouvre l'écart (une annonce lancée, un clic traité) peut
// prendre le sien avant la première attente : deux coups de frein de la machine
// dans la même seconde de jeu ont déjà été vus sous stress-ng.
#define VERIFIER_ECART_SUR(soiree, debut, fin, attendu, attentes)                                        \
    do {                                                                                                 \
        const double marge = tolerance_s + ((attentes) + 1) * (soiree).retard_max((debut), (fin));       \
        QVERIFY2(qAbs((fin) - (debut) - (attendu)) < marge,                                              \
                 qPrintable(QStringLiteral("%1 s mesurées au lieu de %2 s (marge %3 s)")                 \
                                .arg((fin) - (debut)).arg(attendu).arg(marge)));                          \
    } while (false)

// Les neuf joueurs : leur rang dans le rôle et leur code personnel.
namespace Joueurs {
enum { Cafard, Chacal, Chien, Cochon, Hyene, Rat, Requin, Serpent, Vautour };
inline const QStringList codes = {"galopin58", "cerise73", "mirabel26", "capucines82", "noyaux19",
                                  "lavandes64", "primevere35", "olive90", "pavots27"};
}

// Une annonce entendue : le fichier joué, l'instant (en secondes du jeu depuis
// le début de l'enregistrement) et ce que montrait alors l'écran.
struct Annonce {
    QString son;
    double instant;
    int page;
    QString presentation;
    QString resultat;
    bool resultat_visible;
};

class Soiree
{
public:
    Soiree();
    ~Soiree();

    MainWindow& fenetre() { return *principale; }

    template <typename T>
    T* widget(const char* nom) const { return principale->findChild<T*>(QLatin1String(nom)); }
    QPushButton* bouton(const char* nom) const { return widget<QPushButton>(nom); }
    QLabel* label(const char* nom) const { return widget<QLabel>(nom); }
    QPushButton* bouton_candidat(int index) const;
    int page() const;
    int sous_page() const;

    double maintenant() const { return horloge.elapsed() / 1000.0; }
    const QList<Annonce>& annonces() const { return journal; }
    QList<Annonce> annonces_depuis(double instant) const;
    QStringList noms_des_sons_depuis(double instant) const;
    // Premier passage à la page après l'instant donné (-1 s'il n'a pas eu lieu).
    double instant_page(int page, double depuis) const;
    // Valeur de chaque compte à rebours d'un vote à son départ, dans l'ordre.
    const QList<int>& departs_des_votes() const { return departs; }
    // Plus grand retard pris par la boucle d'événements entre deux instants : sous
    // temps accéléré, une machine chargée retarde tous les minuteurs d'autant.
    double retard_max(double debut, double fin) const;
    // Avertissements de Qt pendant la soirée (boucle d'attente relancée...).
    const QStringList& avertissements() const { return alertes; }

    // Un joueur au clavier : "Voter", son code, Entrée, puis un clic
    // programmé pendant que le bulletin est ouvert.
    void ouvrir_code();
    void taper_code(const QString& code);
    void voter(const QString& code, int cible, int delai_ms = 1000);
    void reporter(const QString& code, int delai_ms = 1000);
    // Capture le message du kiosque pendant qu'il est affiché.
    QString message_apres(const QString& code);

    // Dans la boîte « Quitter », le bouton « Options ».
    static void choisir_options(QMessageBox* boite);
    // Répond au premier dialogue modal du type donné dès qu'il s'ouvre.
    template <typename Dialogue, typename Reponse>
    static void repondre(Reponse reponse);
    // Tape le chemin dans le champ du nom de fichier et valide, comme l'organisateur.
    static void taper_chemin(QFileDialog* dialogue, const QString& chemin);
    // Réglé sur le minuteur donné, qui reste à démarrer : « Options » dans la
    // boîte « Quitter », puis l'action sur la fenêtre d'options dès qu'elle s'ouvre.
    static void repondre_par_les_options(QTimer& reponse, const std::function<void(Fenetre_options*)>& action);

    // Les lignes du bloc du rapport qui commence par ce titre, jusqu'au bandeau suivant exclu.
    static QStringList bloc_du_rapport(const QStringList& lignes, const QString& titre);

    // Attend (en temps du jeu) que la condition soit vraie, vérifiée toutes les
    // intervalle_ms. Une valeur qui ne dure qu'un battement d'un compte à rebours se
    // guette à chaque passage de la boucle : après un ralentissement, le minuteur de
    // vérification, dû avant le battement suivant, passe avant lui.
    static constexpr int a_chaque_passage = 0;
    static constexpr int intervalle_verification_ms = 100;
    template <typename Condition>
    bool attendre(Condition condition, int limite_ms, int intervalle_ms = intervalle_verification_ms);
    bool attendre_page(int page, int limite_ms);

private:
    static constexpr int intervalle_sonde_ms = 200;
    static constexpr double marge_sonde_s = 1.0;
    static void noter_annonce(QtMsgType type, const QMessageLogContext& contexte, const QString& message);
    static Soiree* courante;

    MainWindow* principale = nullptr;
    QElapsedTimer horloge;
    QList<Annonce> journal;
    QStringList alertes;
    QList<QPair<double, int>> pages;
    QList<int> departs;
    QTimer sonde;
    double derniere_sonde = 0;
    QList<QPair<double, double>> retards;
    QtMessageHandler gestionnaire_precedent;
};

template <typename Dialogue, typename Reponse>
void Soiree::repondre(Reponse reponse)
{
    auto* minuteur = new QTimer;
    minuteur->setInterval(intervalle_verification_ms);
    QObject::connect(minuteur, &QTimer::timeout, [minuteur, reponse] {
        auto* dialogue = qobject_cast<Dialogue*>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        minuteur->stop();
        minuteur->deleteLater();
        reponse(dialogue);
    });
    minuteur->start();
}

template <typename Condition>
bool Soiree::attendre(Condition condition, int limite_ms, int intervalle_ms)
{
    QElapsedTimer limite;
    limite.start();
    QEventLoop boucle;
    QTimer verification;
    verification.setInterval(intervalle_ms);
    QObject::connect(&verification, &QTimer::timeout, &boucle, [&] {
        if (condition() || limite.elapsed() > limite_ms)
            boucle.quit();
    });
    if (!condition()) {
        verification.start();
        boucle.exec();
    }
    return condition();
}

#endif
