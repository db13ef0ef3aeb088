#ifndef SINGE_H
#define SINGE_H

// Le singe : une salle qui fait n'importe quoi au kiosque pendant toute une
// partie en mode test (clics, codes justes ou faux, touches S, Entrée, Échap,
// options, glisser-déposer), et qui vérifie après chaque geste que l'état du
// jeu reste cohérent.

#include "soiree.h"

#include <QObject>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>

class QMessageBox;
class QFileDialog;
class Fenetre_options;

class Singe : public QObject
{
public:
    Singe(Soiree& soiree, quint32 graine, const QString& dossier_rapports);

    // Joue jusqu'à quelques gestes après la page de fin, au premier défaut, ou à la limite (temps du jeu).
    void jouer(int limite_ms);
    bool partie_finie() const { return fin_vue; }
    int etapes() const { return numero_etape; }
    // Avertissements de Qt relevés pendant la partie, autres que les boucles relancées.
    const QStringList& avertissements() const { return autres_avertissements; }
    // Défauts constatés, un par sorte, chacun avec la graine, l'étape et les derniers gestes.
    const QStringList& defauts_constates() const { return defauts; }
    // Le rapport de la partie finie : chaque vote compte ses neuf voix, le vote
    // final ses places et ses pénalités ; vide s'il tombe juste.
    QString verifier_rapport() const;

private:
    void planifier();
    void etape();
    void agir();
    void agir_sur_la_fenetre();
    void agir_au_kiosque();
    void agir_au_bulletin();
    void agir_au_tableau();
    void agir_a_l_accueil();
    void agir_a_la_fin();
    void verifier_fichier_rapport();
    void geste_au_hasard();

    // Fenêtres modales : boîte pour quitter, options, dialogue du rapport.
    void repondre(QWidget* modale);
    double reflexion_au_hasard();
    void repondre_quitter(QMessageBox* boite);
    void repondre_options(Fenetre_options* options);
    void repondre_dialogue_rapport(QFileDialog* dialogue);

    // Gestes élémentaires.
    void cliquer(QPushButton* bouton, const QString& nom);
    void touche(Qt::Key cle, const QString& nom);
    void taper(const QString& texte);
    void taper_code(const QString& texte, const char* ok);
    QString code_au_hasard(const QString& juste);
    void glisser_au_hasard();
    void glisser(const QWidget* depart, const QPoint& arrivee, bool annuler);

    // Invariants.
    void verifier(const QString& moment);
    void verifier_etat();
    void verifier_page();
    void verifier_tableau();
    void verifier_avertissements();
    void changement_de_page(int page);
    void signaler(const QString& probleme);

    void noter(const QString& geste);
    QWidget* cible_clavier() const;
    bool chance(int pourcent) { return int(hasard.bounded(100)) < pourcent; }
    int tirer(int nombre) { return int(hasard.bounded(nombre)); }
    QList<QPushButton*> boutons_actifs() const;

    Soiree& soiree;
    MainWindow& fenetre;
    quint32 graine;
    QString dossier_rapports;
    QRandomGenerator hasard;
    int numero_etape = 0;
    QStringList journal;
    QStringList defauts;
    QStringList sortes_de_defauts;
    bool arret = false;
    bool glisser_en_cours = false;
    bool partie_lancee = false;
    bool fin_vue = false;
    int etapes_apres_fin = 0;
    int page_precedente = 0;
    int plus_haut_numero_vote = 0;
    int avertissements_lus = 0;
    double reponse_prevue = 0;
    QWidget* modale_vue = nullptr;
    int gestes_dans_la_modale = 0;
    int rapports_ecrits = 0;
    QString chemin_rapport;
    double limite_s = 0;
    QStringList autres_avertissements;
};

#endif
