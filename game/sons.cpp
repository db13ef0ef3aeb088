#include "mainwindow.h"

#include "accuse.h"
#include "sons_retenus.h"

#include <QDirIterator>
#include <QHash>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QSound>
#include <QTimer>

// Journal des annonces jouées (silencieux par défaut) : il permet de vérifier
// après coup ce que la salle a entendu et quand.
Q_LOGGING_CATEGORY(journal_sons, "le_sordane.sons", QtInfoMsg)

namespace {
const QString dossier_sons = QStringLiteral(":/Sons/");

QSound* son(const QString& chemin)
{
    return Sons::son(dossier_sons + chemin + QStringLiteral(".wav"));
}
}

// Qt Multimedia charge les sons dans un fil à lui, qui s'arrête dès qu'il n'a
// plus rien à charger. Un son demandé pendant que ce fil s'arrête n'est chargé
// qu'à la demande suivante ; détruit avant, il meurt en plein chargement, le fil
// ne s'arrête plus jamais, et la destruction suivante d'un son l'attend sans fin.
// Chaque enregistrement a donc un seul son, créé une fois pour toutes et gardé
// jusqu'à la fin du programme : détruire la fenêtre ne détruit aucun son.
// Sans serveur de son, Qt Multimedia retente aussi la connexion toutes les 30 s
// pour chaque son créé : des sons partagés gardent ces tentatives en petit nombre.
QSound* Sons::son(const QString& chemin)
{
    static QHash<QString, QSound*> sons;
    QSound*& existant = sons[chemin];
    if (!existant)
        existant = new QSound(chemin);
    return existant;
}

void Sons::retenir_tous()
{
    QDirIterator fichiers(dossier_sons, QDir::Files, QDirIterator::Subdirectories);
    while (fichiers.hasNext())
        son(fichiers.next());
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

// Chaque attente a sa boucle et sa minuterie à elle : une attente ouverte
// par-dessus (un vote qui se clôt pendant qu'un message attend sous la fenêtre
// d'options) dure son temps entier, sans écourter celle d'en dessous ni être
// écourtée par elle.
// Minuterie précise : une minuterie grossière peut glisser de 5 %, soit 7 s sur
// la présentation du premier vote.
void MainWindow::attendre(int ms)
{
    QEventLoop boucle;
    QTimer minuteur;
    minuteur.setSingleShot(true);
    minuteur.setTimerType(Qt::PreciseTimer);
    connect(&minuteur, &QTimer::timeout, &boucle, &QEventLoop::quit);
    ++attentes_en_cours;
    minuteur.start(ms);
    boucle.exec();
    --attentes_en_cours;
}

// Une étape de parole : le son part, la séquence attend la durée prévue pour lui.
void MainWindow::dire(QSound* son, int ms)
{
    jouer(son);
    attendre(ms);
}

void MainWindow::jouer(QSound* son)
{
    qCDebug(journal_sons).noquote() << son->fileName();
    son->play();
}
