#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "accuse.h"
#include "cadre_vote.h"
#include "constantes.h"
#include "sons_retenus.h"

#include <QDir>
#include <QSound>
#include <QStandardPaths>
#include <QTimer>

namespace {
void garder_place_si_cache(QWidget* widget)
{
    QSizePolicy politique = widget->sizePolicy();
    politique.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(politique);
}
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);

    const QString dossier_donnees = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(QDir(dossier_donnees).absolutePath());
    chemin_sauvegarde = QDir(dossier_donnees).filePath(QLatin1String(Fichier::sauvegarde));

    setAcceptDrops(true);

    cadres_vote = {ui->cadre_1, ui->cadre_2, ui->cadre_3, ui->cadre_4,
                   ui->cadre_5, ui->cadre_6, ui->cadre_7, ui->cadre_8};
    labels_classement = {ui->label_classement_1, ui->label_classement_2, ui->label_classement_3,
                         ui->label_classement_4, ui->label_classement_5, ui->label_classement_6,
                         ui->label_classement_7, ui->label_classement_8};

    for (int i = 0; i < Jeu::nombre_accuses; ++i) {
        bouton_candidat(i)->setProperty("style", "boutonvote");
        etiquette_deplacable(i)->setProperty("style", "labeldeplacable");
        etiquette_deplacable(i)->setProperty("type", "deplacable");
        garder_place_si_cache(etiquette_deplacable(i));
    }
    const QList<QPushButton*> boutons_ok = {ui->bouton_ok, ui->bouton_ok_vote, ui->bouton_ok_code_sc,
                                            ui->bouton_oui, ui->bouton_non, ui->Bouton_annuler_1,
                                            ui->Bouton_annuler_2, ui->Bouton_annuler_3, ui->Bouton_annuler_4,
                                            ui->Bouton_annuler_5, ui->Bouton_annuler_6, ui->Bouton_annuler_7,
                                            ui->Bouton_annuler_8};
    for (QPushButton* bouton : boutons_ok)
        bouton->setProperty("style", "boutonok");

    for (QLineEdit* champ : {ui->ligne_code, ui->ligne_code_sc, ui->ligne_code_sc_2})
        champ->setAttribute(Qt::WA_MacShowFocusRect, false);

    garder_place_si_cache(ui->label_vote_invalide);
    for (QLabel* label : qAsConst(labels_classement)) {
        garder_place_si_cache(label);
        label->hide();
    }
    garder_place_si_cache(ui->label_resultats);
    garder_place_si_cache(ui->label_presentation_resultats);

    ui->stackedWidget->setCurrentIndex(Page::accueil);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);

    creer_minuteurs();

    curseur = cursor();
    temps_votes = QList<int>(Duree::temps_votes_defaut.begin(), Duree::temps_votes_defaut.end());
    temps_votes_initiaux = temps_votes;
    temps_vote_final = Duree::vote_final_s;

    Sons::retenir_tous();
    creer_accuses();
    creer_sons();
    charger_images_attente();
}

// Les sons appartiennent au programme entier (sons_retenus.h) : la fenêtre
// arrête les siens sans les détruire.
MainWindow::~MainWindow()
{
    qDeleteAll(accuses);
    for (QSound* son : {son_introduction, son_presentation_premier_vote, son_sonnerie, son_jingle,
                        son_jingle_musique, son_4min, son_appel_vote, son_elimine_vote, son_sc_bon_usage,
                        son_sc_usage_inutile, son_sc_mauvais_usage, son_elimine_sc, son_premier_sauve,
                        son_presentation_vote_final, son_resultat_vote_final, son_deuxieme_sauve,
                        son_conclusion})
        son->stop();
    for (QSound* son : qAsConst(sons_lancement_vote) + sons_minutes_avant_vote)
        son->stop();
    delete ui;
}

void MainWindow::creer_minuteurs()
{
    const auto creer = [this](int intervalle_ms, void (MainWindow::*slot)()) {
        auto* minuteur = new QTimer(this);
        // Les comptes à rebours se lisent à la seconde près sur l'écran : pas de dérive tolérée.
        minuteur->setTimerType(Qt::PreciseTimer);
        minuteur->setInterval(intervalle_ms);
        connect(minuteur, &QTimer::timeout, this, slot);
        return minuteur;
    };
    timer_discours_initial = creer(Duree::discours_initial_ms, &MainWindow::fin_discours_initial);
    timer_appel_accuses = creer(Duree::appel_accuses_ms, &MainWindow::fin_appel_accuses);
    timer_intervote = creer(Duree::seconde_ms, &MainWindow::compte_a_rebours_intervote);
    timer_vote = creer(Duree::seconde_ms, &MainWindow::compte_a_rebours_vote);
    timer_temporisation = creer(Duree::temporisation_ms, &MainWindow::fin_temporisation);
    timer_affichage_code_sc = creer(Duree::affichage_code_sc_ms, &MainWindow::fin_temps_affichage_resultats_code_sc);
    timer_affichage_erreur_code_sc =
        creer(Duree::affichage_erreur_code_sc_ms, &MainWindow::fin_temps_affichage_resultats_code_sc);
    timer_image_attente = creer(Duree::image_attente_ms, &MainWindow::changement_image_attente);
    temps_restant_intervote = 0;
    temps_restant_vote = Duree::bulletin_s;
}

void MainWindow::creer_accuses()
{
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        accuses.append(new Accuse(QString::fromUtf8(roster[i].nom), i, QString::fromUtf8(roster[i].code)));

    ui->comboBox_code_seconde_chance->addItem(QString());
    for (const Accuse* accuse : qAsConst(accuses))
        ui->comboBox_code_seconde_chance->addItem(accuse->get_nom(), accuse->get_index());
}

void MainWindow::charger_images_attente()
{
    for (int n = 1; n <= Jeu::nombre_images_attente; ++n)
        images_attente.append(QPixmap(QStringLiteral(":/Apparence/Images du fond animé/Fond animé%1.png").arg(n)));
    ui->label_image->setScaledContents(true);
    ui->label_image->setPixmap(images_attente.first());
    index_image_attente = 0;
}

void MainWindow::initialiser_affichage()
{
    for (Cadre_vote* cadre : qAsConst(cadres_vote))
        cadre->setAcceptDrops(true);
    ui->stackedWidget->setCurrentIndex(Page::accueil);
    ui->stackedWidget_intervote->setCurrentIndex(SousPage::bouton_vote);
}

bool MainWindow::phase_finale() const
{
    return accuses.size() == nombre_ecartes + 1;
}

QPushButton* MainWindow::bouton_candidat(int index) const
{
    const std::array<QPushButton*, Jeu::nombre_accuses> boutons = {
        ui->bouton_cafard, ui->bouton_chacal, ui->bouton_chien, ui->bouton_cochon, ui->bouton_hyene,
        ui->bouton_rat, ui->bouton_requin, ui->bouton_serpent, ui->bouton_vautour};
    return index >= 0 && index < Jeu::nombre_accuses ? boutons[index] : nullptr;
}

QLabel* MainWindow::etiquette_deplacable(int index) const
{
    const std::array<QLabel*, Jeu::nombre_accuses> etiquettes = {
        ui->label_cafard_deplacable, ui->label_chacal_deplacable, ui->label_chien_deplacable,
        ui->label_cochon_deplacable, ui->label_hyene_deplacable, ui->label_rat_deplacable,
        ui->label_requin_deplacable, ui->label_serpent_deplacable, ui->label_vautour_deplacable};
    return index >= 0 && index < Jeu::nombre_accuses ? etiquettes[index] : nullptr;
}
