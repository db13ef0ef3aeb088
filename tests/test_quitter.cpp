// « Oui » dans la boîte « Quitter », à n'importe quel moment de la soirée, termine
// le programme en moins d'une seconde réelle avec le code 0, et laisse sur le
// disque la sauvegarde précédente ou une nouvelle, jamais un fichier abîmé.
#include "garde_messages.h"
#include "partie_courte.h"

#include "accuse.h"
#include "fenetre_options.h"
#include "fichier_sauvegarde.h"
#include "textes.h"

#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedWidget>
#include <QWindow>
#include <QtTest>
#include <memory>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace {
using namespace PartieCourte;

enum Point {
    introduction,
    bulletin_ordinaire,
    message_du_kiosque,
    sonnerie_de_cloture,
    annonce_des_resultats,
    presentation_du_vote_final,
    resultats_finaux,
    page_de_fin,
    options_fermees_par_le_bouton,
    options_fermees_par_le_gestionnaire,
    principale_fermee_sous_les_options,
    glisser_annule_par_echap,
    glisser_coupe_par_le_gestionnaire,
};

constexpr int page_discours = 6;
constexpr int page_vote = 3;
constexpr int page_vote_final = 4;
constexpr int sous_page_message = 5;
constexpr int ecartes_avant_le_vote_final = 7;
// La reprise au vote final rejoue sa présentation avant de rouvrir le vote.
constexpr int reprise_ms = 15 * 60000;

constexpr double delai_reel_max_s = 1.0;
// Le temps du jeu passe cent fois plus vite : la garde vaut une vingtaine de secondes réelles.
constexpr int garde_ms = 40 * 60000;
constexpr int code_garde = 2;
constexpr int code_echec = 3;
constexpr int intervalle_ms = 100;
// Les gestes qui ouvrent une attente sont programmés avant : ils tombent dedans.
constexpr int dans_l_attente_ms = 1000;
constexpr int dans_l_introduction_ms = 10000;
constexpr int sur_la_page_de_fin_ms = 5000;
constexpr int ouverture_bulletin_ms = 500;
constexpr int vote_final_prolonge_s = 5000;
const char* const etiquettes[] = {"label_cafard_deplacable", "label_chacal_deplacable", "label_chien_deplacable",
                                  "label_cochon_deplacable", "label_hyene_deplacable", "label_rat_deplacable",
                                  "label_requin_deplacable", "label_serpent_deplacable", "label_vautour_deplacable"};
const QString code_admin = QStringLiteral("margot");
// Sauvegardes reprises par « Charger une partie », qui mène vite au vote 2 ou au vote final.
const QString sauvegarde_vote_2 = QStringLiteral("code_ecarte_apres_vote_1.txt");
const QString sauvegarde_vote_final = QStringLiteral("sans_code_apres_vote_8_finale.txt");

// Sous faketime, toutes les horloges de la libc sont accélérées ; l'appel
// système direct donne le vrai temps écoulé.
double temps_reel_s()
{
    timespec instant{};
    syscall(SYS_clock_gettime, CLOCK_MONOTONIC, &instant);
    return double(instant.tv_sec) + double(instant.tv_nsec) / 1e9;
}

QByteArray contenu(const QString& chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

bool sauvegarde_valide(const QString& chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly | QIODevice::Text) && FichierSauvegarde::lire(fichier).has_value();
}
}

class TestQuitter : public QObject
{
    Q_OBJECT

private slots:
    void quitter_data();
    void quitter();

private:
    MainWindow& fenetre() { return soiree->fenetre(); }
    void mener(Point point);
    void mener_a_la_presentation_finale();
    void mener_au_vote_final(Point point);
    void mener_au_glisser(Point point);
    void ecrire_sauvegarde_precedente(Point point);
    void echouer(const QString& raison);
    void quitter_apres(int delai_ms, bool (TestQuitter::*verification)() const);
    void quitter_des_que(bool (TestQuitter::*condition)() const);
    void appuyer_echap();
    void fermer_par_le_gestionnaire(QWidget* fenetre_fermee);
    void repondre_aux_modales();
    void repondre_options(Fenetre_options* options);
    void noter_le_depart();

    bool en_introduction() const { return soiree->page() == page_discours && !soiree->fenetre().phase_finale(); }
    bool en_bulletin() const { return soiree->page() == page_vote; }
    bool apres_un_glisser() const { return glisser_vu && soiree->page() == page_vote_final; }
    bool en_message_invalide() const;
    bool en_sonnerie() const { return resultats_affiches(Texte::vote_termine); }
    bool en_annonce() const { return resultats_affiches(Texte::accuse_ecarte); }
    bool en_presentation_finale() const { return soiree->page() == page_discours && soiree->fenetre().phase_finale(); }
    bool en_resultats_finaux() const { return soiree->page() == page_resultat_final; }
    bool en_fin() const { return soiree->page() == page_fin; }
    bool au_kiosque() const { return soiree->page() == page_intervote; }
    bool resultats_affiches(const QString& presentation) const;

    std::unique_ptr<Soiree> soiree;
    Point point_vise = introduction;
    QString chemin;
    QByteArray avant_de_quitter;
    QString erreur;
    bool point_atteint = false;
    bool options_vues = false;
    bool glisser_vu = false;
    double depart_reel = 0;
};

bool TestQuitter::en_message_invalide() const
{
    return soiree->page() == page_intervote && soiree->sous_page() == sous_page_message
        && soiree->label("label_remerciement")->text() == Texte::code_invalide;
}

bool TestQuitter::resultats_affiches(const QString& presentation) const
{
    return soiree->page() == page_resultats && soiree->label("label_presentation_resultats")->text() == presentation;
}

void TestQuitter::quitter_data()
{
    QTest::addColumn<int>("point");

    QTest::newRow("discours d'introduction") << int(introduction);
    QTest::newRow("bulletin ordinaire") << int(bulletin_ordinaire);
    QTest::newRow("message « Code invalide ! »") << int(message_du_kiosque);
    QTest::newRow("sonnerie de clôture") << int(sonnerie_de_cloture);
    QTest::newRow("annonce des résultats") << int(annonce_des_resultats);
    QTest::newRow("options fermées par leur bouton, puis Oui") << int(options_fermees_par_le_bouton);
    QTest::newRow("options fermées par le gestionnaire de fenêtres, puis Oui") << int(options_fermees_par_le_gestionnaire);
    QTest::newRow("fenêtre principale fermée sous les options") << int(principale_fermee_sous_les_options);
    QTest::newRow("présentation du vote final") << int(presentation_du_vote_final);
    QTest::newRow("résultats du vote final") << int(resultats_finaux);
    QTest::newRow("page de fin en musique") << int(page_de_fin);
    // Pendant un glisser, Qt garde le clavier : le premier Échap annule le glisser.
    QTest::newRow("glisser en cours, Échap puis Oui avant le lâcher") << int(glisser_annule_par_echap);
    QTest::newRow("glisser en cours, fenêtre fermée par le gestionnaire") << int(glisser_coupe_par_le_gestionnaire);
}

// Comme main() : la fenêtre montrée, puis la boucle de l'application, dans
// laquelle des minuteurs mènent la partie jusqu'au point voulu et y quittent.
void TestQuitter::quitter()
{
    QFETCH(int, point);
    point_vise = Point(point);
    erreur.clear();
    point_atteint = false;
    options_vues = false;
    glisser_vu = false;
    depart_reel = 0;

    // L'outil de soirée précédent part avant : chacun installe puis rend son journal.
    soiree.reset();
    soiree = std::make_unique<Soiree>();
    chemin = fenetre().get_chemin_sauvegarde();
    ecrire_sauvegarde_precedente(point_vise);
    avant_de_quitter = contenu(chemin);
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre()));

    QTimer reponses;
    reponses.setInterval(intervalle_ms);
    connect(&reponses, &QTimer::timeout, this, &TestQuitter::repondre_aux_modales);
    reponses.start();
    QTimer garde;
    garde.setSingleShot(true);
    connect(&garde, &QTimer::timeout, this, [] { QCoreApplication::exit(code_garde); });
    garde.start(garde_ms);
    QTimer::singleShot(0, &fenetre(), [this] { mener(point_vise); });

    const int code = QApplication::exec();
    const double retour_reel = temps_reel_s();
    reponses.stop();
    garde.stop();

    QVERIFY2(erreur.isEmpty(), qPrintable(erreur));
    QVERIFY2(code != code_garde, "le point visé n'a pas été atteint, ou le programme n'a pas quitté");
    QVERIFY2(point_atteint, "la demande de quitter n'est pas tombée au point visé");
    QCOMPARE(code, 0);
    QVERIFY(depart_reel > 0);
    QVERIFY2(retour_reel - depart_reel < delai_reel_max_s,
             qPrintable(QStringLiteral("%1 s réelles pour quitter").arg(retour_reel - depart_reel)));
    soiree.reset();
    const QByteArray apres = contenu(chemin);
    QVERIFY2(apres == avant_de_quitter || sauvegarde_valide(chemin), "sauvegarde abîmée après avoir quitté");
}

void TestQuitter::ecrire_sauvegarde_precedente(Point point)
{
    const bool finale = point == resultats_finaux || point == page_de_fin || point == glisser_annule_par_echap
        || point == glisser_coupe_par_le_gestionnaire;
    QFile::remove(chemin);
    QVERIFY(QFile::copy(QStringLiteral(DOSSIER_GRAINES "/") + (finale ? sauvegarde_vote_final : sauvegarde_vote_2), chemin));
    QVERIFY(sauvegarde_valide(chemin));
}

// Un échec de la mise en place arrête la boucle de l'application tout de suite.
void TestQuitter::echouer(const QString& raison)
{
    erreur = raison;
    QCoreApplication::exit(code_echec);
}

// Le discours d'introduction et la présentation du vote final se jouent en
// direct ; les autres points partent d'une partie reprise, plus vite atteints.
void TestQuitter::mener(Point point)
{
    Soiree& s = *soiree;
    if (point == introduction) {
        quitter_apres(dans_l_introduction_ms, &TestQuitter::en_introduction);
        s.bouton("bouton_test")->click();
        return;
    }
    if (point == presentation_du_vote_final)
        return mener_a_la_presentation_finale();
    s.bouton("bouton_charger")->click();
    if (!s.attendre_page(page_intervote, reprise_ms))
        return echouer(QStringLiteral("la partie reprise ne rouvre pas de vote"));
    if (fenetre().phase_finale())
        return mener_au_vote_final(point);
    switch (point) {
    case bulletin_ordinaire:
        s.ouvrir_code();
        quitter_apres(dans_l_attente_ms, &TestQuitter::en_bulletin);
        s.taper_code(codes[Cafard]);
        break;
    case message_du_kiosque:
        s.ouvrir_code();
        quitter_apres(dans_l_attente_ms, &TestQuitter::en_message_invalide);
        s.taper_code(QStringLiteral("faux"));
        break;
    case sonnerie_de_cloture:
        // La sonnerie attend dès le passage à la page des résultats : le minuteur posé alors tombe dedans.
        connect(s.widget<QStackedWidget>("stackedWidget"), &QStackedWidget::currentChanged, &fenetre(), [this](int page) {
            if (page == page_resultats && !point_atteint && depart_reel == 0)
                quitter_apres(dans_l_attente_ms, &TestQuitter::en_sonnerie);
        });
        fenetre().set_temps_restant_intervote(1);
        break;
    case annonce_des_resultats:
        quitter_des_que(&TestQuitter::en_annonce);
        fenetre().set_temps_restant_intervote(1);
        break;
    default:
        // Les options s'ouvrent depuis la boîte « Quitter » demandée au kiosque.
        quitter_apres(dans_l_attente_ms, &TestQuitter::au_kiosque);
        break;
    }
}

void TestQuitter::mener_a_la_presentation_finale()
{
    Soiree& s = *soiree;
    if (!commencer(s))
        return echouer(QStringLiteral("le vote 1 ne s'ouvre pas"));
    while (fenetre().get_nombre_ecartes() < ecartes_avant_le_vote_final)
        if (!jouer_vote(s, {}))
            return echouer(QStringLiteral("un vote ordinaire ne se termine pas"));
    quitter_des_que(&TestQuitter::en_presentation_finale);
    fenetre().set_temps_restant_intervote(1);
}

void TestQuitter::mener_au_vote_final(Point point)
{
    switch (point) {
    case resultats_finaux:
        quitter_des_que(&TestQuitter::en_resultats_finaux);
        fenetre().set_temps_restant_intervote(1);
        break;
    case page_de_fin:
        if (!finir(*soiree))
            return echouer(QStringLiteral("la page de fin n'arrive pas"));
        quitter_apres(sur_la_page_de_fin_ms, &TestQuitter::en_fin);
        break;
    default:
        mener_au_glisser(point);
        break;
    }
}

// Un écarté ouvre son bulletin final et saisit un nom : l'appui ne rend la main
// qu'à la fin du glisser, les mouvements et la sortie sont donc programmés avant.
void TestQuitter::mener_au_glisser(Point point)
{
    Soiree& s = *soiree;
    fenetre().set_temps_restant_intervote(vote_final_prolonge_s);
    QList<int> ecartes;
    for (const Accuse* accuse : fenetre().get_accuses())
        if (accuse->get_ecarte())
            ecartes.append(accuse->get_index());
    const int votant = ecartes.first();
    const char* const etiquette = etiquettes[ecartes.last()];
    s.ouvrir_code();
    QTimer::singleShot(ouverture_bulletin_ms, &fenetre(), [this, point, etiquette] {
        QWindow* fenetre_qt = fenetre().windowHandle();
        const QLabel* nom = soiree->label(etiquette);
        if (!nom || soiree->page() != page_vote_final)
            return echouer(QStringLiteral("le bulletin final n'est pas ouvert"));
        const QPoint prise = nom->mapTo(&fenetre(), nom->rect().center());
        const QPoint arrivee = soiree->widget<QWidget>("cadre_1")->mapTo(&fenetre(), QPoint(10, 10));
        QTimer::singleShot(0, &fenetre(), [this, point, fenetre_qt, prise, arrivee] {
            QTest::mouseMove(fenetre_qt, (prise + arrivee) / 2);
            QTest::mouseMove(fenetre_qt, arrivee);
            glisser_vu = soiree->page() == page_vote_final && !fenetre().findChildren<QDrag*>().isEmpty();
            if (point == glisser_coupe_par_le_gestionnaire) {
                point_atteint = glisser_vu;
                fermer_par_le_gestionnaire(&fenetre());
                return;
            }
            QTest::keyClick(fenetre_qt, Qt::Key_Escape);
            quitter_apres(dans_l_attente_ms, &TestQuitter::apres_un_glisser);
        });
        QTest::mousePress(fenetre_qt, Qt::LeftButton, Qt::NoModifier, prise);
    });
    QTest::keyClicks(s.widget<QLineEdit>("ligne_code"), codes[votant]);
    QTest::mouseClick(s.bouton("bouton_ok_vote"), Qt::LeftButton);
}

// Le point est vérifié quand le minuteur tombe : une sortie à côté du point visé fait échouer le test.
void TestQuitter::quitter_apres(int delai_ms, bool (TestQuitter::*verification)() const)
{
    QTimer::singleShot(delai_ms, Qt::PreciseTimer, &fenetre(), [this, verification] {
        point_atteint = (this->*verification)();
        appuyer_echap();
    });
}

void TestQuitter::quitter_des_que(bool (TestQuitter::*condition)() const)
{
    auto* sonde = new QTimer(&fenetre());
    sonde->setInterval(intervalle_ms);
    connect(sonde, &QTimer::timeout, &fenetre(), [this, sonde, condition] {
        if (!(this->*condition)())
            return;
        sonde->stop();
        point_atteint = true;
        appuyer_echap();
    });
    sonde->start();
}

// Échap va où va le clavier : au champ qui a le focus, qui le laisse remonter à la fenêtre.
void TestQuitter::appuyer_echap()
{
    QWidget* focus = QApplication::focusWidget();
    QWidget* cible = focus && fenetre().isAncestorOf(focus) ? focus : &fenetre();
    avant_de_quitter = contenu(chemin);
    QTest::keyClick(cible, Qt::Key_Escape);
}

// Comme un gestionnaire de fenêtres (ou Alt+F4) : une demande de fermeture à la fenêtre native.
void TestQuitter::fermer_par_le_gestionnaire(QWidget* fenetre_fermee)
{
    avant_de_quitter = contenu(chemin);
    if (fenetre_fermee == &fenetre())
        noter_le_depart();
    fenetre_fermee->windowHandle()->close();
}

void TestQuitter::noter_le_depart()
{
    if (depart_reel == 0)
        depart_reel = temps_reel_s();
}

void TestQuitter::repondre_aux_modales()
{
    QWidget* modale = QApplication::activeModalWidget();
    if (auto* boite = qobject_cast<QMessageBox*>(modale)) {
        if (boite->text() != Texte::quitter_question)
            return echouer(QStringLiteral("boîte inattendue : ") + boite->text());
        const bool options_d_abord = point_vise == options_fermees_par_le_bouton
            || point_vise == options_fermees_par_le_gestionnaire || point_vise == principale_fermee_sous_les_options;
        if (options_d_abord && !options_vues) {
            for (QAbstractButton* bouton : boite->buttons())
                if (bouton->text() == QLatin1String("Options"))
                    bouton->click();
            return;
        }
        noter_le_depart();
        boite->button(QMessageBox::Yes)->click();
    } else if (auto* options = qobject_cast<Fenetre_options*>(modale)) {
        repondre_options(options);
    }
}

// Le code administrateur, le panneau, puis la fenêtre refermée ; la salle
// appuie de nouveau sur Échap une fois la fenêtre partie.
void TestQuitter::repondre_options(Fenetre_options* options)
{
    if (options_vues)
        return;
    options_vues = true;
    QTest::keyClicks(options->findChild<QLineEdit*>(QStringLiteral("ligne_code_admin")), code_admin);
    options->findChild<QPushButton*>(QStringLiteral("bouton_ok_code_admin"))->click();
    if (point_vise == principale_fermee_sous_les_options) {
        fermer_par_le_gestionnaire(&fenetre());
        // Qt refuse de fermer une fenêtre que bloque une fenêtre modale : on quittera par « Oui ».
        if (fenetre().isVisible())
            depart_reel = 0;
    }
    if (point_vise == options_fermees_par_le_gestionnaire)
        fermer_par_le_gestionnaire(options);
    else
        options->findChild<QPushButton*>(QStringLiteral("bouton_fermer"))->click();
    quitter_apres(dans_l_attente_ms, &TestQuitter::au_kiosque);
}

TEST_SORDANE_MAIN(TestQuitter)
#include "test_quitter.moc"
