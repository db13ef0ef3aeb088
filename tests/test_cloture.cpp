// La clôture d'un vote : un bulletin déposé au dernier instant compte une fois,
// un bulletin resté ouvert sous une boîte de dialogue n'écrase pas l'écran, et
// le résultat est sauvegardé avant d'être annoncé.
#include "garde_messages.h"
#include "partie_courte.h"
#include "soiree.h"

#include "accuse.h"
#include "cadre_vote.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
using namespace PartieCourte;
constexpr int page_vote = 3;
constexpr int page_vote_final = 4;
constexpr int sous_page_bouton_vote = 0;
constexpr int sous_page_message = 5;
// Le bulletin est ouvert quand le code est tapé : le geste du joueur vient après.
constexpr int ouverture_bulletin_ms = 1000;
constexpr int intervalle_reponse_ms = 100;

// La boîte ouverte par Échap pendant le bulletin.
namespace Boite {
enum { aucune, quitter, options };
}

// Répond à la boîte de dialogue ouverte dès que la condition est remplie :
// « Non » à la boîte Quitter, fermeture de la fenêtre d'options.
class Repondeur
{
public:
    Repondeur(std::function<bool()> condition_, Soiree& soiree)
        : condition(std::move(condition_))
    {
        minuteur.setInterval(intervalle_reponse_ms);
        QObject::connect(&minuteur, &QTimer::timeout, &soiree.fenetre(), [this] { repondre(); });
        minuteur.start();
    }
    bool a_repondu() const { return repondu; }

private:
    void repondre()
    {
        QWidget* modale = QApplication::activeModalWidget();
        if (!modale || !condition())
            return;
        if (auto* boite = qobject_cast<QMessageBox*>(modale)) {
            boite->button(QMessageBox::No)->click();
        } else if (auto* dialogue = qobject_cast<QDialog*>(modale)) {
            dialogue->reject();
        } else {
            return;
        }
        repondu = true;
        minuteur.stop();
    }

    std::function<bool()> condition;
    QTimer minuteur;
    bool repondu = false;
};
}

class TestCloture : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void bulletin_du_dernier_instant_data();
    void bulletin_du_dernier_instant();
    void bulletin_final_du_dernier_instant();
    void bulletin_ouvert_sous_une_boite_data();
    void bulletin_ouvert_sous_une_boite();
    void resultat_sauvegarde_avant_son_annonce_data();
    void resultat_sauvegarde_avant_son_annonce();

private:
    MainWindow& fenetre() { return soiree->fenetre(); }
    QByteArray sauvegarde() const;
    void ouvrir_boite(int boite, std::unique_ptr<Repondeur>& repondeur, std::function<bool()> quand);
    void atteindre_le_vote_final();
    bool attendre_la_cloture_de(int numero_vote);

    std::unique_ptr<Soiree> soiree;
};

void TestCloture::init()
{
    soiree = std::make_unique<Soiree>();
    QFile::remove(fenetre().get_chemin_sauvegarde());
    QVERIFY(commencer(*soiree));
}

void TestCloture::cleanup()
{
    soiree.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray TestCloture::sauvegarde() const
{
    QFile fichier(soiree->fenetre().get_chemin_sauvegarde());
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

// La boîte (ou la fenêtre d'options par la boîte) s'ouvre par Échap et reste
// ouverte jusqu'à ce que la condition soit remplie ; l'appel rend la main après.
void TestCloture::ouvrir_boite(int boite, std::unique_ptr<Repondeur>& repondeur, std::function<bool()> quand)
{
    if (boite == Boite::aucune)
        return;
    repondeur = std::make_unique<Repondeur>(std::move(quand), *soiree);
    // Les options s'ouvrent depuis la boîte Quitter, par son bouton « Options ».
    if (boite == Boite::options)
        QTimer::singleShot(0, &fenetre(), [] {
            Soiree::choisir_options(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
        });
    QTest::keyClick(&fenetre(), Qt::Key_Escape);
}

void TestCloture::atteindre_le_vote_final()
{
    QVERIFY(jouer_jusqu_au_vote_final(*soiree, {}));
}

// Le vote donné est clos et son résultat décidé (le numéro de vote a avancé,
// ou la phase finale est atteinte).
bool TestCloture::attendre_la_cloture_de(int numero_vote)
{
    return soiree->attendre([&] { return fenetre().get_numero_vote() > numero_vote || fenetre().phase_finale(); },
                            limite_attente_ms);
}

void TestCloture::bulletin_du_dernier_instant_data()
{
    QTest::addColumn<int>("boite");
    QTest::newRow("clic et dernière seconde") << int(Boite::aucune);
    // Échap arrivé dans le même passage : la boîte tient le bulletin ouvert
    // pendant tout le dépouillement et l'ouverture du vote suivant.
    QTest::newRow("clic, dernière seconde, boîte Quitter jusqu'au vote 2") << int(Boite::quitter);
}

// Rat vote contre Chien dans le passage même de la dernière seconde : son
// bulletin compte une fois, son abstention n'est pas ajoutée, et le vote 2 le
// trouve libre de voter, sans remerciement hors de propos.
void TestCloture::bulletin_du_dernier_instant()
{
    QFETCH(int, boite);
    std::unique_ptr<Repondeur> repondeur;
    int messages_apres_la_boite = 0;
    soiree->ouvrir_code();
    QTimer::singleShot(ouverture_bulletin_ms, &fenetre(), [&] {
        QCOMPARE(soiree->page(), page_vote);
        fenetre().set_temps_restant_intervote(1);
        QTest::mouseClick(soiree->bouton_candidat(Chien), Qt::LeftButton);
        fenetre().compte_a_rebours_intervote();
        ouvrir_boite(boite, repondeur, [&] { return fenetre().get_numero_vote() == 2 && soiree->page() == page_intervote; });
        // Dès ici, le kiosque n'a plus rien à afficher pour ce bulletin.
        QObject::connect(soiree->widget<QStackedWidget>("stackedWidget_intervote"), &QStackedWidget::currentChanged,
                         &fenetre(), [&](int sous_page) { messages_apres_la_boite += sous_page == sous_page_message ? 1 : 0; });
    });
    soiree->taper_code(codes[Rat]);
    if (repondeur)
        QVERIFY(repondeur->a_repondu());
    QVERIFY(soiree->attendre([&] { return fenetre().get_numero_vote() == 2 && soiree->page() == page_intervote; },
                             limite_attente_ms));

    const QList<Accuse*>& accuses = fenetre().get_accuses();
    for (const Accuse* accuse : accuses) {
        const int attendu = (accuse->get_index() == Rat ? 0 : 1) + (accuse->get_index() == Chien ? 1 : 0);
        QCOMPARE(accuse->get_votes_recus(0), attendu);
        QVERIFY(!accuse->get_a_vote());
    }
    QCOMPARE(accuses[Rat]->get_vote_emis(0), int(Chien));
    QCOMPARE(accuses[Rat]->get_vote_emis(1), accuses[Chacal]->get_vote_emis(1));
    QVERIFY(accuses[Chien]->get_ecarte());
    QCOMPARE(fenetre().get_nombre_ecartes(), 1);
    QCOMPARE(soiree->page(), page_intervote);
    QCOMPARE(soiree->sous_page(), sous_page_bouton_vote);
    QCOMPARE(messages_apres_la_boite, 0);
}

// Au vote final, un tableau validé dans le passage de la dernière seconde
// compte une fois : ses points, et pas de pénalité pour son votant.
void TestCloture::bulletin_final_du_dernier_instant()
{
    ETAPE(atteindre_le_vote_final());
    int premier_sauve = -1;
    QList<int> ecartes;
    for (const Accuse* accuse : fenetre().get_accuses()) {
        if (accuse->get_ecarte())
            ecartes.append(accuse->get_index());
        else
            premier_sauve = accuse->get_index();
    }
    soiree->ouvrir_code();
    QTimer::singleShot(ouverture_bulletin_ms, &fenetre(), [&] {
        QCOMPARE(soiree->page(), page_vote_final);
        for (int position = 0; position < ecartes.size(); ++position)
            soiree->widget<Cadre_vote>(qPrintable(QStringLiteral("cadre_%1").arg(position + 1)))
                ->placer_nom(fenetre().get_accuses()[ecartes[position]]->get_nom());
        fenetre().set_temps_restant_intervote(1);
        QTest::mouseClick(soiree->bouton("bouton_valider_vote_final"), Qt::LeftButton);
        fenetre().compte_a_rebours_intervote();
    });
    soiree->taper_code(codes[premier_sauve]);
    QVERIFY(soiree->attendre_page(page_fin, limite_attente_ms));

    const QList<Accuse*>& accuses = fenetre().get_accuses();
    QCOMPARE(accuses[premier_sauve]->get_votes_recus(Jeu::index_points_finaux), 0);
    QCOMPARE(accuses[premier_sauve]->get_classement_donne(0), ecartes[0]);
    for (int position = 0; position < ecartes.size(); ++position)
        QCOMPARE(accuses[ecartes[position]]->get_votes_recus(Jeu::index_points_finaux),
                 Jeu::penalite_abstention_finale + position + 1);
}

void TestCloture::bulletin_ouvert_sous_une_boite_data()
{
    QTest::addColumn<int>("boite");
    QTest::addColumn<bool>("vote_final");
    QTest::addColumn<int>("page_a_la_reponse");
    QTest::newRow("boîte Quitter jusqu'aux résultats") << int(Boite::quitter) << false << page_resultats;
    QTest::newRow("options jusqu'aux résultats") << int(Boite::options) << false << page_resultats;
    QTest::newRow("boîte Quitter jusqu'au présentateur") << int(Boite::quitter) << true << page_arrivee_presentateur;
}

// Un bulletin ouvert, la boîte par-dessus, le vote se clôt et la suite se
// déroule dessous : à la fermeture de la boîte, le bulletin n'a rien compté
// et l'écran reste celui de la suite, pas la page de vote ni le kiosque.
void TestCloture::bulletin_ouvert_sous_une_boite()
{
    QFETCH(int, boite);
    QFETCH(bool, vote_final);
    QFETCH(int, page_a_la_reponse);
    if (vote_final)
        ETAPE(atteindre_le_vote_final());
    const int numero = fenetre().get_numero_vote();
    const int votant = Cafard;
    std::unique_ptr<Repondeur> repondeur;
    soiree->ouvrir_code();
    QTimer::singleShot(ouverture_bulletin_ms, &fenetre(), [&] {
        QCOMPARE(soiree->page(), vote_final ? page_vote_final : page_vote);
        fenetre().set_temps_restant_intervote(1);
        ouvrir_boite(boite, repondeur, [&] { return soiree->page() == page_a_la_reponse; });
    });
    soiree->taper_code(codes[votant]);
    QVERIFY(repondeur && repondeur->a_repondu());
    QCOMPARE(soiree->page(), page_a_la_reponse);
    if (vote_final) {
        QVERIFY(soiree->attendre_page(page_fin, limite_attente_ms));
        QCOMPARE(fenetre().get_accuses()[votant]->get_classement_donne(0), votant);
    } else {
        QVERIFY(attendre_la_cloture_de(numero));
        QCOMPARE(fenetre().get_accuses()[votant]->get_vote_emis(numero - 1), votant);
    }
}

void TestCloture::resultat_sauvegarde_avant_son_annonce_data()
{
    QTest::addColumn<bool>("code_seconde_chance");
    QTest::addColumn<bool>("jusqu_au_vote_final");
    // La dernière annonce de la mise en scène, longue de plus de dix secondes.
    QTest::addColumn<QString>("derniere_annonce");
    QTest::newRow("vote ordinaire") << false << false << "Eliminevoteclassique.wav";
    QTest::newRow("code de la seconde chance au vote 1") << true << false << "Eliminevoteclassique.wav";
    QTest::newRow("vote 8, phase finale atteinte") << false << true << "Presentationvotefinal.wav";
}

// Au premier son des résultats, le fichier de sauvegarde est déjà celui que
// laisse la fin des annonces : une soirée coupée pendant l'annonce reprend
// au vote suivant, sans rejouer celui-ci.
void TestCloture::resultat_sauvegarde_avant_son_annonce()
{
    QFETCH(bool, code_seconde_chance);
    QFETCH(bool, jusqu_au_vote_final);
    QFETCH(QString, derniere_annonce);
    if (jusqu_au_vote_final)
        while (fenetre().get_numero_vote() < Jeu::nombre_accuses - 1)
            QVERIFY(jouer_vote(*soiree, {}));
    if (code_seconde_chance) {
        utiliser_code_seconde_chance(*soiree, Requin);
        QCOMPARE(fenetre().get_etat_seconde_chance(), int(SecondeChance::ecartement));
    }
    const QByteArray avant = sauvegarde();
    const int numero = fenetre().get_numero_vote();
    fenetre().set_temps_restant_intervote(1);
    QVERIFY(soiree->attendre_page(page_resultats, limite_attente_ms));
    const double fermeture = soiree->maintenant();
    // Lu au moment même où le jingle part : les annonces se déroulent dans des
    // attentes imbriquées, l'attente du test ne rendrait la main qu'après elles.
    QByteArray a_l_annonce;
    double lecture = -1;
    QVERIFY(soiree->attendre(
        [&] {
            if (lecture < 0 && soiree->noms_des_sons_depuis(fermeture).contains(QStringLiteral("Jingle.wav"))) {
                a_l_annonce = sauvegarde();
                lecture = soiree->maintenant();
            }
            return lecture >= 0;
        },
        limite_attente_ms));
    QVERIFY(soiree->attendre_page(page_intervote, limite_attente_ms));
    double fin_de_l_annonce = -1;
    for (const Annonce& annonce : soiree->annonces_depuis(fermeture))
        if (annonce.son == derniere_annonce)
            fin_de_l_annonce = annonce.instant;
    QVERIFY2(lecture < fin_de_l_annonce, "le fichier doit être lu pendant la mise en scène");
    QCOMPARE(a_l_annonce, sauvegarde());
    QVERIFY(a_l_annonce != avant);
    const QList<QByteArray> lignes = a_l_annonce.split('\n');
    QCOMPARE(lignes[0].toInt(), jusqu_au_vote_final ? numero : numero + 1);
    QCOMPARE(fenetre().get_nombre_ecartes(), jusqu_au_vote_final ? Jeu::nombre_cadres : (code_seconde_chance ? 2 : 1));
    if (code_seconde_chance)
        QVERIFY(lignes[1 + 1 + Requin].startsWith("1;1;"));
}

TEST_SORDANE_MAIN(TestCloture)
#include "test_cloture.moc"
