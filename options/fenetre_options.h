#ifndef FENETRE_OPTIONS_H
#define FENETRE_OPTIONS_H

#include <QDialog>
#include <QEventLoop>
#include <QList>

class MainWindow;
class QComboBox;

namespace Ui {
class Fenetre_options;
}

// Réglages de l'organisateur derrière le code admin : durées des votes 2 à 9
// et temps restant du compte à rebours en cours.
class Fenetre_options : public QDialog
{
    Q_OBJECT

public:
    explicit Fenetre_options(MainWindow* fenetre);
    ~Fenetre_options() override;

public slots:
    void fin_affichage();

private slots:
    void on_bouton_ok_code_admin_clicked();
    void on_bouton_changer_temps_votes_clicked();
    void on_bouton_changer_temps_instant_clicked();
    void on_bouton_retour_modif_votes_clicked();
    void on_bouton_valider_modif_votes_clicked();
    void on_bouton_fermer_clicked();
    void on_bouton_retour_temps_en_cours_clicked();
    void on_bouton_valider_temps_en_cours_clicked();

private:
    void remplir_combos();
    void afficher_temps_votes();
    void signaler_code_errone();
    void afficher_panneau();

    Ui::Fenetre_options* ui;
    MainWindow* fenetre_principale;
    QList<QComboBox*> combos_temps;
    QEventLoop boucle_affichage;
    bool message_en_cours = false;
};

#endif
