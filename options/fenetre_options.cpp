#include "fenetre_options.h"
#include "ui_fenetre_options.h"

#include "mainwindow.h"

#include <QIntValidator>
#include <QTimer>
#include <array>

namespace {
const QString code_admin = QStringLiteral("margot");
const QString titre = QStringLiteral("Options");
const QString minutes_par_defaut = QStringLiteral("5");
constexpr int duree_code_errone_ms = 2000;
constexpr int minutes_min = 0;
// Les compteurs n'affichent que MM:SS : 100 minutes s'y liraient 00:00.
constexpr int minutes_max = 99;
constexpr int secondes_par_minute = 60;

// Pages de la pile du dialogue.
constexpr int page_code_admin = 0;
constexpr int page_panneau_admin = 1;
constexpr int page_temps_votes = 2;
constexpr int page_temps_instant = 3;

// Durées proposées : l'index d'un élément dans une boîte est son rang ici.
struct Duree_proposee {
    const char* texte;
    int secondes;
};
constexpr std::array<Duree_proposee, 4> durees = {{
    {"10 min", 600},
    {"15 min", 900},
    {"20 min", 1200},
    {"25 min", 1500},
}};
// Seul le vote 1 propose 25 min ; le vote final n'affiche que 20 min.
constexpr int nombre_durees_votes = 3;
constexpr int index_vote_1 = 0;
constexpr int index_vote_final = 9;
constexpr int index_duree_vote_final = 2;

int index_de_duree(int secondes)
{
    for (int i = 0; i < static_cast<int>(durees.size()); ++i) {
        if (durees[i].secondes == secondes)
            return i;
    }
    return -1;
}
}

Fenetre_options::Fenetre_options(MainWindow* fenetre)
    : QDialog(fenetre)
    , ui(new Ui::Fenetre_options)
{
    ui->setupUi(this);
    setWindowTitle(titre);
    ui->stackedWidget->setCurrentIndex(page_code_admin);
    fenetre_principale = fenetre;

    // Le message d'erreur garde sa place pour que la page ne saute pas.
    QSizePolicy politique = ui->label_code_errone->sizePolicy();
    politique.setRetainSizeWhenHidden(true);
    ui->label_code_errone->setSizePolicy(politique);
    ui->label_code_errone->hide();

    combos_temps = {ui->comboBox_vote_1, ui->comboBox_vote_2, ui->comboBox_vote_3, ui->comboBox_vote_4,
                    ui->comboBox_vote_5, ui->comboBox_vote_6, ui->comboBox_vote_7, ui->comboBox_vote_8,
                    ui->comboBox_vote_9, ui->comboBox_vote_final};
    remplir_combos();

    ui->ligne_nombre_minutes->setText(minutes_par_defaut);
    ui->ligne_nombre_minutes->setValidator(new QIntValidator(minutes_min, minutes_max, this));
}

Fenetre_options::~Fenetre_options()
{
    delete ui;
}

void Fenetre_options::remplir_combos()
{
    const int nombre_votes = fenetre_principale->get_temps_votes().size();
    for (int k = 0; k < nombre_votes; ++k) {
        const int nombre_items = k == index_vote_1 ? nombre_durees_votes + 1 : nombre_durees_votes;
        for (int i = 0; i < nombre_items; ++i)
            combos_temps[k]->addItem(QString::fromUtf8(durees[i].texte));
    }
    afficher_temps_votes();
    combos_temps[index_vote_final]->addItem(QString::fromUtf8(durees[index_duree_vote_final].texte));
    combos_temps[index_vote_final]->setCurrentIndex(0);
}

// Une durée absente de la boîte (mode test) la laisse telle quelle.
void Fenetre_options::afficher_temps_votes()
{
    const int nombre_votes = fenetre_principale->get_temps_votes().size();
    for (int k = 0; k < nombre_votes; ++k) {
        const int index = index_de_duree(fenetre_principale->get_temps_vote(k));
        if (index >= 0 && index < combos_temps[k]->count())
            combos_temps[k]->setCurrentIndex(index);
    }
}

void Fenetre_options::fin_affichage()
{
    boucle_affichage.quit();
}

void Fenetre_options::on_bouton_ok_code_admin_clicked()
{
    if (ui->ligne_code_admin->text().toLower() == code_admin)
        ui->stackedWidget->setCurrentIndex(page_panneau_admin);
    else
        signaler_code_errone();
}

// Un second essai pendant le message n'attend pas une deuxième fois : le message
// s'efface au retour de la première attente. La boucle ne dit plus tourner dès
// qu'on lui a demandé de finir, alors qu'une attente du jeu ouverte par-dessus
// peut encore retarder son retour : c'est ce retour qui libère le message.
void Fenetre_options::signaler_code_errone()
{
    ui->ligne_code_admin->clear();
    ui->label_code_errone->show();
    if (message_en_cours)
        return;
    message_en_cours = true;
    QTimer::singleShot(duree_code_errone_ms, Qt::PreciseTimer, this, &Fenetre_options::fin_affichage);
    boucle_affichage.exec();
    message_en_cours = false;
    ui->label_code_errone->hide();
}

void Fenetre_options::on_bouton_changer_temps_votes_clicked()
{
    ui->stackedWidget->setCurrentIndex(page_temps_votes);
}

void Fenetre_options::on_bouton_changer_temps_instant_clicked()
{
    ui->stackedWidget->setCurrentIndex(page_temps_instant);
}

void Fenetre_options::on_bouton_retour_modif_votes_clicked()
{
    afficher_temps_votes();
    afficher_panneau();
}

// Seuls les votes 2 à 9 sont réglables ici.
void Fenetre_options::on_bouton_valider_modif_votes_clicked()
{
    for (int k = index_vote_1 + 1; k < index_vote_final; ++k) {
        const int index = combos_temps[k]->currentIndex();
        if (index >= 0 && index < nombre_durees_votes)
            fenetre_principale->set_temps_vote(durees[index].secondes, k);
    }
    afficher_panneau();
}

void Fenetre_options::on_bouton_fermer_clicked()
{
    close();
}

void Fenetre_options::on_bouton_retour_temps_en_cours_clicked()
{
    ui->ligne_nombre_minutes->setText(minutes_par_defaut);
    afficher_panneau();
}

void Fenetre_options::on_bouton_valider_temps_en_cours_clicked()
{
    const int minutes = ui->ligne_nombre_minutes->text().toInt(nullptr, 10);
    fenetre_principale->set_temps_restant_intervote(minutes * secondes_par_minute);
    ui->ligne_nombre_minutes->setText(minutes_par_defaut);
    afficher_panneau();
}

void Fenetre_options::afficher_panneau()
{
    ui->stackedWidget->setCurrentIndex(page_panneau_admin);
}
