// Une partie sauvegardée reprend telle qu'elle était, au vote suivant ou au vote
// final ; un fichier absent ou abîmé est signalé et ne touche pas au rôle.
#include "garde_messages.h"
#include "soiree.h"

#include "accuse.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QtTest>

namespace {
using namespace Joueurs;

constexpr int page_accueil = 0;
constexpr int page_intervote = 1;
constexpr int page_discours = 6;
constexpr int sous_page_bouton_vote = 0;

const QString titre_attendu = QStringLiteral("Pas de partie sauvegardée");
const QString texte_sans_fichier = QStringLiteral("Il n'y a pas de fichier de sauvegarde.");
const QString texte_illisible = QStringLiteral("Le fichier de sauvegarde est illisible.");
const QString joueur_en_jeu = QStringLiteral("0;0;0;0;0");
const QString neuf_zeros = QStringLiteral("0;0;0;0;0;0;0;0;0");

int ligne_joueur(int index) { return 2 + index; }
int ligne_bulletins(int index) { return 11 + 3 * index; }
int ligne_votes(int index) { return 12 + 3 * index; }
int ligne_vote_final(int index) { return 13 + 3 * index; }

// Un fichier de 38 lignes : en-tête, lignes des joueurs données, bulletins et votes vides.
QStringList fichier(int numero, int etat, const QStringList& joueurs)
{
    QStringList lignes = {QString::number(numero), QString::number(etat)};
    lignes += joueurs;
    for (int i = 0; i < 27; ++i)
        lignes.append(neuf_zeros);
    return lignes;
}

// Les lignes des joueurs quand les accusés donnés ont été écartés aux votes 1, 2, 3...
QStringList ecartes_dans_l_ordre(const QList<int>& ordre)
{
    QStringList joueurs;
    for (int i = 0; i < 9; ++i)
        joueurs.append(joueur_en_jeu);
    for (int vote = 1; vote <= ordre.size(); ++vote)
        joueurs[ordre[vote - 1]] = QStringLiteral("1;%1;0;0;0").arg(vote);
    return joueurs;
}

QByteArray contenu(const QStringList& lignes, const QString& fin = QStringLiteral("\n"))
{
    return (lignes.join(fin) + fin).toUtf8();
}

void ecrire(const QString& chemin, const QByteArray& octets)
{
    QFile sortie(chemin);
    QVERIFY(sortie.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(sortie.write(octets), qint64(octets.size()));
}

QStringList lire(const QString& chemin)
{
    QFile entree(chemin);
    if (!entree.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(entree.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Tout ce que le fichier porte d'un accusé, plus ce que la reprise en déduit.
QString fiche(const Accuse* accuse)
{
    QStringList emis;
    QStringList recus;
    for (int k = 0; k < 9; ++k) {
        emis.append(QString::number(accuse->get_vote_emis(k)));
        recus.append(QString::number(accuse->get_votes_recus(k)));
    }
    return QStringLiteral("%1 écarté %2 aux votes %3 et %4, code %5 effet %6, sauvé %7, bulletins %8, votes %9")
        .arg(accuse->get_nom())
        .arg(accuse->get_ecarte())
        .arg(accuse->get_vote_ecartement())
        .arg(accuse->get_vote_second_ecartement())
        .arg(accuse->get_vote_seconde_chance())
        .arg(accuse->get_effet_seconde_chance())
        .arg(accuse->get_sauve())
        .arg(emis.join(QLatin1Char(',')), recus.join(QLatin1Char(',')));
}

QStringList fiches(Soiree& soiree)
{
    QStringList resultat;
    for (const Accuse* accuse : soiree.fenetre().get_accuses())
        resultat.append(fiche(accuse));
    return resultat;
}

// Répond aux boîtes de message comme l'organisateur : note chacune et clique son bouton.
class Repondeur
{
public:
    struct Boite {
        QString titre;
        QString texte;
        QList<QMessageBox::StandardButton> boutons;
        QWidget* parent;
    };

    Repondeur()
    {
        minuteur.setInterval(100);
        QObject::connect(&minuteur, &QTimer::timeout, [this] { repondre(); });
        minuteur.start();
    }

    const QList<Boite>& boites() const { return vues; }

private:
    void repondre()
    {
        for (QWidget* fenetre : QApplication::topLevelWidgets()) {
            auto* boite = qobject_cast<QMessageBox*>(fenetre);
            if (!boite || !boite->isVisible())
                continue;
            Boite vue{boite->windowTitle(), boite->text(), {}, boite->parentWidget()};
            for (QAbstractButton* bouton : boite->buttons())
                vue.boutons.append(boite->standardButton(bouton));
            vues.append(vue);
            boite->buttons().first()->click();
        }
    }

    QTimer minuteur;
    QList<Boite> vues;
};

bool sans_boucle_relancee(Soiree& soiree)
{
    for (const QString& alerte : soiree.avertissements())
        if (alerte.contains(QStringLiteral("already called exec")))
            return false;
    return true;
}
}

class TestSauvegarde : public QObject
{
    Q_OBJECT

private slots:
    void reprise_au_vote_final();
    void reprise_apres_le_vote_1();
    void lignes_de_l_exemple_apres_deux_votes();
    void ligne_joueur_aller_retour_data();
    void ligne_joueur_aller_retour();
    void sans_fichier_un_message_par_clic();
    void fichier_abime_data();
    void fichier_abime();
    void variantes_lisibles_data();
    void variantes_lisibles();
    void annonce_a_la_reprise_data();
    void annonce_a_la_reprise();
    void partie_neuve_met_de_cote_la_sauvegarde_data();
    void partie_neuve_met_de_cote_la_sauvegarde();

private:
    void commencer_en_mode_test(Soiree& soiree);
    void finir_vote(Soiree& soiree, int vote_suivant, int limite_ms);
    void verifier_rien_change(Soiree& soiree, const Repondeur& repondeur, const QString& texte, int clics);

};

void TestSauvegarde::commencer_en_mode_test(Soiree& soiree)
{
    QTest::mouseClick(soiree.bouton("bouton_test"), Qt::LeftButton);
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
}

// Le compte à rebours est écourté ; la sauvegarde est écrite quand le numéro du vote avance.
void TestSauvegarde::finir_vote(Soiree& soiree, int vote_suivant, int limite_ms)
{
    soiree.fenetre().set_temps_restant_intervote(1);
    QVERIFY(soiree.attendre([&] { return soiree.fenetre().get_numero_vote() == vote_suivant; }, limite_ms));
}

// Vote 1 joué : Serpent reçoit deux voix et la sienne, les autres une au plus.
// Rechargée dans un programme neuf, la partie reprend au vote 2, aussitôt.
void TestSauvegarde::reprise_apres_le_vote_1()
{
    QStringList fiches_sauvees;
    {
        Soiree soiree;
        commencer_en_mode_test(soiree);
        soiree.voter(codes[Cafard], Serpent);
        soiree.voter(codes[Chacal], Serpent);
        finir_vote(soiree, 2, limite_attente_ms);
        QVERIFY(soiree.fenetre().get_accuses()[Serpent]->get_ecarte());
        fiches_sauvees = fiches(soiree);
    }

    Soiree soiree;
    Repondeur repondeur;
    const double clic = soiree.maintenant();
    QTest::mouseClick(soiree.bouton("bouton_charger"), Qt::LeftButton);
    QVERIFY(soiree.attendre_page(page_intervote, 0));
    QCOMPARE(soiree.sous_page(), sous_page_bouton_vote);
    QCOMPARE(soiree.label("label_phase")->text(), QStringLiteral("VOTE 2"));
    QCOMPARE(soiree.label("label_fin_vote")->text(), QStringLiteral("Fin du vote 2 dans"));
    QCOMPARE(soiree.fenetre().get_numero_vote(), 2);
    QCOMPARE(soiree.fenetre().get_nombre_ecartes(), 1);
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), 0);
    QCOMPARE(fiches(soiree), fiches_sauvees);
    QCOMPARE(soiree.fenetre().get_accuses()[Serpent]->get_vote_ecartement(), 1);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(soiree.bouton_candidat(i)->isEnabled(), i != Serpent);
    QCOMPARE(soiree.noms_des_sons_depuis(clic), QStringList{"Lancementvote2.wav"});
    VERIFIER_ECART(soiree, clic, soiree.instant_page(page_intervote, clic), 0);
    QCOMPARE(soiree.departs_des_votes(), QList<int>{1200});
    // Une valeur ne dure qu'une seconde de jeu (10 ms réelles) : on attend qu'elle soit passée.
    QVERIFY(soiree.attendre([&] { return soiree.fenetre().get_temps_restant_intervote() < 1200; }, limite_attente_ms));

    // Un second chargement ne s'ajouterait pas à la partie reprise.
    soiree.bouton("bouton_charger")->click();
    QCOMPARE(soiree.fenetre().get_nombre_ecartes(), 1);
    QCOMPARE(fiches(soiree), fiches_sauvees);
    QCOMPARE(soiree.noms_des_sons_depuis(clic).size(), 1);
    QVERIFY(repondeur.boites().isEmpty());
    QVERIFY(sans_boucle_relancee(soiree));
}

// Serpent écarté au vote 1 (Cafard a voté contre lui), Cafard au vote 2 avec
// cinq voix après avoir voté contre Chien : les lignes du fichier d'exemple.
void TestSauvegarde::lignes_de_l_exemple_apres_deux_votes()
{
    Soiree soiree;
    commencer_en_mode_test(soiree);
    soiree.voter(codes[Cafard], Serpent);
    soiree.voter(codes[Chacal], Serpent);
    finir_vote(soiree, 2, limite_attente_ms);
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    soiree.voter(codes[Cafard], Chien);
    for (int votant : {Chacal, Chien, Cochon, Hyene, Rat})
        soiree.voter(codes[votant], Cafard);
    finir_vote(soiree, 3, limite_attente_ms);

    const QStringList lignes = lire(soiree.fenetre().get_chemin_sauvegarde());
    QCOMPARE(lignes.size(), 38);
    QCOMPARE(lignes[0], QStringLiteral("3"));
    QCOMPARE(lignes[1], QStringLiteral("0"));
    QCOMPARE(lignes[ligne_joueur(Cafard)], QStringLiteral("1;2;0;0;0"));
    QCOMPARE(lignes[ligne_joueur(Chacal)], QStringLiteral("0;0;0;0;0"));
    QCOMPARE(lignes[ligne_joueur(Serpent)], QStringLiteral("1;1;0;0;0"));
    QCOMPARE(lignes[ligne_bulletins(Cafard)], QStringLiteral("7;2;0;0;0;0;0;0;0"));
    QCOMPARE(lignes[ligne_votes(Cafard)], QStringLiteral("0;5;0;0;0;0;0;0;0"));
    QCOMPARE(lignes[ligne_vote_final(Cafard)], neuf_zeros);
}

void TestSauvegarde::ligne_joueur_aller_retour_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<QStringList>("joueurs");
    QTest::addColumn<int>("joueur");
    QTest::addColumn<bool>("ecarte");
    QTest::addColumn<int>("vote_ecartement");
    QTest::addColumn<int>("vote_second_ecartement");
    QTest::addColumn<int>("nombre_ecartes");

    // Cochon écarté au vote 3, réhabilité par le code au vote 5, écarté de nouveau au vote 7.
    QStringList joueurs = ecartes_dans_l_ordre({Cafard, Chacal, Cochon, Chien, Hyene, Rat});
    joueurs[Cochon] = QStringLiteral("1;3;7;5;1");
    QTest::newRow("écarté, réhabilité, écarté") << 8 << joueurs << int(Cochon) << true << 3 << 7 << 6;

    // Chien écarté au vote 2, réhabilité au vote 4 : il revient en jeu.
    joueurs = ecartes_dans_l_ordre({Cafard, Chien, Chacal, Cochon});
    joueurs[Chien] = QStringLiteral("0;2;0;4;1");
    QTest::newRow("écarté puis réhabilité") << 5 << joueurs << int(Chien) << false << 2 << 0 << 3;
}

// La ligne est relue, puis réécrite telle quelle par la sauvegarde du vote suivant.
void TestSauvegarde::ligne_joueur_aller_retour()
{
    QFETCH(int, numero);
    QFETCH(QStringList, joueurs);
    QFETCH(int, joueur);
    QFETCH(bool, ecarte);
    QFETCH(int, vote_ecartement);
    QFETCH(int, vote_second_ecartement);
    QFETCH(int, nombre_ecartes);

    Soiree soiree;
    const QString chemin = soiree.fenetre().get_chemin_sauvegarde();
    ecrire(chemin, contenu(fichier(numero, 4, joueurs)));
    QTest::mouseClick(soiree.bouton("bouton_charger"), Qt::LeftButton);
    QCOMPARE(soiree.page(), page_intervote);
    const Accuse* accuse = soiree.fenetre().get_accuses()[joueur];
    QCOMPARE(accuse->get_ecarte(), ecarte);
    QCOMPARE(accuse->get_vote_ecartement(), vote_ecartement);
    QCOMPARE(accuse->get_vote_second_ecartement(), vote_second_ecartement);
    QCOMPARE(accuse->get_vote_seconde_chance(), joueurs[joueur].section(';', 3, 3).toInt());
    QCOMPARE(accuse->get_effet_seconde_chance(), 1);
    QCOMPARE(soiree.fenetre().get_nombre_ecartes(), nombre_ecartes);
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), 4);
    QCOMPARE(soiree.bouton_candidat(joueur)->isEnabled(), !ecarte);

    // Requin, en jeu dans les deux cas, est le plus visé du vote repris ; les
    // codes ne se tapent que dans une fenêtre active.
    QVERIFY(QTest::qWaitForWindowActive(&soiree.fenetre()));
    soiree.voter(codes[Cafard], Requin);
    soiree.voter(codes[Chacal], Requin);
    finir_vote(soiree, numero + 1, limite_attente_ms);
    const QStringList lignes = lire(chemin);
    QCOMPARE(lignes.size(), 38);
    QCOMPARE(lignes[1], QStringLiteral("4"));
    QCOMPARE(lignes[ligne_joueur(joueur)], joueurs[joueur]);
    QCOMPARE(lignes[ligne_joueur(Requin)], QStringLiteral("1;%1;0;0;0").arg(numero));
}

// Huit accusés écartés, Rat seul en jeu : il est le premier sauvé, la présentation
// du vote final est rejouée (89 s en tout), puis le compte à rebours final.
// Premier test du fichier : sans serveur de son, le premier son d'un processus
// qui a déjà créé puis détruit des fenêtres le bloque un moment, ce qui
// fausserait les durées mesurées ici.
void TestSauvegarde::reprise_au_vote_final()
{
    Soiree soiree;
    Repondeur repondeur;
    ecrire(soiree.fenetre().get_chemin_sauvegarde(),
           contenu(fichier(8, 0, ecartes_dans_l_ordre({Cafard, Chacal, Chien, Cochon, Hyene, Requin, Serpent, Vautour}))));

    QStringList pendant;
    QStringList sauves;
    int ecartes_apres_second_clic = 0;
    QTimer::singleShot(1000, &soiree.fenetre(), [&] {
        pendant = QStringList{QString::number(soiree.page()), soiree.label("label_phase")->text(),
                              soiree.label("label_discours")->text()};
        for (const Accuse* accuse : soiree.fenetre().get_accuses())
            if (accuse->get_sauve())
                sauves.append(accuse->get_nom());
    });
    // Un second clic pendant la présentation n'y change rien.
    QTimer::singleShot(10000, &soiree.fenetre(), [&] {
        soiree.bouton("bouton_charger")->click();
        ecartes_apres_second_clic = soiree.fenetre().get_nombre_ecartes();
    });
    const double clic = soiree.maintenant();
    QTest::mouseClick(soiree.bouton("bouton_charger"), Qt::LeftButton);

    QCOMPARE(pendant, (QStringList{QString::number(page_discours), "VOTE FINAL", "VOTE FINAL"}));
    QCOMPARE(sauves, QStringList{"Rat"});
    QCOMPARE(ecartes_apres_second_clic, 8);
    QVERIFY(soiree.fenetre().phase_finale());
    const QList<Annonce> annonces = soiree.annonces_depuis(clic);
    QCOMPARE(soiree.noms_des_sons_depuis(clic), (QStringList{"Jingle.wav", "Presentationvotefinal.wav"}));
    VERIFIER_ECART(soiree, clic, annonces[0].instant, 0);
    VERIFIER_ECART(soiree, annonces[0].instant, annonces[1].instant, 2.5);

    QVERIFY(soiree.attendre_page(page_intervote, 0));
    const double ouverture = soiree.instant_page(page_intervote, clic);
    VERIFIER_ECART_SUR(soiree, annonces[1].instant, ouverture, 86.5, 2);
    VERIFIER_ECART_SUR(soiree, clic, ouverture, 89, 3);
    QCOMPARE(soiree.label("label_phase")->text(), QStringLiteral("VOTE FINAL"));
    QCOMPARE(soiree.departs_des_votes(), QList<int>{1200});
    QVERIFY(repondeur.boites().isEmpty());
    QVERIFY(sans_boucle_relancee(soiree));
}

// Vérifie qu'après ces clics une boîte par clic est apparue, avec ce texte, et
// que la partie n'a pas bougé.
void TestSauvegarde::verifier_rien_change(Soiree& soiree, const Repondeur& repondeur, const QString& texte, int clics)
{
    QCOMPARE(repondeur.boites().size(), clics);
    for (const Repondeur::Boite& boite : repondeur.boites()) {
        QCOMPARE(boite.titre, titre_attendu);
        QCOMPARE(boite.texte, texte);
        QCOMPARE(boite.boutons, QList<QMessageBox::StandardButton>{QMessageBox::Close});
        QCOMPARE(boite.parent, &soiree.fenetre());
    }
    QCOMPARE(soiree.page(), page_accueil);
    QCOMPARE(soiree.fenetre().get_numero_vote(), 0);
    QCOMPARE(soiree.fenetre().get_nombre_ecartes(), 0);
    QCOMPARE(soiree.fenetre().get_etat_seconde_chance(), 0);
    QVERIFY(soiree.annonces().isEmpty());
    QVERIFY(soiree.departs_des_votes().isEmpty());
    for (int i = 0; i < 9; ++i)
        QVERIFY(soiree.bouton_candidat(i)->isEnabled());
}

void TestSauvegarde::sans_fichier_un_message_par_clic()
{
    Soiree soiree;
    QFile::remove(soiree.fenetre().get_chemin_sauvegarde());
    const QStringList fiches_neuves = fiches(soiree);
    Repondeur repondeur;
    for (int clic = 1; clic <= 2; ++clic) {
        QTest::mouseClick(soiree.bouton("bouton_charger"), Qt::LeftButton);
        verifier_rien_change(soiree, repondeur, texte_sans_fichier, clic);
    }
    QCOMPARE(fiches(soiree), fiches_neuves);
}

void TestSauvegarde::partie_neuve_met_de_cote_la_sauvegarde_data()
{
    QTest::addColumn<QString>("bouton");
    QTest::addColumn<bool>("ancienne_mise_de_cote");
    QTest::newRow("Commencer une partie") << "bouton_demarrer" << false;
    QTest::newRow("Lancer un test, une plus ancienne déjà de côté") << "bouton_test" << true;
}

// Une soirée neuve met de côté la sauvegarde de la précédente, octet pour
// octet, à la place d'une plus ancienne : coupée avant son premier résultat,
// elle ne laisse rien que « Charger une partie » puisse reprendre par erreur.
void TestSauvegarde::partie_neuve_met_de_cote_la_sauvegarde()
{
    QFETCH(QString, bouton);
    QFETCH(bool, ancienne_mise_de_cote);
    const QByteArray soiree_d_avant = contenu(fichier(9, 0, ecartes_dans_l_ordre({Serpent, Cafard, Rat, Chien, Cochon, Hyene, Requin, Chacal})));
    QString chemin;
    QString mise_de_cote;
    {
        Soiree soiree;
        chemin = soiree.fenetre().get_chemin_sauvegarde();
        mise_de_cote = QFileInfo(chemin).dir().filePath(QStringLiteral("sauvegarde-precedente.txt"));
        QFile::remove(mise_de_cote);
        if (ancienne_mise_de_cote)
            ETAPE(ecrire(mise_de_cote, "soirée encore plus ancienne\n"));
        ETAPE(ecrire(chemin, soiree_d_avant));
        QTest::mouseClick(soiree.bouton(qPrintable(bouton)), Qt::LeftButton);
        QVERIFY(!QFile::exists(chemin));
        QVERIFY(soiree.attendre([&] { return soiree.page() == page_intervote; }, limite_attente_ms));
    }
    QFile precedente(mise_de_cote);
    QVERIFY(precedente.open(QIODevice::ReadOnly));
    QCOMPARE(precedente.readAll(), soiree_d_avant);

    Soiree reprise;
    Repondeur repondeur;
    QTest::mouseClick(reprise.bouton("bouton_charger"), Qt::LeftButton);
    verifier_rien_change(reprise, repondeur, texte_sans_fichier, 1);
}

void TestSauvegarde::fichier_abime_data()
{
    QTest::addColumn<QByteArray>("octets");

    // Base en règle : Serpent écarté au vote 1, Cafard au vote 2, vote 3 à venir.
    const QStringList base = fichier(3, 0, ecartes_dans_l_ordre({Serpent, Cafard}));
    auto avec = [&base](int ligne, const QString& texte) {
        QStringList lignes = base;
        lignes[ligne] = texte;
        return contenu(lignes);
    };
    const QByteArray complet = contenu(base);

    QTest::newRow("vide") << QByteArray();
    QTest::newRow("tronqué à 20 lignes") << contenu(base.mid(0, 20));
    QTest::newRow("coupé en pleine ligne") << complet.left(complet.size() - 4);
    QTest::newRow("37 lignes") << contenu(base.mid(0, 37));
    QTest::newRow("39 lignes") << contenu(base + QStringList{neuf_zeros});
    QTest::newRow("ligne blanche en fin") << complet + "\n";
    QTest::newRow("une lettre") << avec(ligne_joueur(Cafard), "1;x;0;0;0");
    QTest::newRow("une espace") << avec(ligne_joueur(Chacal), "0; 0;0;0;0");
    QTest::newRow("une valeur de trop") << avec(ligne_joueur(Chacal), "0;0;0;0;0;0");
    QTest::newRow("numéro de vote nul") << avec(0, "0");
    QTest::newRow("numéro de vote à deux chiffres") << avec(0, "10");
    QTest::newRow("numéro de vote non numérique") << avec(0, "trois");
    QTest::newRow("état de la seconde chance en suspens") << avec(1, "2");
    QTest::newRow("effet hors bornes") << avec(ligne_joueur(Cafard), "1;2;0;0;4");
    QTest::newRow("écarté marqué 2") << avec(ligne_joueur(Cafard), "2;2;0;0;0");
    QTest::newRow("bulletin contre un dixième accusé") << avec(ligne_bulletins(Cafard), "9;2;0;0;0;0;0;0;0");
    QTest::newRow("vote final déjà rempli") << avec(ligne_vote_final(Rat), "1;0;0;0;0;0;0;0;0");
    QTest::newRow("deux écartés au même vote") << avec(ligne_joueur(Chacal), "1;1;0;0;0");
    QTest::newRow("écarté sans numéro de vote") << avec(ligne_joueur(Chacal), "1;0;0;0;0");
    QTest::newRow("écarté à un vote pas encore tenu") << avec(ligne_joueur(Chacal), "1;3;0;0;0");
    QTest::newRow("en jeu avec un vote d'écartement") << avec(ligne_joueur(Cafard), "0;2;0;0;0");
    QTest::newRow("code utilisé sans état annoncé") << avec(ligne_joueur(Chacal), "0;0;0;2;3");
    QTest::newRow("état annoncé sans utilisateur") << avec(1, "4");
    QTest::newRow("second écartement sans réhabilitation") << avec(ligne_joueur(Serpent), "1;1;2;0;0");
    QStringList tous = fichier(9, 0, ecartes_dans_l_ordre({Cafard, Chacal, Chien, Cochon, Hyene, Rat, Requin, Serpent}));
    tous[ligne_joueur(Vautour)] = QStringLiteral("1;9;0;0;0");
    QTest::newRow("les neuf écartés") << contenu(tous);
    // Huit écartés après le vote 8 : le vote final s'ouvrait, pas de vote 9 où
    // Cafard aurait été réhabilité et Vautour écarté.
    QStringList apres_finale = ecartes_dans_l_ordre({Cafard, Chacal, Chien, Cochon, Hyene, Rat, Requin, Serpent, Vautour});
    apres_finale[Cafard] = QStringLiteral("0;1;0;9;1");
    QTest::newRow("vote tenu après l'ouverture du vote final") << contenu(fichier(9, 4, apres_finale));
}

// Rien du fichier n'est appliqué : message, puis la page d'accueil et un rôle neuf.
void TestSauvegarde::fichier_abime()
{
    QFETCH(QByteArray, octets);
    Soiree soiree;
    const QStringList fiches_neuves = fiches(soiree);
    ecrire(soiree.fenetre().get_chemin_sauvegarde(), octets);
    Repondeur repondeur;
    QTest::mouseClick(soiree.bouton("bouton_charger"), Qt::LeftButton);
    verifier_rien_change(soiree, repondeur, texte_illisible, 1);
    QCOMPARE(fiches(soiree), fiches_neuves);
}

void TestSauvegarde::variantes_lisibles_data()
{
    QTest::addColumn<QByteArray>("octets");
    const QStringList lignes = fichier(3, 0, ecartes_dans_l_ordre({Serpent, Cafard}));
    QTest::newRow("fins de ligne Windows") << contenu(lignes, QStringLiteral("\r\n"));
    QTest::newRow("dernière ligne sans saut") << contenu(lignes).chopped(1);
}

// Toute fin de ligne termine une ligne, la dernière comprise.
void TestSauvegarde::variantes_lisibles()
{
    QFETCH(QByteArray, octets);
    Soiree soiree;
    ecrire(soiree.fenetre().get_chemin_sauvegarde(), octets);
    Repondeur repondeur;
    QTest::mouseClick(soiree.bouton("bouton_charger"), Qt::LeftButton);
    QVERIFY(repondeur.boites().isEmpty());
    QCOMPARE(soiree.page(), page_intervote);
    QCOMPARE(soiree.fenetre().get_numero_vote(), 3);
    QCOMPARE(soiree.fenetre().get_nombre_ecartes(), 2);
    QCOMPARE(soiree.fenetre().get_accuses()[Cafard]->get_vote_ecartement(), 2);
}

void TestSauvegarde::annonce_a_la_reprise_data()
{
    QTest::addColumn<int>("numero");
    QTest::addColumn<int>("duree");
    QTest::addColumn<QStringList>("sons");
    QTest::newRow("vote 2 à sa durée d'origine") << 2 << 1200 << QStringList{"Lancementvote2.wav"};
    QTest::newRow("vote 2 passé à 15 minutes") << 2 << 900 << QStringList{"15minavantvote.wav"};
    QTest::newRow("vote 4 passé à 20 minutes") << 4 << 1200 << QStringList{"20minavantvote.wav"};
    QTest::newRow("vote 5 passé à 10 minutes") << 5 << 600 << QStringList{"10minavantvote.wav"};
    QTest::newRow("vote 3 à 13 minutes, sans son") << 3 << 780 << QStringList{};
}

// La durée changée avant le chargement choisit l'annonce, comme après des résultats en direct.
void TestSauvegarde::annonce_a_la_reprise()
{
    QFETCH(int, numero);
    QFETCH(int, duree);
    QFETCH(QStringList, sons);
    Soiree soiree;
    const QList<int> ordre = QList<int>{Vautour, Serpent, Requin, Rat}.mid(0, numero - 1);
    ecrire(soiree.fenetre().get_chemin_sauvegarde(), contenu(fichier(numero, 0, ecartes_dans_l_ordre(ordre))));
    soiree.fenetre().set_temps_vote(duree, numero - 1);
    QTest::mouseClick(soiree.bouton("bouton_charger"), Qt::LeftButton);
    QVERIFY(soiree.attendre_page(page_intervote, 0));
    QCOMPARE(soiree.noms_des_sons_depuis(0), sons);
    QCOMPARE(soiree.departs_des_votes(), QList<int>{duree});
    QCOMPARE(soiree.label("label_phase")->text(), QStringLiteral("VOTE %1").arg(numero));
}

TEST_SORDANE_MAIN(TestSauvegarde)
#include "test_sauvegarde.moc"
