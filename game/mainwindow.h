#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "constantes.h"

#include <QCursor>
#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <array>

class Accuse;
class Cadre_vote;
class QDate;
class QLabel;
class QEventLoop;
class QLCDNumber;
class QPushButton;
class QSound;
class QTimer;

namespace Ui {
class MainWindow;
}

// La fenêtre du maître du jeu : elle tient tout l'état de la partie.
// Ses fonctions membres sont réparties dans game/*.cpp, un fichier par sujet.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    void initialiser_affichage();

    // Accès de la fenêtre d'options au calendrier.
    QList<int> get_temps_votes() const { return temps_votes; }
    int get_temps_vote(int index) const { return temps_votes[index]; }
    void set_temps_vote(int secondes, int index) { temps_votes[index] = secondes; }
    void set_temps_restant_intervote(int secondes) { temps_restant_intervote = secondes; }

    // Lecture de l'état de la partie.
    const QList<Accuse*>& get_accuses() const { return accuses; }
    int get_numero_vote() const { return numero_vote; }
    int get_nombre_ecartes() const { return nombre_ecartes; }
    int get_temps_vote_final() const { return temps_vote_final; }
    int get_temps_restant_intervote() const { return temps_restant_intervote; }
    int get_temps_restant_vote() const { return temps_restant_vote; }
    int get_etat_seconde_chance() const { return etat_seconde_chance; }
    const QString& get_chemin_sauvegarde() const { return chemin_sauvegarde; }
    bool phase_finale() const;

    void ecarter_accuse(Accuse* accuse, int numero = 0);
    void rehabiliter_accuse(Accuse* accuse, int numero = 0);

    // Texte "MM:SS" d'un compte à rebours.
    static QString texte_compte_a_rebours(int secondes);

public slots:
    void compte_a_rebours_intervote();
    void fin_discours_initial();
    void fin_appel_accuses();
    void fin_temporisation();
    void fin_temps_affichage_resultats_code_sc();
    void changement_image_attente();
    void compte_a_rebours_vote();
    void fin_jeu();

private slots:
    void on_bouton_cafard_clicked();
    void on_bouton_chacal_clicked();
    void on_bouton_chien_clicked();
    void on_bouton_cochon_clicked();
    void on_bouton_hyene_clicked();
    void on_bouton_rat_clicked();
    void on_bouton_requin_clicked();
    void on_bouton_serpent_clicked();
    void on_bouton_vautour_clicked();
    void on_bouton_demarrer_clicked();
    void on_bouton_quitter_clicked();
    void on_bouton_ok_vote_clicked();
    void on_bouton_voter_clicked();
    void on_bouton_reporter_vote_clicked();
    void on_bouton_reporter_vote_final_clicked();
    void on_bouton_test_clicked();
    void on_bouton_option_clicked();
    // seconde_chance.cpp : boutons du code de la seconde chance
    void on_bouton_ok_clicked();
    void on_bouton_non_clicked();
    void on_bouton_oui_clicked();
    void on_bouton_ok_code_sc_clicked();
    // tableau_classement.cpp : boutons du tableau de classement final
    void on_Bouton_annuler_1_clicked();
    void on_Bouton_annuler_2_clicked();
    void on_Bouton_annuler_3_clicked();
    void on_Bouton_annuler_4_clicked();
    void on_Bouton_annuler_5_clicked();
    void on_Bouton_annuler_6_clicked();
    void on_Bouton_annuler_7_clicked();
    void on_Bouton_annuler_8_clicked();
    void on_bouton_valider_vote_final_clicked();
    // sauvegarde.cpp : reprise d'une partie
    void on_bouton_charger_clicked();
    // rapport.cpp : rapport de partie
    void on_bouton_rapport_clicked();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    // etat.cpp
    void creer_minuteurs();
    void creer_accuses();
    void charger_images_attente();
    QPushButton* bouton_candidat(int index) const;
    QLabel* etiquette_deplacable(int index) const;

    // sequence.cpp
    void demarrer_partie();
    void afficher_discours();
    void afficher_intervote();
    void afficher_code_vote();
    void reinitialiser_code_vote();
    void reinitialiser_seconde_chance();
    void reinitialiser_vote_final();
    void lancer_compte_a_rebours_intervote(int secondes);
    void lancer_compte_a_rebours_vote();
    void lancer_compte_a_rebours_vote_final();
    void lancer_intervote();
    void lancer_intervote_final();
    void fin_intervote();
    void afficher_temps_intervote(const QString& texte);
    void afficher_temps_vote(const QString& texte);

    // sons.cpp
    void creer_sons();
    void attendre(int ms);
    void dire(QSound* son, int ms);
    void jouer(QSound* son);

    // commandes.cpp
    void confirmer_quitter();
    void ouvrir_options();
    void valider_champ_de_code();

    // kiosque.cpp
    void verifier_code_vote();
    void prendre_vote(Accuse* votant);
    void prendre_vote_final(Accuse* votant);
    bool ouvrir_bulletin(Accuse* votant);
    int attendre_bulletin();
    void fermer_bulletin(int fin);
    void rendre_kiosque(const Accuse* votant);
    void remercier(const Accuse* votant);
    void voter_contre(int index);
    void reporter_vote();
    void preparer_vote_final(Accuse* votant);
    void afficher_message(const QString& texte);
    void recentrer_pointeur();

    // depouillement.cpp
    void resultats_vote();
    void compter_abstentions();
    int appliquer_seconde_chance();
    int choisir_accuse_ecarte();
    void annoncer_seconde_chance(int effet);
    void annoncer_ecartement(Accuse* ecarte);
    void annoncer_premier_sauve();
    void annoncer_vote_suivant();
    void jouer_annonce_vote(int numero);

    // sauvegarde.cpp
    void sauvegarder_partie();
    void mettre_de_cote_sauvegarde();
    bool charger_partie();
    void reprendre_vote_ordinaire();
    void reprendre_vote_final();

    // seconde_chance.cpp
    void afficher_code_seconde_chance();
    void verifier_code_seconde_chance();
    void enregistrer_code_seconde_chance();
    void afficher_message_code_sc(const QString& texte, QTimer* minuteur);

    // tableau_classement.cpp
    int index_etiquette(const QWidget* widget) const;
    Cadre_vote* cadre_rempli(const QWidget* widget) const;
    void glisser_nom(QLabel* saisi, const QPoint& prise, int index, Cadre_vote* cadre_source);
    void finir_glisser(Qt::DropAction resultat, int index, Cadre_vote* cadre_source);
    void retirer_du_cadre(int position);
    void afficher_etiquette(int index, bool visible);
    int prendre_index_remplace();
    void valider_vote_final();
    bool tableau_complet() const;
    void refuser_vote_final();
    void enregistrer_bulletin_final();

    // resultats_finaux.cpp
    void cloturer_vote_final();
    void resultats_vote_final();
    void annoncer_deuxieme_sauve(Accuse* sauve);
    void annoncer_sauves();

    // rapport.cpp
    void exporter_rapport();
    bool ecrire_rapport(const QString& chemin, const QDate& date) const;

    Ui::MainWindow* ui;
    QString chemin_sauvegarde;
    QList<Accuse*> accuses;
    QList<Cadre_vote*> cadres_vote;
    QList<int> temps_votes_initiaux;
    QList<int> temps_votes;
    QList<QLabel*> labels_classement;
    int temps_vote_final = 0;
    int numero_vote = 0;
    int nombre_ecartes = 0;
    int etat_seconde_chance = SecondeChance::inutilise;
    int utilisateur_seconde_chance = 0;
    bool vote_effectue = false;
    std::array<int, Jeu::nombre_cadres> bulletin_final{};
    QCursor curseur;
    // Boucle du bulletin ouvert, nulle hors d'un bulletin.
    QEventLoop* boucle_bulletin = nullptr;
    // Le votant du bulletin en cours et le vote pendant lequel il l'a ouvert.
    Accuse* votant_bulletin = nullptr;
    int numero_vote_bulletin = 0;
    // Attentes de la séquence en cours, imbriquées les unes dans les autres.
    int attentes_en_cours = 0;
    int temps_restant_intervote = 0;
    int temps_restant_vote = 0;
    QTimer* timer_discours_initial = nullptr;
    QTimer* timer_appel_accuses = nullptr;
    QTimer* timer_intervote = nullptr;
    QTimer* timer_vote = nullptr;
    QTimer* timer_temporisation = nullptr;
    QTimer* timer_affichage_code_sc = nullptr;
    QTimer* timer_affichage_erreur_code_sc = nullptr;
    QTimer* timer_image_attente = nullptr;
    QSound* son_introduction = nullptr;
    QSound* son_presentation_premier_vote = nullptr;
    QSound* son_sonnerie = nullptr;
    QSound* son_jingle = nullptr;
    QSound* son_jingle_musique = nullptr;
    QSound* son_4min = nullptr;
    QSound* son_appel_vote = nullptr;
    QSound* son_elimine_vote = nullptr;
    QList<QSound*> sons_lancement_vote;
    QSound* son_sc_bon_usage = nullptr;
    QSound* son_sc_usage_inutile = nullptr;
    QSound* son_sc_mauvais_usage = nullptr;
    QSound* son_elimine_sc = nullptr;
    QList<QSound*> sons_minutes_avant_vote;
    QSound* son_premier_sauve = nullptr;
    QSound* son_presentation_vote_final = nullptr;
    QSound* son_resultat_vote_final = nullptr;
    QSound* son_deuxieme_sauve = nullptr;
    QSound* son_conclusion = nullptr;
    QList<QPixmap> images_attente;
    int index_image_attente = 0;
};

#endif
