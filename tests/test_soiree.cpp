// Une soirée entière de votes ordinaires, jouée par les widgets comme le feraient
// les joueurs : chaque vote écarte l'accusé le plus visé, l'abstention compte
// contre soi, les annonces tombent dans l'ordre et à l'heure prévus.
#include "garde_messages.h"
#include "soiree.h"

#include "accuse.h"

#include <QLineEdit>
#include <QtTest>

namespace {
using namespace Joueurs;
constexpr int abstention = -1;

constexpr int page_intervote = 1;
constexpr int page_resultats = 2;
constexpr int page_vote = 3;
constexpr int page_vote_final = 4;
constexpr int page_discours = 6;
constexpr int sous_page_bouton_vote = 0;
constexpr int sous_page_message = 5;
// Sous temps accéléré, attendre plus longtemps ne coûte rien quand tout va bien ;
// sur une machine chargée, les secondes des comptes à rebours prennent du retard
// sur l'horloge du jeu : les limites en laissent plusieurs fois la durée.
}

class TestSoiree : public QObject
{
    Q_OBJECT

private slots:
    void format_du_compte_a_rebours_data();
    void format_du_compte_a_rebours();
    void soiree_en_mode_test();
    void soiree_normale_annonces_et_rappel();

private:
    void verifier_enchainement(Soiree& soiree, double depuis, const QList<QPair<QString, double>>& etapes);
    void jouer_vote(Soiree& soiree, const QList<int>& cibles);
    QList<int> plus_vises(Soiree& soiree, const QList<int>& cibles) const;
    void verifier_resultat(Soiree& soiree, double fin_du_vote, const QList<int>& possibles, double appel_s = 7);
    void verifier_boutons(Soiree& soiree);
    void premier_vote(Soiree& soiree);
    void vote_avec_egalite_et_bulletin_coupe(Soiree& soiree);
    void vote_final_ouvert(Soiree& soiree, double fin_dernier_vote);
};

void TestSoiree::format_du_compte_a_rebours_data()
{
    QTest::addColumn<int>("secondes");
    QTest::addColumn<QString>("texte");
    QTest::newRow("zéro") << 0 << "00:00";
    QTest::newRow("une seconde") << 1 << "00:01";
    QTest::newRow("65 s") << 65 << "01:05";
    QTest::newRow("vote 1") << 1500 << "25:00";
    QTest::newRow("rappel") << 240 << "04:00";
    QTest::newRow("99:59") << 5999 << "99:59";
    QTest::newRow("au-delà de 99 minutes") << 6000 << "100:00";
}

void TestSoiree::format_du_compte_a_rebours()
{
    QFETCH(int, secondes);
    QFETCH(QString, texte);
    QCOMPARE(MainWindow::texte_compte_a_rebours(secondes), texte);
}

// Les sons joués après "depuis" s'enchaînent dans cet ordre, chacun à l'écart
// prévu du précédent (le premier n'est que cherché). Les écarts sont mesurés
// d'un son au suivant, pour que chaque vérification ne dépende que d'une attente.
void TestSoiree::verifier_enchainement(Soiree& soiree, double depuis, const QList<QPair<QString, double>>& etapes)
{
    const QList<Annonce> annonces = soiree.annonces_depuis(depuis);
    double precedent = -1;
    int position = 0;
    for (const auto& etape : etapes) {
        while (position < annonces.size() && annonces[position].son != etape.first)
            ++position;
        QVERIFY2(position < annonces.size(), qPrintable(etape.first + QStringLiteral(" n'a pas été joué")));
        const double instant = annonces[position].instant;
        if (precedent >= 0)
            VERIFIER_ECART(soiree, precedent, instant, etape.second);
        precedent = instant;
    }
}

// Chaque joueur, dans l'ordre du rôle, vote contre sa cible ou s'abstient.
void TestSoiree::jouer_vote(Soiree& soiree, const QList<int>& cibles)
{
    for (int joueur = 0; joueur < cibles.size(); ++joueur)
        if (cibles[joueur] != abstention)
            soiree.voter(codes[joueur], cibles[joueur]);
}

// Les accusés encore en jeu qui ont le plus de voix, abstentions comptées contre soi.
QList<int> TestSoiree::plus_vises(Soiree& soiree, const QList<int>& cibles) const
{
    QVector<int> voix(9, 0);
    for (int joueur = 0; joueur < cibles.size(); ++joueur)
        ++voix[cibles[joueur] == abstention ? joueur : cibles[joueur]];
    int meilleur = 0;
    for (int i = 0; i < 9; ++i)
        if (!soiree.fenetre().get_accuses()[i]->get_ecarte())
            meilleur = qMax(meilleur, voix[i]);
    QList<int> tete;
    for (int i = 0; i < 9; ++i)
        if (!soiree.fenetre().get_accuses()[i]->get_ecarte() && voix[i] == meilleur)
            tete.append(i);
    return tete;
}

void TestSoiree::verifier_boutons(Soiree& soiree)
{
    for (int i = 0; i < 9; ++i)
        QCOMPARE(soiree.bouton_candidat(i)->isEnabled(), !soiree.fenetre().get_accuses()[i]->get_ecarte());
}

// Après la sonnerie de clôture : appel à 6 s, résultats 7 s plus tard (mode test),
// jingle, 1 s de silence, le nom, puis le discours ; chaque étape avec son affichage.
void TestSoiree::verifier_resultat(Soiree& soiree, double fin_du_vote, const QList<int>& possibles, double appel_s)
{
    const int ecartes_avant = soiree.fenetre().get_nombre_ecartes();
    const int numero = soiree.fenetre().get_numero_vote();
    QVERIFY(soiree.attendre([&] { return soiree.fenetre().get_nombre_ecartes() == ecartes_avant + 1; }, limite_attente_ms));

    const QList<Annonce> annonces = soiree.annonces_depuis(fin_du_vote - 0.5);
    QVERIFY(annonces.size() >= 5);
    QCOMPARE(annonces[0].son, QStringLiteral("Sonnerie.wav"));
    QCOMPARE(annonces[0].page, page_resultats);
    QCOMPARE(annonces[0].presentation, QStringLiteral("Le vote est maintenant terminé."));
    QCOMPARE(annonces[0].resultat, QStringLiteral("Accusés, veuillez rejoindre vos places."));
    QCOMPARE(soiree.label("label_annonce_resultats")->text(), QStringLiteral("VOTE %1").arg(numero));
    QCOMPARE(annonces[1].son, QStringLiteral("Appelvote.wav"));
    QCOMPARE(annonces[2].son, QStringLiteral("Jingle.wav"));
    const QString nom_son = annonces[3].son;
    QCOMPARE(annonces[3].presentation, QStringLiteral("L'accusé écarté à l'issue de ce vote est :"));
    QVERIFY(annonces[3].resultat_visible);
    QCOMPARE(annonces[4].son, QStringLiteral("Eliminevoteclassique.wav"));
    QCOMPARE(annonces[4].resultat, annonces[3].resultat);

    int ecarte = -1;
    for (int i : possibles)
        if (soiree.fenetre().get_accuses()[i]->get_nom() == annonces[3].resultat)
            ecarte = i;
    QVERIFY2(ecarte >= 0, qPrintable(annonces[3].resultat + QStringLiteral(" n'était pas parmi les plus visés")));
    QCOMPARE(nom_son, QStringLiteral("Accuse%1.wav").arg(Accuse::nom_replie(annonces[3].resultat)));
    const Accuse* accuse = soiree.fenetre().get_accuses()[ecarte];
    QVERIFY(accuse->get_ecarte());
    QCOMPARE(accuse->get_vote_ecartement(), numero);
    verifier_boutons(soiree);

    verifier_enchainement(soiree, fin_du_vote - 0.5,
                          {{"Sonnerie.wav", 0}, {"Appelvote.wav", 6}, {"Jingle.wav", appel_s}, {nom_son, 3.5},
                           {"Eliminevoteclassique.wav", 1}});
}

void TestSoiree::premier_vote(Soiree& soiree)
{
    const double debut = soiree.maintenant();
    // Chien 4 voix, Rat 3, Requin (bulletin expiré) et Vautour (absent) 1 chacun contre eux-mêmes.
    soiree.voter(codes[Cafard], Chien);
    soiree.voter(codes[Chacal], Chien);
    soiree.voter(codes[Chien], Rat);
    soiree.voter(codes[Cochon], Chien);
    soiree.reporter(codes[Hyene]);
    QCOMPARE(soiree.page(), page_intervote);
    QCOMPARE(soiree.sous_page(), sous_page_bouton_vote);
    QVERIFY(!soiree.fenetre().get_accuses()[Hyene]->get_a_vote());
    soiree.voter(codes[Hyene], Rat);
    // Le message attend ses deux secondes pendant que le compte à rebours du vote continue.
    const int restant_avant_message = soiree.fenetre().get_temps_restant_intervote();
    const double debut_message = soiree.maintenant();
    QCOMPARE(soiree.message_apres(QStringLiteral("mauvais")), QStringLiteral("Code invalide !"));
    VERIFIER_ECART(soiree, debut_message, soiree.maintenant(), 2);
    QVERIFY(restant_avant_message - soiree.fenetre().get_temps_restant_intervote() >= 1);
    QCOMPARE(soiree.widget<QLineEdit>("ligne_code")->text(), QString());
    QCOMPARE(soiree.message_apres(QString()), QStringLiteral("Code invalide !"));

    // Le code tapé en capitales est accepté ; la voix compte dès le clic,
    // et le bulletin du votant est noté au même instant.
    bool voix_des_le_clic = false;
    bool bulletin_note_des_le_clic = false;
    soiree.ouvrir_code();
    QTimer::singleShot(1000, &soiree.fenetre(), [&] {
        QCOMPARE(soiree.page(), page_vote);
        QCOMPARE(soiree.label("label_demande_vote")->text(), QStringLiteral("Rat, qui souhaites-tu écarter ?"));
        QVERIFY(soiree.fenetre().get_temps_restant_vote() >= 29);
        QTest::mouseClick(soiree.bouton_candidat(Chien), Qt::LeftButton);
        voix_des_le_clic = soiree.fenetre().get_accuses()[Chien]->get_votes_recus(0) == 4;
        // Inscrit au clic même : une clôture dans le même passage le trouve déposé.
        bulletin_note_des_le_clic = soiree.fenetre().get_accuses()[Rat]->get_a_vote()
                                    && soiree.fenetre().get_accuses()[Rat]->get_vote_emis(0) == Chien;
    });
    // Le message est lu quand il s'affiche : sous une machine chargée, un instant
    // fixé d'avance peut tomber dans le même tour de boucle que le clic.
    QString remerciement;
    const auto lecture = QObject::connect(
        soiree.widget<QStackedWidget>("stackedWidget_intervote"), &QStackedWidget::currentChanged,
        &soiree.fenetre(), [&](int sous_page) {
            if (sous_page == sous_page_message && remerciement.isEmpty())
                remerciement = soiree.label("label_remerciement")->text();
        });
    soiree.taper_code(QStringLiteral("LAVANDES64"));
    QObject::disconnect(lecture);
    QVERIFY(voix_des_le_clic);
    QVERIFY(bulletin_note_des_le_clic);
    QCOMPARE(remerciement, QStringLiteral("Rat merci d'avoir voté."));
    QCOMPARE(QCursor::pos(), soiree.fenetre().mapToGlobal(QPoint(soiree.fenetre().width() / 2, soiree.fenetre().height() / 2)));
    QVERIFY(soiree.fenetre().get_accuses()[Rat]->get_a_vote());
    QCOMPARE(soiree.fenetre().get_accuses()[Rat]->get_vote_emis(0), int(Chien));

    QCOMPARE(soiree.message_apres(codes[Cafard]), QStringLiteral("Tu as déjà voté !"));
    QCOMPARE(soiree.fenetre().get_accuses()[Chien]->get_votes_recus(0), 4);

    // Requin laisse passer ses 30 secondes : rien n'est noté, il reste libre de revenir.
    const double ouverture = soiree.maintenant();
    soiree.ouvrir_code();
    soiree.taper_code(codes[Requin]);
    QVERIFY(soiree.maintenant() - ouverture > 29);
    QVERIFY(!soiree.fenetre().get_accuses()[Requin]->get_a_vote());
    QCOMPARE(soiree.sous_page(), sous_page_bouton_vote);
    // Serpent valide son code avec le bouton plutôt qu'avec Entrée.
    soiree.ouvrir_code();
    QTest::keyClicks(soiree.widget<QLineEdit>("ligne_code"), codes[Serpent]);
    QTimer::singleShot(1000, &soiree.fenetre(), [&] { QTest::mouseClick(soiree.bouton_candidat(Rat), Qt::LeftButton); });
    QTest::mouseClick(soiree.bouton("bouton_ok_vote"), Qt::LeftButton);
    QCOMPARE(soiree.fenetre().get_accuses()[Serpent]->get_vote_emis(0), int(Rat));
    QVERIFY2(soiree.maintenant() - debut < 170, "le scénario du vote 1 doit tenir dans ses 3 minutes");

    QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
    const double fin = soiree.instant_page(page_resultats, debut);
    ETAPE(verifier_resultat(soiree, fin, {Chien}));
    QCOMPARE(soiree.fenetre().get_accuses()[Vautour]->get_vote_emis(0), int(Vautour));
    QCOMPARE(soiree.fenetre().get_accuses()[Requin]->get_vote_emis(0), int(Requin));
    QCOMPARE(soiree.fenetre().get_accuses()[Vautour]->get_votes_recus(0), 1);
    QCOMPARE(soiree.fenetre().get_accuses()[Rat]->get_votes_recus(0), 3);
    for (const Accuse* accuse : soiree.fenetre().get_accuses())
        QVERIFY(!accuse->get_a_vote());

    // La partie est sauvegardée après le vote : prochain vote 2, Chien écarté au vote 1.
    QFile sauvegarde(soiree.fenetre().get_chemin_sauvegarde());
    QVERIFY(sauvegarde.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lignes = QString::fromLatin1(sauvegarde.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lignes.size(), 38);
    QCOMPARE(lignes[0], QStringLiteral("2"));
    QCOMPARE(lignes[2 + Chien], QStringLiteral("1;1;0;0;0"));
    QCOMPARE(lignes[11 + 3 * Vautour], QStringLiteral("8;0;0;0;0;0;0;0;0"));
    QCOMPARE(lignes[12 + 3 * Chien], QStringLiteral("4;0;0;0;0;0;0;0;0"));

    // Pas d'annonce du vote suivant en mode test ; 8 s de pause, puis le vote 2 à 03:00.
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    VERIFIER_ECART_SUR(soiree, soiree.annonces().last().instant, soiree.instant_page(page_intervote, fin), 21, 2);
    QCOMPARE(soiree.noms_des_sons_depuis(fin - 0.5).size(), 5);
    QCOMPARE(soiree.label("label_phase")->text(), QStringLiteral("VOTE 2"));
    QCOMPARE(soiree.label("label_fin_vote")->text(), QStringLiteral("Fin du vote 2 dans"));
    QCOMPARE(soiree.departs_des_votes().last(), 180);
}

// Un écarté vote, un joueur vote contre lui-même, deux accusés à égalité ; le dernier
// bulletin, ouvert à 18 s de la fin, est coupé par la clôture et ne compte pas.
void TestSoiree::vote_avec_egalite_et_bulletin_coupe(Soiree& soiree)
{
    const QList<int> cibles = {Cafard, Rat, Rat, Cafard, Requin, Serpent, Hyene, Vautour, abstention};
    jouer_vote(soiree, cibles);
    QCOMPARE(soiree.fenetre().get_accuses()[Chien]->get_vote_emis(1), int(Rat));

    QVERIFY(soiree.attendre([&] { return soiree.fenetre().get_temps_restant_intervote() <= 18; }, limite_attente_ms));
    int restant_bulletin = 0;
    int restant_vote = 0;
    bool bouton_ecarte_inactif = false;
    soiree.ouvrir_code();
    QTimer::singleShot(300, &soiree.fenetre(), [&] {
        restant_bulletin = soiree.fenetre().get_temps_restant_vote();
        restant_vote = soiree.fenetre().get_temps_restant_intervote();
        bouton_ecarte_inactif = !soiree.bouton_candidat(Chien)->isEnabled();
    });
    soiree.taper_code(codes[Vautour]);
    // Les deux comptes à rebours battent chacun leur seconde : le bulletin, parti à
    // la valeur du vote, le suit d'au plus un battement, quelle que soit la charge.
    QVERIFY2(restant_vote <= restant_bulletin && restant_bulletin <= restant_vote + 1,
             qPrintable(QStringLiteral("bulletin %1 s, vote %2 s").arg(restant_bulletin).arg(restant_vote)));
    QVERIFY(bouton_ecarte_inactif);
    // Le bulletin et le vote finissent à la même seconde : selon la fraction de seconde
    // près, la clôture l'interrompt ou le suit de peu ; rien n'est noté dans les deux cas.
    QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
    QVERIFY(!soiree.fenetre().get_accuses()[Vautour]->get_a_vote());

    double fin = 0;
    for (const Annonce& annonce : soiree.annonces())
        if (annonce.son == QStringLiteral("Sonnerie.wav"))
            fin = annonce.instant;
    ETAPE(verifier_resultat(soiree, fin, plus_vises(soiree, cibles)));
    QCOMPARE(soiree.fenetre().get_accuses()[Vautour]->get_vote_emis(1), int(Vautour));
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
}

// Après le huitième écarté : le premier sauvé, puis la présentation du vote final
// sur la page animée, et le compte à rebours final à 08:00 en mode test.
void TestSoiree::vote_final_ouvert(Soiree& soiree, double fin)
{
    QVERIFY(soiree.fenetre().phase_finale());
    const QStringList sons = soiree.noms_des_sons_depuis(fin - 0.5);
    QCOMPARE(sons.size(), 9);
    QCOMPARE(sons[5].left(6), QStringLiteral("Accuse"));
    QCOMPARE(sons.mid(6), (QStringList{"Annoncepremiersauve.wav", "Jingle.wav", "Presentationvotefinal.wav"}));
    const QList<Annonce> annonces = soiree.annonces_depuis(fin - 0.5);
    QCOMPARE(annonces[5].presentation, QStringLiteral("Le premier accusé sauvé est :"));
    QCOMPARE(annonces[7].page, page_discours);
    verifier_enchainement(soiree, fin - 0.5,
                          {{"Eliminevoteclassique.wav", 0}, {sons[5], 13}, {"Annoncepremiersauve.wav", 1},
                           {"Jingle.wav", 11}, {"Presentationvotefinal.wav", 2.5}});

    int sauves = 0;
    for (const Accuse* accuse : soiree.fenetre().get_accuses())
        sauves += accuse->get_sauve() ? 1 : 0;
    QCOMPARE(sauves, 1);
    QCOMPARE(soiree.fenetre().get_numero_vote(), 8);
    QCOMPARE(soiree.page(), page_discours);

    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    const double presentation = soiree.annonces_depuis(fin - 0.5).last().instant;
    VERIFIER_ECART_SUR(soiree, presentation, soiree.instant_page(page_intervote, fin), 86.5, 2);
    QCOMPARE(soiree.label("label_phase")->text(), QStringLiteral("VOTE FINAL"));
    QCOMPARE(soiree.departs_des_votes().last(), 480);

    // Un bulletin final s'ouvre avec 90 s ; "Voter plus tard" rend le kiosque.
    int restant_bulletin = 0;
    bool page_finale = false;
    soiree.ouvrir_code();
    QTimer::singleShot(500, &soiree.fenetre(), [&] {
        restant_bulletin = soiree.fenetre().get_temps_restant_vote();
        page_finale = soiree.page() == page_vote_final;
        QTest::mouseClick(soiree.bouton("bouton_reporter_vote_final"), Qt::LeftButton);
    });
    soiree.taper_code(codes[Cafard]);
    QVERIFY(page_finale);
    QVERIFY(restant_bulletin >= 89);
    QCOMPARE(soiree.page(), page_intervote);
}

void TestSoiree::soiree_en_mode_test()
{
    Soiree soiree;
    QTest::mouseClick(soiree.bouton("bouton_test"), Qt::LeftButton);
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    VERIFIER_ECART(soiree, soiree.annonces()[0].instant, soiree.instant_page(page_intervote, 0), 233);
    QCOMPARE(soiree.fenetre().get_numero_vote(), 1);
    QCOMPARE(soiree.departs_des_votes(), QList<int>{180});

    ETAPE(premier_vote(soiree));
    ETAPE(vote_avec_egalite_et_bulletin_coupe(soiree));

    // Votes 3 à 8 : chacun vise un accusé encore en jeu, avec quelques abstentions.
    const QList<QList<int>> scenarios = {
        {Requin, Requin, Requin, abstention, Serpent, Requin, Serpent, Requin, Cochon},
        {Cochon, Cochon, abstention, Cochon, Cochon, abstention, Cochon, Serpent, Serpent},
        {Serpent, Serpent, Serpent, Hyene, abstention, Serpent, Serpent, abstention, Serpent},
        {abstention, abstention, Hyene, Hyene, Vautour, Hyene, Hyene, Hyene, Hyene},
        {Vautour, Vautour, abstention, Vautour, Vautour, Vautour, Vautour, Vautour, abstention},
        {Chacal, abstention, Chacal, Chacal, Chacal, Chacal, Chacal, Chacal, Chacal},
    };
    double fin = 0;
    for (const QList<int>& cibles : scenarios) {
        QList<int> valides = cibles;
        for (int& cible : valides)
            if (cible != abstention && soiree.fenetre().get_accuses()[cible]->get_ecarte())
                cible = abstention;
        jouer_vote(soiree, valides);
        const double debut = soiree.maintenant();
        QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
        fin = soiree.instant_page(page_resultats, debut);
        const QList<int> attendus = plus_vises(soiree, valides);
        ETAPE(verifier_resultat(soiree, fin, attendus));
        if (!soiree.fenetre().phase_finale())
            QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    }
    QCOMPARE(soiree.fenetre().get_nombre_ecartes(), 8);
    QVERIFY(soiree.attendre([&] { return soiree.page() == page_discours; }, limite_attente_ms));
    ETAPE(vote_final_ouvert(soiree, fin));

    for (const QString& alerte : soiree.avertissements())
        QVERIFY2(!alerte.contains(QStringLiteral("already called exec")), qPrintable(alerte));
}

// Hors mode test : introduction de 233 s, vote 1 à 25:00, rappel des quatre
// minutes, appel de 35 s, annonce du vote suivant selon sa durée.
void TestSoiree::soiree_normale_annonces_et_rappel()
{
    Soiree soiree;
    // Pendant l'introduction, le fond animé change d'image toutes les 150 ms :
    // relevées toutes les 150 ms pendant près d'une minute, on voit défiler les images.
    auto* image = soiree.label("label_image");
    QSet<qint64> images_vues;
    QTimer releve;
    releve.setTimerType(Qt::PreciseTimer);
    releve.setInterval(150);
    QObject::connect(&releve, &QTimer::timeout, [&] {
        if (soiree.maintenant() > 5 && soiree.maintenant() < 60)
            images_vues.insert(image->pixmap(Qt::ReturnByValue).cacheKey());
    });
    releve.start();
    QTest::mouseClick(soiree.bouton("bouton_demarrer"), Qt::LeftButton);
    releve.stop();
    QVERIFY2(images_vues.size() >= 10, qPrintable(QString::number(images_vues.size())));
    QCOMPARE(soiree.noms_des_sons_depuis(0).mid(0, 4),
             (QStringList{"Sonnerie.wav", "Jeumeurtrierintroduction.wav", "Presentationpremiervote.wav",
                          "Lancementvote1.wav"}));
    verifier_enchainement(soiree, 0,
                          {{"Sonnerie.wav", 0}, {"Jeumeurtrierintroduction.wav", 0}, {"Presentationpremiervote.wav", 80},
                           {"Lancementvote1.wav", 144}});
    QCOMPARE(soiree.annonces()[2].page, page_discours);

    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    VERIFIER_ECART(soiree, soiree.annonces()[0].instant, soiree.instant_page(page_intervote, 0), 233);
    // L'annonce du vote 1 suit deux attentes enchaînées depuis la sonnerie, et
    // l'ouverture du vote une seule : le retard des trois compte dans l'écart.
    const double ouverture = soiree.instant_page(page_intervote, 0);
    const double marge = tolerance_s + 3 * soiree.retard_max(0, ouverture);
    QVERIFY2(qAbs(ouverture - soiree.annonces()[3].instant - 9) < marge,
             qPrintable(QStringLiteral("%1 s mesurées (marge %2 s)").arg(ouverture - soiree.annonces()[3].instant).arg(marge)));

    // Hors de la page animée, l'animation s'arrête d'elle-même à sa prochaine image.
    QTimer* animation = nullptr;
    for (QTimer* minuteur : soiree.fenetre().findChildren<QTimer*>())
        if (minuteur->interval() == 150)
            animation = minuteur;
    QVERIFY(animation);
    const qint64 derniere_image = image->pixmap(Qt::ReturnByValue).cacheKey();
    QVERIFY(soiree.attendre([&] { return !animation->isActive(); }, limite_attente_ms));
    QCOMPARE(image->pixmap(Qt::ReturnByValue).cacheKey(), derniere_image);
    QCOMPARE(soiree.departs_des_votes(), QList<int>{1500});
    // Une valeur ne dure qu'une seconde de jeu (10 ms réelles) : on attend qu'elle soit passée.
    QVERIFY(soiree.attendre([&] { return soiree.fenetre().get_temps_restant_intervote() < 1500; }, limite_attente_ms));

    // Le rappel ne sonne qu'au passage de 241 à 240 secondes.
    soiree.fenetre().set_temps_restant_intervote(245);
    const double avant_rappel = soiree.maintenant();
    QVERIFY(soiree.attendre([&] { return soiree.fenetre().get_temps_restant_intervote() <= 238; }, limite_attente_ms));
    QCOMPARE(soiree.noms_des_sons_depuis(avant_rappel), QStringList{"4minpourvoter.wav"});
    // Cinq secondes de jeu, moins la fraction de seconde déjà entamée par le compte à rebours.
    VERIFIER_ECART_SUR(soiree, avant_rappel, soiree.annonces().last().instant, 4.5, 5);
    soiree.fenetre().set_temps_restant_intervote(240);
    QVERIFY(soiree.attendre([&] { return soiree.fenetre().get_temps_restant_intervote() <= 237; }, limite_attente_ms));
    QCOMPARE(soiree.noms_des_sons_depuis(avant_rappel).size(), 1);

    // Fin du vote 1 : appel de 35 s, puis l'annonce propre du vote 2 (durée d'origine).
    const double avant_fin = soiree.maintenant();
    soiree.fenetre().set_temps_restant_intervote(1);
    QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
    const double fin = soiree.instant_page(page_resultats, avant_fin);
    ETAPE(verifier_resultat(soiree, fin, {Cafard, Chacal, Chien, Cochon, Hyene, Rat, Requin, Serpent, Vautour}, 35));
    QVERIFY(soiree.attendre([&] { return soiree.noms_des_sons_depuis(fin).contains("Lancementvote2.wav"); },
                            limite_attente_ms));
    verifier_enchainement(soiree, fin, {{"Eliminevoteclassique.wav", 0}, {"Lancementvote2.wav", 13}});
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    const double annonce_vote_2 = soiree.annonces().last().instant;
    VERIFIER_ECART(soiree, annonce_vote_2, soiree.instant_page(page_intervote, fin), 8);
    QCOMPARE(soiree.departs_des_votes().last(), 1200);

    // Vote 3 raccourci à 10 minutes : c'est le son des dix minutes qui l'annonce.
    soiree.fenetre().set_temps_vote(600, 2);
    soiree.fenetre().set_temps_restant_intervote(1);
    QVERIFY(soiree.attendre_page(page_resultats, limite_attente_ms));
    const double fin_vote_2 = soiree.maintenant();
    QVERIFY(soiree.attendre_page(page_intervote, limite_attente_ms));
    const QStringList sons = soiree.noms_des_sons_depuis(fin_vote_2);
    QVERIFY(sons.contains("10minavantvote.wav"));
    QVERIFY(!sons.contains("Lancementvote3.wav"));
    QCOMPARE(soiree.departs_des_votes().last(), 600);
}

TEST_SORDANE_MAIN(TestSoiree)
#include "test_soiree.moc"
