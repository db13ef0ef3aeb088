#include "mainwindow.h"

#include "accuse.h"

#include <QLoggingCategory>
#include <QSound>
#include <QTimer>

// Journal des annonces jouées (silencieux par défaut) : il permet de vérifier
// après coup ce que la salle a entendu et quand.
Q_LOGGING_CATEGORY(journal_sons, "le_sordane.sons", QtInfoMsg)

namespace {
QSound* son(const QString& chemin)
{
    return new QSound(QStringLiteral(":/Sons/") + chemin + QStringLiteral(".wav"));
}
}

void MainWindow::creer_sons()
{
    son_introduction = son(QStringLiteral("Explications_generales/Jeumeurtrierintroduction"));
    son_presentation_premier_vote = son(QStringLiteral("Explications_generales/Presentationpremiervote"));
    son_sonnerie = son(QStringLiteral("Appels_pour_les_votes/Sonnerie"));
    son_jingle = son(QStringLiteral("Explications_generales/Jingle"));
    son_4min = son(QStringLiteral("Appels_pour_les_votes/4minpourvoter"));
    son_jingle_musique = son(QStringLiteral("Explications_generales/Jingleetmusique"));
    son_elimine_vote = son(QStringLiteral("Resultats_des_votes/Eliminevoteclassique"));
    son_sc_bon_usage = son(QStringLiteral("Code_de_la_seconde_chance/Codesecondechancebonusage"));
    son_sc_usage_inutile = son(QStringLiteral("Code_de_la_seconde_chance/Codesecondechanceinutileusage"));
    son_sc_mauvais_usage = son(QStringLiteral("Code_de_la_seconde_chance/Codesecondechancemauvaisusage"));
    son_elimine_sc = son(QStringLiteral("Code_de_la_seconde_chance/Eliminecodesecondechance"));
    for (int k = 1; k <= accuses.size(); ++k)
        sons_lancement_vote.append(son(QStringLiteral("Deroulement_des_votes/Lancementvote%1").arg(k)));
    for (const char* minutes : {"20", "15", "10"})
        sons_minutes_avant_vote.append(son(QStringLiteral("Appels_pour_les_votes/%1minavantvote").arg(minutes)));
    son_premier_sauve = son(QStringLiteral("Resultats_des_votes/Annoncepremiersauve"));
    son_presentation_vote_final = son(QStringLiteral("Explications_generales/Presentationvotefinal"));
    son_appel_vote = son(QStringLiteral("Appels_pour_les_votes/Appelvote"));
    son_resultat_vote_final = son(QStringLiteral("Resultats_des_votes/Resultatvotefinal"));
    son_deuxieme_sauve = son(QStringLiteral("Resultats_des_votes/Annoncedeuxiemesauve"));
    son_conclusion = son(QStringLiteral("Explications_generales/Jeumeurtrierconclusion"));
}

// Chaque attente a sa propre boucle : une attente de la sonnerie peut ainsi
// s'ouvrir pendant qu'un message attend dans boucle_paroles.
// Minuterie précise : une minuterie grossière peut glisser de 5 %, soit 7 s sur
// la présentation du premier vote.
void MainWindow::attendre_paroles(int ms)
{
    QTimer::singleShot(ms, Qt::PreciseTimer, this, &MainWindow::fin_paroles);
    boucle_paroles.exec();
}

void MainWindow::attendre_sonnerie(int ms)
{
    QTimer::singleShot(ms, Qt::PreciseTimer, this, &MainWindow::fin_sonnerie);
    boucle_sonnerie.exec();
}

void MainWindow::fin_paroles()
{
    boucle_paroles.quit();
}

void MainWindow::fin_sonnerie()
{
    boucle_sonnerie.quit();
}

// Une étape de parole : le son part, la séquence attend la durée prévue pour lui.
void MainWindow::dire(QSound* son, int ms)
{
    jouer(son);
    attendre_paroles(ms);
}

void MainWindow::jouer(QSound* son)
{
    qCDebug(journal_sons).noquote() << son->fileName();
    son->play();
}
