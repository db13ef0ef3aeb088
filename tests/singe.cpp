#include "singe.h"

#include "accuse.h"
#include "cadre_vote.h"
#include "constantes.h"
#include "fenetre_options.h"
#include "rapport.h"
#include "textes.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMap>
#include <QMessageBox>
#include <QSet>
#include <QRegularExpression>
#include <QTextStream>
#include <QVector>
#include <QWindow>
#include <algorithm>
#include <cstdio>

namespace {
// Un geste toutes les quelques dixièmes de seconde à deux secondes et demie de jeu.
constexpr int pas_min_ms = 200;
constexpr int pas_max_ms = 2500;
constexpr int taille_journal = 15;
// Gestes joués sur la page de fin avant de rendre la main (rapport compris).
constexpr int gestes_sur_la_fin = 8;
// Temps de réflexion devant une fenêtre modale (temps du jeu).
constexpr int reflexion_courte_max_ms = 3000;
constexpr int reflexion_moyenne_max_ms = 20000;
constexpr int reflexion_longue_max_ms = 90000;
constexpr int reflexion_tres_longue_max_ms = 200000;
// Au-delà de ce temps restant, l'organisateur pense à raccourcir le vote.
constexpr int temps_restant_long_s = 60;
// Messages du greffon de plate-forme minimal, sans rapport avec le jeu.
const QString greffon_minimal = QStringLiteral("This plugin does not support");
constexpr int gestes_max_dans_les_options = 6;
constexpr int rapports_max = 3;
constexpr int defauts_max = 10;
constexpr int sous_page_options_code = 0;
constexpr int sous_page_options_panneau = 1;
constexpr int sous_page_options_temps_votes = 2;
constexpr int sous_page_options_temps_instant = 3;
const QString code_admin = QStringLiteral("margot");
const QString code_seconde_chance = QStringLiteral("sursis");
const QString boucle_relancee = QStringLiteral("already called exec");

const char* const etiquettes[] = {"label_cafard_deplacable", "label_chacal_deplacable", "label_chien_deplacable",
                                  "label_cochon_deplacable", "label_hyene_deplacable", "label_rat_deplacable",
                                  "label_requin_deplacable", "label_serpent_deplacable", "label_vautour_deplacable"};

QString nom_de_page(int page)
{
    static const QStringList noms = {"accueil",  "intervote", "résultats",       "vote",         "vote final",
                                     "fin",      "discours",  "résultat final", "annonce des sauvés",
                                     "arrivée du présentateur"};
    return page >= 0 && page < noms.size() ? noms[page] : QString::number(page);
}

// Pages où le jeu peut passer depuis chacune : tout autre passage est un défaut.
const QMap<int, QSet<int>>& passages_permis()
{
    static const QMap<int, QSet<int>> passages = {
        {Page::accueil, {Page::discours}},
        {Page::discours, {Page::intervote}},
        {Page::intervote, {Page::resultats, Page::vote, Page::vote_final}},
        {Page::vote, {Page::intervote, Page::resultats}},
        {Page::vote_final, {Page::intervote, Page::resultats}},
        {Page::resultats, {Page::intervote, Page::discours, Page::resultat_final, Page::annonce_sauves}},
        {Page::resultat_final, {Page::resultats}},
        {Page::annonce_sauves, {Page::arrivee_presentateur}},
        {Page::arrivee_presentateur, {Page::fin}},
    };
    return passages;
}

QPoint centre_dans(const QWidget* widget, const QWidget* fenetre)
{
    return widget->mapTo(fenetre, widget->rect().center());
}
}

Singe::Singe(Soiree& soiree, quint32 graine, const QString& dossier_rapports)
    : soiree(soiree), fenetre(soiree.fenetre()), graine(graine), dossier_rapports(dossier_rapports), hasard(graine)
{
    page_precedente = soiree.page();
    connect(soiree.widget<QStackedWidget>("stackedWidget"), &QStackedWidget::currentChanged, this,
            [this](int page) { changement_de_page(page); });
}

void Singe::jouer(int limite_ms)
{
    limite_s = limite_ms / 1000.0;
    planifier();
    soiree.attendre([this] { return arret; }, limite_ms);
    if (!fin_vue)
        signaler(QStringLiteral("la page de fin n'est pas atteinte après %1 s de jeu").arg(limite_s));
    arret = true;
}

// Le geste suivant est programmé avant d'agir : si ce geste ouvre une attente
// (bulletin, message, fenêtre modale), les gestes suivants s'y jouent.
void Singe::planifier()
{
    QTimer::singleShot(pas_min_ms + tirer(pas_max_ms - pas_min_ms), this, [this] { etape(); });
}

void Singe::etape()
{
    planifier();
    if (arret) {
        // Plus de gestes : seules les fenêtres modales sont fermées, pour que les attentes se défassent.
        if (QWidget* modale = QApplication::activeModalWidget())
            repondre(modale);
        return;
    }
    ++numero_etape;
    verifier(QStringLiteral("avant le geste"));
    if (soiree.maintenant() > limite_s) {
        signaler(QStringLiteral("la page de fin n'est pas atteinte après %1 s de jeu").arg(limite_s));
        arret = true;
        return;
    }
    agir();
    verifier(QStringLiteral("après le geste de l'étape %1").arg(numero_etape));
    if (fin_vue && ++etapes_apres_fin >= gestes_sur_la_fin)
        arret = true;
}

void Singe::agir()
{
    if (QWidget* modale = QApplication::activeModalWidget()) {
        repondre(modale);
        return;
    }
    modale_vue = nullptr;
    // Le glisser en cours mène lui-même son lâcher.
    if (glisser_en_cours)
        return;
    // Sans gestionnaire de fenêtres, rien ne réactive la fenêtre quand une boîte
    // se ferme : le singe le fait, pour que le clavier retrouve le champ qui avait le focus.
    if (QApplication::activeWindow() != &fenetre)
        QApplication::setActiveWindow(&fenetre);
    agir_sur_la_fenetre();
}

void Singe::agir_sur_la_fenetre()
{
    const int tirage = tirer(100);
    const bool vote_long = soiree.page() == Page::intervote && fenetre.get_temps_restant_intervote() > temps_restant_long_s;
    // Échap tombe aussi pendant un message du kiosque ou un bulletin : la fenêtre
    // modale s'ouvre alors au-dessus d'une attente du jeu.
    const bool attente_en_cours = (soiree.page() == Page::intervote && soiree.sous_page() == SousPage::message)
        || soiree.page() == Page::vote || soiree.page() == Page::vote_final;
    if (tirage < 3 || (vote_long && tirage < 8) || (attente_en_cours && tirage < 15))
        touche(Qt::Key_Escape, QStringLiteral("Échap"));
    else if (tirage < 6)
        touche(Qt::Key_S, QStringLiteral("S"));
    else if (tirage < 9)
        touche(Qt::Key_Return, QStringLiteral("Entrée"));
    else if (tirage < 20)
        geste_au_hasard();
    else if (soiree.page() == Page::accueil)
        agir_a_l_accueil();
    else if (soiree.page() == Page::intervote)
        agir_au_kiosque();
    else if (soiree.page() == Page::vote)
        agir_au_bulletin();
    else if (soiree.page() == Page::vote_final)
        agir_au_tableau();
    else if (soiree.page() == Page::fin)
        agir_a_la_fin();
    else
        noter(QStringLiteral("regarde la page ") + nom_de_page(soiree.page()));
}

void Singe::agir_a_l_accueil()
{
    const int tirage = tirer(100);
    if (tirage < 60) {
        // L'introduction se joue pendant ce clic : la partie est lancée dès l'appui.
        partie_lancee = true;
        cliquer(soiree.bouton("bouton_test"), QStringLiteral("Lancer un test"));
    } else if (tirage < 80) {
        cliquer(soiree.bouton("bouton_option"), QStringLiteral("Options"));
    } else {
        cliquer(soiree.bouton("bouton_quitter"), QStringLiteral("Quitter"));
    }
}

void Singe::agir_au_kiosque()
{
    switch (soiree.sous_page()) {
    case SousPage::bouton_vote:
        if (chance(80))
            cliquer(soiree.bouton("bouton_voter"), QStringLiteral("Voter"));
        else
            touche(Qt::Key_S, QStringLiteral("S"));
        break;
    case SousPage::code_vote: {
        QList<const Accuse*> votants;
        for (const Accuse* accuse : fenetre.get_accuses())
            if (!accuse->get_a_vote() || chance(25))
                votants.append(accuse);
        const Accuse* votant = votants.isEmpty() ? fenetre.get_accuses()[tirer(Jeu::nombre_accuses)]
                                                 : votants[tirer(votants.size())];
        taper_code(code_au_hasard(votant->get_code()), "bouton_ok_vote");
        break;
    }
    case SousPage::code_seconde_chance:
        taper_code(code_au_hasard(code_seconde_chance), "bouton_ok");
        break;
    case SousPage::confirmation_code_sc: {
        auto* liste = soiree.widget<QComboBox>("comboBox_code_seconde_chance");
        const int descentes = tirer(Jeu::nombre_accuses + 1);
        for (int i = 0; i < descentes; ++i)
            QTest::keyClick(liste, Qt::Key_Down);
        noter(QStringLiteral("choisit « %1 »").arg(liste->currentText()));
        if (chance(75))
            cliquer(soiree.bouton("bouton_oui"), QStringLiteral("Oui"));
        else
            cliquer(soiree.bouton("bouton_non"), QStringLiteral("Non"));
        break;
    }
    case SousPage::validation_code_sc: {
        const QVariant choix = soiree.widget<QComboBox>("comboBox_code_seconde_chance")->currentData();
        const QString juste = choix.isValid() ? fenetre.get_accuses()[choix.toInt()]->get_code() : QString();
        taper_code(code_au_hasard(juste), "bouton_ok_code_sc");
        break;
    }
    default:
        noter(QStringLiteral("lit le message « %1 »").arg(soiree.label("label_remerciement")->text()));
        break;
    }
}

void Singe::agir_au_bulletin()
{
    const int tirage = tirer(100);
    QList<QPushButton*> candidats;
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        if (soiree.bouton_candidat(i)->isEnabled())
            candidats.append(soiree.bouton_candidat(i));
    if (tirage < 75 && !candidats.isEmpty()) {
        QPushButton* choisi = candidats[tirer(candidats.size())];
        cliquer(choisi, QStringLiteral("vote contre ") + choisi->text());
    } else if (tirage < 90) {
        cliquer(soiree.bouton("bouton_reporter_vote"), QStringLiteral("Voter plus tard"));
    } else {
        noter(QStringLiteral("hésite devant le bulletin"));
    }
}

void Singe::agir_au_tableau()
{
    bool complet = true;
    for (int position = 1; position <= Jeu::nombre_cadres; ++position) {
        const auto* une_case = soiree.widget<Cadre_vote>(qPrintable(QStringLiteral("cadre_%1").arg(position)));
        if (!une_case->isHidden() && une_case->get_index_accuse() == Jeu::aucun_accuse)
            complet = false;
    }
    const int tirage = tirer(100);
    const int seuil_valider = complet ? 70 : 10;
    if (tirage < seuil_valider) {
        cliquer(soiree.bouton("bouton_valider_vote_final"),
                complet ? QStringLiteral("Valider") : QStringLiteral("Valider un tableau incomplet"));
    } else if (tirage < 85) {
        glisser_au_hasard();
    } else if (tirage < 95) {
        const int position = 1 + tirer(Jeu::nombre_cadres);
        QPushButton* retirer = soiree.bouton(qPrintable(QStringLiteral("Bouton_annuler_%1").arg(position)));
        if (retirer->isVisible())
            cliquer(retirer, QStringLiteral("Retirer la case %1").arg(position));
    } else {
        cliquer(soiree.bouton("bouton_reporter_vote_final"), QStringLiteral("Voter plus tard (final)"));
    }
}

void Singe::agir_a_la_fin()
{
    if (rapports_ecrits < rapports_max && chance(50)) {
        chemin_rapport = QStringLiteral("%1/rapport_%2_%3.csv").arg(dossier_rapports).arg(graine).arg(++rapports_ecrits);
        cliquer(soiree.bouton("bouton_rapport"), QStringLiteral("Enregistrer le rapport"));
        verifier_fichier_rapport();
        return;
    }
    noter(QStringLiteral("regarde la page de fin"));
}

// Le fichier écrit par le dialogue, s'il a été écrit, est le rapport de la partie.
void Singe::verifier_fichier_rapport()
{
    QFile fichier(chemin_rapport);
    if (!fichier.exists())
        return;
    if (!fichier.open(QIODevice::ReadOnly | QIODevice::Text)) {
        signaler(QStringLiteral("le rapport %1 ne se relit pas").arg(chemin_rapport));
        return;
    }
    QTextStream flux(&fichier);
    const QString attendu = Rapport::texte(fenetre.get_accuses(), fenetre.get_numero_vote(), QDate::currentDate());
    if (flux.readAll() != attendu)
        signaler(QStringLiteral("le fichier %1 n'est pas le rapport de la partie").arg(chemin_rapport));
}

void Singe::geste_au_hasard()
{
    const QList<QPushButton*> boutons = boutons_actifs();
    if (boutons.isEmpty()) {
        noter(QStringLiteral("cherche un bouton"));
        return;
    }
    QPushButton* choisi = boutons[tirer(boutons.size())];
    cliquer(choisi, choisi->objectName());
}

// Tout bouton visible et actif, sauf les deux qui ne mènent pas à une partie en
// mode test : « Commencer une partie » (votes de 25 minutes) et « Charger une partie ».
QList<QPushButton*> Singe::boutons_actifs() const
{
    QList<QPushButton*> boutons;
    for (QPushButton* bouton : fenetre.findChildren<QPushButton*>()) {
        const QString nom = bouton->objectName();
        if (bouton->isVisible() && bouton->isEnabled() && nom != QLatin1String("bouton_demarrer")
            && nom != QLatin1String("bouton_charger"))
            boutons.append(bouton);
    }
    return boutons;
}

void Singe::repondre(QWidget* modale)
{
    if (modale != modale_vue) {
        modale_vue = modale;
        reponse_prevue = soiree.maintenant() + reflexion_au_hasard();
        gestes_dans_la_modale = 0;
        noter(QStringLiteral("voit la fenêtre « %1 », répondra vers %2 s")
                  .arg(modale->windowTitle())
                  .arg(reponse_prevue, 0, 'f', 1));
    }
    if (!arret && soiree.maintenant() < reponse_prevue)
        return;
    ++gestes_dans_la_modale;
    // Chaque page de la fenêtre a sa propre réflexion, le plus souvent courte.
    reponse_prevue = soiree.maintenant() + (chance(60) ? tirer(reflexion_courte_max_ms) / 1000.0 : reflexion_au_hasard());
    if (auto* boite = qobject_cast<QMessageBox*>(modale))
        repondre_quitter(boite);
    else if (auto* options = qobject_cast<Fenetre_options*>(modale))
        repondre_options(options);
    else if (auto* dialogue = qobject_cast<QFileDialog*>(modale))
        repondre_dialogue_rapport(dialogue);
    else if (auto* autre = qobject_cast<QDialog*>(modale)) {
        noter(QStringLiteral("ferme la fenêtre inattendue « %1 »").arg(autre->windowTitle()));
        autre->reject();
    }
}

// Le plus souvent on répond vite ; parfois on réfléchit, les minuteurs du jeu
// tournant dessous : assez pour qu'un vote se ferme, ou que ses résultats passent.
// Une fenêtre ouverte pendant un bulletin attend plus souvent longtemps : le
// bulletin reste alors ouvert dessous pendant que le vote se ferme.
double Singe::reflexion_au_hasard()
{
    const bool pendant_un_bulletin = soiree.page() == Page::vote || soiree.page() == Page::vote_final;
    const int tirage = tirer(100);
    if (pendant_un_bulletin && tirage < 40)
        return (reflexion_moyenne_max_ms + tirer(reflexion_tres_longue_max_ms - reflexion_moyenne_max_ms)) / 1000.0;
    if (tirage < 50)
        return tirer(reflexion_courte_max_ms) / 1000.0;
    if (tirage < 80)
        return (reflexion_courte_max_ms + tirer(reflexion_moyenne_max_ms - reflexion_courte_max_ms)) / 1000.0;
    return (reflexion_moyenne_max_ms + tirer(reflexion_longue_max_ms - reflexion_moyenne_max_ms)) / 1000.0;
}

// On ne quitte jamais : « Non », ou « Options ».
void Singe::repondre_quitter(QMessageBox* boite)
{
    if (boite->text() != Texte::quitter_question) {
        signaler(QStringLiteral("boîte de message inattendue : « %1 »").arg(boite->text()));
        boite->buttons().first()->click();
        return;
    }
    QAbstractButton* options = nullptr;
    for (QAbstractButton* bouton : boite->buttons())
        if (bouton->text() == QLatin1String("Options"))
            options = bouton;
    if (arret || !options || chance(40)) {
        noter(QStringLiteral("répond Non à « Quitter »"));
        boite->button(QMessageBox::No)->click();
    } else {
        noter(QStringLiteral("répond Options à « Quitter »"));
        options->click();
    }
}

void Singe::repondre_options(Fenetre_options* options)
{
    const int page = options->findChild<QStackedWidget*>(QStringLiteral("stackedWidget"))->currentIndex();
    const auto bouton = [options](const char* nom) { return options->findChild<QPushButton*>(QLatin1String(nom)); };
    if (arret || gestes_dans_la_modale > gestes_max_dans_les_options) {
        noter(QStringLiteral("ferme les options par Échap"));
        QTest::keyClick(options, Qt::Key_Escape);
        return;
    }
    switch (page) {
    case sous_page_options_code: {
        const int tirage = tirer(100);
        if (tirage < 10) {
            noter(QStringLiteral("ferme les options par Échap"));
            QTest::keyClick(options, Qt::Key_Escape);
            return;
        }
        const QString code = tirage < 70 ? code_admin : tirage < 80 ? code_admin.toUpper() : QStringLiteral("margo");
        auto* champ = options->findChild<QLineEdit*>(QStringLiteral("ligne_code_admin"));
        champ->clear();
        QTest::keyClicks(champ, code);
        noter(QStringLiteral("tape le code admin « %1 »").arg(code));
        bouton("bouton_ok_code_admin")->click();
        break;
    }
    case sous_page_options_panneau: {
        const int tirage = tirer(100);
        if (tirage < 65) {
            noter(QStringLiteral("ouvre « temps du vote en cours »"));
            bouton("bouton_changer_temps_instant")->click();
        } else if (tirage < 80) {
            noter(QStringLiteral("ouvre « temps des votes »"));
            bouton("bouton_changer_temps_votes")->click();
        } else {
            noter(QStringLiteral("ferme les options"));
            bouton("bouton_fermer")->click();
        }
        break;
    }
    case sous_page_options_temps_votes:
        if (chance(90)) {
            noter(QStringLiteral("revient sans changer les temps des votes"));
            bouton("bouton_retour_modif_votes")->click();
        } else {
            const int vote = 2 + tirer(Jeu::nombre_votes_ordinaires - 1);
            auto* boite = options->findChild<QComboBox*>(QStringLiteral("comboBox_vote_%1").arg(vote));
            boite->setCurrentIndex(tirer(boite->count()));
            noter(QStringLiteral("met le vote %1 à %2 et valide").arg(vote).arg(boite->currentText()));
            bouton("bouton_valider_modif_votes")->click();
        }
        break;
    case sous_page_options_temps_instant: {
        static const QStringList minutes = {"0", "0", "1", "1", "1", "2", "3", ""};
        const QString saisie = minutes[tirer(minutes.size())];
        auto* champ = options->findChild<QLineEdit*>(QStringLiteral("ligne_nombre_minutes"));
        champ->clear();
        QTest::keyClicks(champ, saisie);
        if (chance(85)) {
            noter(QStringLiteral("met le temps restant à « %1 » minutes").arg(saisie));
            bouton("bouton_valider_temps_en_cours")->click();
        } else {
            noter(QStringLiteral("revient sans changer le temps restant"));
            bouton("bouton_retour_temps_en_cours")->click();
        }
        break;
    }
    default:
        break;
    }
}

void Singe::repondre_dialogue_rapport(QFileDialog* dialogue)
{
    if (arret || chance(40)) {
        noter(QStringLiteral("annule le dialogue du rapport"));
        dialogue->reject();
        return;
    }
    noter(QStringLiteral("enregistre le rapport sous ") + chemin_rapport);
    auto* champ = dialogue->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    champ->setText(chemin_rapport);
    QTest::keyClick(champ, Qt::Key_Return);
}

void Singe::cliquer(QPushButton* bouton, const QString& nom)
{
    noter(QStringLiteral("clique « %1 »").arg(nom));
    QTest::mouseClick(bouton, Qt::LeftButton);
}

void Singe::touche(Qt::Key cle, const QString& nom)
{
    noter(QStringLiteral("appuie sur %1").arg(nom));
    QTest::keyClick(cible_clavier(), cle);
}

// Les touches vont où va le clavier : au widget qui a le focus, sinon à la fenêtre.
QWidget* Singe::cible_clavier() const
{
    QWidget* focus = QApplication::focusWidget();
    if (focus && (focus == &fenetre || fenetre.isAncestorOf(focus)))
        return focus;
    return &fenetre;
}

void Singe::taper(const QString& texte)
{
    for (const QChar lettre : texte)
        QTest::keyClick(cible_clavier(), lettre.toLatin1());
}

// Le code tapé, puis Entrée, OK, ou rien (le texte reste dans le champ).
void Singe::taper_code(const QString& texte, const char* ok)
{
    taper(texte);
    const int tirage = tirer(100);
    if (tirage < 70) {
        noter(QStringLiteral("tape « %1 » et Entrée").arg(texte));
        QTest::keyClick(cible_clavier(), Qt::Key_Return);
    } else if (tirage < 90 && soiree.bouton(ok)->isVisible()) {
        cliquer(soiree.bouton(ok), QStringLiteral("OK après « %1 »").arg(texte));
    } else {
        noter(QStringLiteral("tape « %1 » sans valider").arg(texte));
    }
}

// Le bon code, en capitales, un faux ou rien.
QString Singe::code_au_hasard(const QString& juste)
{
    const int tirage = tirer(100);
    if (tirage < 55)
        return juste;
    if (tirage < 70)
        return juste.toUpper();
    if (tirage < 85)
        return juste.left(qMax(1, juste.size() - 1)) + QLatin1Char('x');
    return QString();
}

// Un nom de la réserve ou d'une case remplie, lâché sur une case, la réserve, le fond, ou annulé.
void Singe::glisser_au_hasard()
{
    QList<const QWidget*> reserve;
    QList<const QWidget*> cases_remplies;
    QList<const QWidget*> cases;
    for (const char* nom : etiquettes)
        if (soiree.label(nom)->isVisible())
            reserve.append(soiree.label(nom));
    for (int position = 1; position <= Jeu::nombre_cadres; ++position) {
        const auto* une_case = soiree.widget<Cadre_vote>(qPrintable(QStringLiteral("cadre_%1").arg(position)));
        if (!une_case->isVisible())
            continue;
        cases.append(une_case);
        if (une_case->get_index_accuse() != Jeu::aucun_accuse)
            cases_remplies.append(une_case);
    }
    const bool depuis_la_reserve = !reserve.isEmpty() && (cases_remplies.isEmpty() || chance(65));
    const QList<const QWidget*>& departs = depuis_la_reserve ? reserve : cases_remplies;
    if (departs.isEmpty() || cases.isEmpty()) {
        noter(QStringLiteral("ne trouve rien à glisser"));
        return;
    }
    const QWidget* depart = departs[tirer(departs.size())];
    const int tirage = tirer(100);
    QPoint arrivee = centre_dans(cases[tirer(cases.size())], &fenetre);
    QString destination = QStringLiteral("une case");
    if (tirage >= 70 && tirage < 80 && !reserve.isEmpty()) {
        arrivee = centre_dans(reserve[tirer(reserve.size())], &fenetre);
        destination = QStringLiteral("la réserve");
    } else if (tirage >= 80 && tirage < 90) {
        arrivee = centre_dans(soiree.label("label_demande_vote_2"), &fenetre);
        destination = QStringLiteral("le fond");
    }
    const bool annuler = tirage >= 90;
    noter(QStringLiteral("glisse « %1 » de %2 vers %3")
              .arg(qobject_cast<const QLabel*>(depart)->text(), depuis_la_reserve ? QStringLiteral("la réserve")
                                                                                  : QStringLiteral("une case"),
                   annuler ? QStringLiteral("Échap") : destination));
    glisser(depart, arrivee, annuler);
}

// Un vrai glisser, mené par la souris sur la QWindow : l'appui ne rend la main
// qu'au lâcher, programmé avant lui.
void Singe::glisser(const QWidget* depart, const QPoint& arrivee, bool annuler)
{
    QWindow* fenetre_qt = fenetre.windowHandle();
    const QPoint prise = centre_dans(depart, &fenetre);
    glisser_en_cours = true;
    QTimer::singleShot(0, this, [=] {
        QTest::mouseMove(fenetre_qt, (prise + arrivee) / 2);
        QTest::mouseMove(fenetre_qt, arrivee);
        if (annuler)
            QTest::keyClick(fenetre_qt, Qt::Key_Escape);
        else
            QTest::mouseRelease(fenetre_qt, Qt::LeftButton, Qt::NoModifier, arrivee);
    });
    QTest::mousePress(fenetre_qt, Qt::LeftButton, Qt::NoModifier, prise);
    if (annuler)
        QTest::mouseRelease(fenetre_qt, Qt::LeftButton, Qt::NoModifier, arrivee);
    glisser_en_cours = false;
}

void Singe::verifier(const QString& moment)
{
    if (arret)
        return;
    const int avant = defauts.size();
    verifier_etat();
    verifier_page();
    verifier_tableau();
    verifier_avertissements();
    for (int i = avant; i < defauts.size(); ++i)
        defauts[i] += QStringLiteral("\n(constaté %1)").arg(moment);
}

// Le compte des écartés, le test de la phase finale et le numéro du vote.
void Singe::verifier_etat()
{
    int ecartes = 0;
    for (const Accuse* accuse : fenetre.get_accuses())
        ecartes += accuse->get_ecarte() ? 1 : 0;
    if (fenetre.get_nombre_ecartes() != ecartes)
        signaler(QStringLiteral("nombre_ecartes vaut %1 pour %2 accusés écartés").arg(fenetre.get_nombre_ecartes()).arg(ecartes));
    if (fenetre.phase_finale() != (ecartes == Jeu::nombre_accuses - 1))
        signaler(QStringLiteral("phase_finale() vaut %1 avec %2 écartés").arg(fenetre.phase_finale()).arg(ecartes));
    const int numero = fenetre.get_numero_vote();
    if (numero < plus_haut_numero_vote)
        signaler(QStringLiteral("le numéro du vote redescend de %1 à %2").arg(plus_haut_numero_vote).arg(numero));
    if (numero > Jeu::nombre_votes_ordinaires)
        signaler(QStringLiteral("numéro de vote %1 au-delà du dernier vote ordinaire").arg(numero));
    plus_haut_numero_vote = qMax(plus_haut_numero_vote, numero);
}

// La page affichée doit appartenir à l'état de la partie.
void Singe::verifier_page()
{
    const int page = soiree.page();
    const bool finale = fenetre.phase_finale();
    const QString ici = QStringLiteral("page « %1 »").arg(nom_de_page(page));
    if (partie_lancee && page == Page::accueil)
        signaler(ici + QStringLiteral(" après le lancement de la partie"));
    if (fin_vue && page != Page::fin)
        signaler(ici + QStringLiteral(" après la page de fin"));
    if (page == Page::discours && fenetre.get_numero_vote() != 0 && !finale)
        signaler(ici + QStringLiteral(" pendant le vote %1").arg(fenetre.get_numero_vote()));
    if (page == Page::vote && finale)
        signaler(ici + QStringLiteral(" (bulletin ordinaire) pendant le vote final"));
    const QSet<int> pages_finales = {Page::vote_final, Page::resultat_final, Page::annonce_sauves,
                                     Page::arrivee_presentateur, Page::fin};
    if (pages_finales.contains(page) && !finale)
        signaler(ici + QStringLiteral(" hors de la phase finale"));
    if (page == Page::intervote) {
        const QString attendu = finale ? Texte::vote_final : Texte::vote_numero + QString::number(fenetre.get_numero_vote());
        const QString affiche = soiree.label("label_phase")->text();
        if (affiche != attendu)
            signaler(ici + QStringLiteral(" titrée « %1 » au lieu de « %2 » : aucun compte à rebours de ce vote n'est lancé")
                               .arg(affiche, attendu));
    }
    if (page == Page::fin) {
        int sauves = 0;
        for (const Accuse* accuse : fenetre.get_accuses())
            sauves += accuse->get_sauve() ? 1 : 0;
        if (sauves != 2)
            signaler(ici + QStringLiteral(" avec %1 sauvés").arg(sauves));
    }
}

// Pendant un bulletin final, chaque nom à classer est dans la réserve ou dans
// une seule case ; le votant et le premier sauvé ne sont nulle part.
void Singe::verifier_tableau()
{
    if (soiree.page() != Page::vote_final || glisser_en_cours)
        return;
    const QString question = soiree.label("label_demande_vote_2")->text();
    const Accuse* votant = nullptr;
    for (const Accuse* accuse : fenetre.get_accuses())
        if (question == accuse->get_nom() + Texte::question_vote_final)
            votant = accuse;
    if (!votant) {
        signaler(QStringLiteral("bulletin final sans votant : « %1 »").arg(question));
        return;
    }
    const auto* huitieme = soiree.widget<Cadre_vote>("cadre_8");
    if (huitieme->isHidden() != votant->get_ecarte())
        signaler(QStringLiteral("huitième case %1 pour le votant %2").arg(huitieme->isHidden() ? "cachée" : "montrée",
                                                                          votant->get_nom()));
    for (const Accuse* accuse : fenetre.get_accuses()) {
        int presences = soiree.label(etiquettes[accuse->get_index()])->isHidden() ? 0 : 1;
        for (int position = 1; position <= Jeu::nombre_cadres; ++position) {
            const auto* une_case = soiree.widget<Cadre_vote>(qPrintable(QStringLiteral("cadre_%1").arg(position)));
            if (une_case->get_index_accuse() == accuse->get_index())
                ++presences;
        }
        const int attendu = accuse->get_ecarte() && accuse != votant ? 1 : 0;
        if (presences != attendu)
            signaler(QStringLiteral("tableau de %1 : %2 présent %3 fois au lieu de %4")
                         .arg(votant->get_nom(), accuse->get_nom()).arg(presences).arg(attendu));
    }
}

// Une boucle d'attente relancée pendant qu'elle tourne déjà : Qt le dit, et l'attente n'a pas lieu.
void Singe::verifier_avertissements()
{
    const QStringList& alertes = soiree.avertissements();
    for (; avertissements_lus < alertes.size(); ++avertissements_lus) {
        const QString& alerte = alertes[avertissements_lus];
        if (alerte.contains(boucle_relancee))
            signaler(QStringLiteral("boucle d'attente relancée : ") + alerte);
        else if (!alerte.startsWith(greffon_minimal))
            autres_avertissements.append(alerte);
    }
}

void Singe::changement_de_page(int page)
{
    const int depuis = page_precedente;
    page_precedente = page;
    if (arret)
        return;
    noter(QStringLiteral("(le jeu passe de « %1 » à « %2 »)").arg(nom_de_page(depuis), nom_de_page(page)));
    if (!passages_permis().value(depuis).contains(page))
        signaler(QStringLiteral("passage interdit de la page « %1 » à la page « %2 »").arg(nom_de_page(depuis), nom_de_page(page)));
    const QSet<int> pages_du_vote = {Page::intervote, Page::vote, Page::vote_final};
    if (page == Page::resultats && pages_du_vote.contains(depuis)
        && fenetre.get_temps_restant_intervote() >= Duree::fin_compte_a_rebours_s)
        signaler(QStringLiteral("résultats affichés avec %1 s encore au compte à rebours")
                     .arg(fenetre.get_temps_restant_intervote()));
    if (page == Page::fin)
        fin_vue = true;
    verifier_etat();
    verifier_page();
    verifier_avertissements();
}

// Chaque sorte de défaut est notée une fois par partie (adresses et nombres mis
// à part) ; la partie continue, pour trouver les suivants.
void Singe::signaler(const QString& probleme)
{
    static const QRegularExpression variable(QStringLiteral("0x[0-9a-f]+|[0-9]+"));
    const QString sorte = QString(probleme).replace(variable, QStringLiteral("#"));
    if (sortes_de_defauts.contains(sorte) || sortes_de_defauts.size() >= defauts_max)
        return;
    sortes_de_defauts.append(sorte);
    const QString defaut = QStringLiteral("graine %1, étape %2 (%3 s de jeu), page « %4 », vote %5 : %6\nderniers gestes :\n  %7")
                         .arg(graine)
                         .arg(numero_etape)
                         .arg(soiree.maintenant(), 0, 'f', 1)
                         .arg(nom_de_page(soiree.page()))
                         .arg(fenetre.get_numero_vote())
                         .arg(probleme, journal.join(QStringLiteral("\n  ")));
    std::printf("DÉFAUT %s\n", qPrintable(defaut));
    std::fflush(stdout);
    defauts.append(defaut);
}

// SINGE_BAVARD=1 affiche chaque geste au fil de la partie, pour suivre une graine rejouée.
void Singe::noter(const QString& geste)
{
    static const bool bavard = qEnvironmentVariableIntValue("SINGE_BAVARD") != 0;
    journal.append(QStringLiteral("étape %1, %2 s : %3").arg(numero_etape).arg(soiree.maintenant(), 0, 'f', 1).arg(geste));
    if (bavard)
        std::printf("  %s\n", qPrintable(journal.last()));
    while (journal.size() > taille_journal)
        journal.removeFirst();
}

namespace {
// Les neuf colonnes d'une ligne du rapport, après sa légende.
QStringList colonnes(const QString& ligne)
{
    QStringList champs = ligne.split(QLatin1Char(';'));
    champs.removeFirst();
    while (champs.size() < Jeu::nombre_accuses)
        champs.append(QString());
    return champs.mid(0, Jeu::nombre_accuses);
}

QString verifier_bloc_ordinaire(const QStringList& lignes, int numero)
{
    const QStringList votes = lignes.filter(QRegularExpression(QStringLiteral("^Vote de ")));
    const QStringList totaux = lignes.filter(QRegularExpression(QStringLiteral("^Total votes contre :")));
    if (votes.size() != Jeu::nombre_accuses || totaux.size() != 1)
        return QStringLiteral("vote %1 : %2 bulletins et %3 totaux").arg(numero).arg(votes.size()).arg(totaux.size());
    QVector<int> comptes(Jeu::nombre_accuses, 0);
    for (const QString& ligne : votes) {
        const QStringList champs = colonnes(ligne);
        if (champs.count(QStringLiteral("1")) != 1 || champs.count(QString()) != Jeu::nombre_accuses - 1)
            return QStringLiteral("vote %1 : bulletin « %2 » sans une seule voix").arg(numero).arg(ligne);
        ++comptes[champs.indexOf(QStringLiteral("1"))];
    }
    const QStringList champs = colonnes(totaux.first());
    int somme = 0;
    for (int i = 0; i < Jeu::nombre_accuses; ++i) {
        somme += champs[i].toInt();
        if (champs[i].toInt() != comptes[i])
            return QStringLiteral("vote %1 : « %2 » ne compte pas les bulletins").arg(numero).arg(totaux.first());
    }
    if (somme != Jeu::nombre_accuses)
        return QStringLiteral("vote %1 : %2 voix au lieu de 9 (« %3 »)").arg(numero).arg(somme).arg(totaux.first());
    return {};
}

// Un votant sans bulletin porte 15 dans sa colonne ; sinon il donne chaque place
// de 1 à 8 (premier sauvé) ou à 7 (écarté), une fois, à d'autres que lui et le premier sauvé.
QString verifier_ligne_finale(const QString& ligne, const Accuse* votant, int premier_sauve)
{
    const QStringList champs = colonnes(ligne);
    QList<int> places;
    for (int i = 0; i < Jeu::nombre_accuses; ++i) {
        if (champs[i].isEmpty())
            continue;
        if (champs[i].toInt() == Jeu::penalite_abstention_finale && i == votant->get_index() && places.isEmpty()
            && champs.count(QString()) == Jeu::nombre_accuses - 1)
            return {};
        if (i == votant->get_index() || i == premier_sauve)
            return QStringLiteral("vote final : « %1 » place le votant ou le premier sauvé").arg(ligne);
        places.append(champs[i].toInt());
    }
    std::sort(places.begin(), places.end());
    const int nombre = votant->get_ecarte() ? Jeu::nombre_cadres - 1 : Jeu::nombre_cadres;
    for (int place = 0; place < places.size(); ++place)
        if (places[place] != place + 1)
            return QStringLiteral("vote final : « %1 » ne donne pas chaque place une fois").arg(ligne);
    if (places.size() != nombre)
        return QStringLiteral("vote final : « %1 » donne %2 places au lieu de %3").arg(ligne).arg(places.size()).arg(nombre);
    return {};
}

QString verifier_bloc_final(const QStringList& lignes, const QList<Accuse*>& accuses)
{
    const QStringList votes = lignes.filter(QRegularExpression(QStringLiteral("^Vote de ")));
    const QStringList totaux = lignes.filter(QRegularExpression(QStringLiteral("^Total votes pour :")));
    if (votes.size() != Jeu::nombre_accuses || totaux.size() != 1)
        return QStringLiteral("vote final : %1 bulletins et %2 totaux").arg(votes.size()).arg(totaux.size());
    int premier_sauve = Jeu::aucun_accuse;
    for (const Accuse* accuse : accuses)
        if (!accuse->get_ecarte())
            premier_sauve = accuse->get_index();
    QVector<int> sommes(Jeu::nombre_accuses, 0);
    for (int v = 0; v < Jeu::nombre_accuses; ++v) {
        const QString probleme = verifier_ligne_finale(votes[v], accuses[v], premier_sauve);
        if (!probleme.isEmpty())
            return probleme;
        const QStringList champs = colonnes(votes[v]);
        for (int i = 0; i < Jeu::nombre_accuses; ++i)
            sommes[i] += champs[i].toInt();
    }
    const QStringList champs = colonnes(totaux.first());
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        if (champs[i].toInt() != sommes[i])
            return QStringLiteral("vote final : « %1 » n'est pas la somme des places et des pénalités").arg(totaux.first());
    return {};
}
}

QString Singe::verifier_rapport() const
{
    const QStringList lignes =
        Rapport::texte(fenetre.get_accuses(), fenetre.get_numero_vote(), QDate::currentDate()).split(QLatin1Char('\n'));
    QStringList problemes;
    for (int numero = 1; numero <= fenetre.get_numero_vote(); ++numero) {
        const QString probleme =
            verifier_bloc_ordinaire(Soiree::bloc_du_rapport(lignes, QStringLiteral("********** Vote %1 **********").arg(numero)), numero);
        if (!probleme.isEmpty())
            problemes.append(probleme);
    }
    const QString probleme =
        verifier_bloc_final(Soiree::bloc_du_rapport(lignes, QStringLiteral("********** Vote final **********")), fenetre.get_accuses());
    if (!probleme.isEmpty())
        problemes.append(probleme);
    return problemes.join(QLatin1Char('\n'));
}
