// Le formulaire de la fenêtre principale crée chaque page, chaque widget et chaque mise en page sous son nom, sa classe, son texte et sa taille de police.
#include "cadre_vote.h"
#include "garde_messages.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLCDNumber>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(QMargins)

namespace {
const QStringList pages_principales = {
    "Accueil", "Intervote", "Resultats", "Vote", "Vote_final",
    "Fin", "Discours", "Restultat_final", "Annonce_sauves", "Arrivee_presentateur"};
const QStringList sous_pages_intervote = {
    "Bouton_vote", "Code_vote", "Code_seconde_chance", "Confirmation_code_sc", "Validation_code_sc", "page"};
constexpr int sans_police = 0;
constexpr int marge_du_style = -1;

QStringList noms_des_pages(const QStackedWidget* pile)
{
    QStringList noms;
    for (int i = 0; i < pile->count(); ++i)
        noms << pile->widget(i)->objectName();
    return noms;
}

QList<int> etirements(const QBoxLayout* boite)
{
    QList<int> valeurs;
    for (int i = 0; i < boite->count(); ++i)
        valeurs << boite->stretch(i);
    return valeurs;
}
}

class TestFormulaire : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QMainWindow> fenetre;
    std::unique_ptr<Ui::MainWindow> ui;

    template <typename T>
    T* trouver(const QString& nom)
    {
        T* objet = fenetre->findChild<T*>(nom);
        if (!objet)
            qWarning("introuvable : %s", qPrintable(nom));
        return objet;
    }

private slots:
    void init()
    {
        fenetre = std::make_unique<QMainWindow>();
        ui = std::make_unique<Ui::MainWindow>();
        ui->setupUi(fenetre.get());
    }

    void cleanup()
    {
        ui.reset();
        fenetre.reset();
    }

    void fenetre_et_piles()
    {
        QCOMPARE(fenetre->size(), QSize(1561, 944));
        QCOMPARE(fenetre->windowTitle(), QStringLiteral("MainWindow"));
        QCOMPARE(fenetre->centralWidget(), ui->centralWidget);
        QCOMPARE(ui->verticalLayout_14->count(), 1);
        QCOMPARE(ui->verticalLayout_14->itemAt(0)->widget(), ui->stackedWidget);

        QCOMPARE(noms_des_pages(ui->stackedWidget), pages_principales);
        QCOMPARE(ui->stackedWidget->widget(7)->objectName(), QStringLiteral("Restultat_final"));
        QCOMPARE(ui->stackedWidget->currentIndex(), 4);
        QCOMPARE(noms_des_pages(ui->stackedWidget_intervote), sous_pages_intervote);
        QCOMPARE(ui->stackedWidget_intervote->currentIndex(), 3);
        QCOMPARE(ui->stackedWidget_intervote->parentWidget(), ui->Intervote);
    }

    void cadres_et_etiquettes_du_vote_final()
    {
        const QList<Cadre_vote*> cadres = {ui->cadre_1, ui->cadre_2, ui->cadre_3, ui->cadre_4,
                                           ui->cadre_5, ui->cadre_6, ui->cadre_7, ui->cadre_8};
        int nombre_cadres = 0;
        for (QLabel* etiquette : ui->Vote_final->findChildren<QLabel*>()) {
            auto* cadre = dynamic_cast<Cadre_vote*>(etiquette);
            if (cadre) {
                ++nombre_cadres;
                QVERIFY(cadres.contains(cadre));
                QCOMPARE(cadre->parentWidget(), ui->Vote_final);
                QCOMPARE(cadre->objectName(), QStringLiteral("cadre_%1").arg(cadres.indexOf(cadre) + 1));
            } else {
                QVERIFY2(typeid(*etiquette) == typeid(QLabel), qPrintable(etiquette->objectName()));
            }
        }
        QCOMPARE(nombre_cadres, 8);
        for (Cadre_vote* cadre : cadres) {
            QCOMPARE(cadre->text(), QString());
            QCOMPARE(cadre->minimumSize(), QSize(200, 50));
            QCOMPARE(cadre->frameShape(), QFrame::StyledPanel);
            QCOMPARE(cadre->frameShadow(), QFrame::Raised);
            QCOMPARE(cadre->font().pointSize(), 20);
        }
    }

    void textes_et_polices_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("points");

        QTest::newRow("label_Accuse2") << "label_Accuse2" << "Le sordane va débuter !" << 40;
        QTest::newRow("label_Accuse3") << "label_Accuse3"
                                       << "N'oubliez pas de désactiver la mise en veille de votre ordinateur avant de commencer." << 20;
        QTest::newRow("label_version") << "label_version" << "V 1.0" << sans_police;
        QTest::newRow("bouton_demarrer") << "bouton_demarrer" << "Commencer une partie" << 20;
        QTest::newRow("bouton_option") << "bouton_option" << "Options" << 20;
        QTest::newRow("label_fin_vote_dans") << "label_fin_vote_dans" << "Fin du vote dans" << 30;
        QTest::newRow("bouton_voter") << "bouton_voter" << "Voter" << 20;
        QTest::newRow("ligne_code") << "ligne_code" << "" << 20;
        QTest::newRow("label_choix_identit_code_sc") << "label_choix_identit_code_sc"
                                                     << "C'est bien le code de la seconde chance. Renseigne ton identité :" << 20;
        QTest::newRow("label_surete_code_sc") << "label_surete_code_sc"
                                              << "Es-tu sûr de vouloir utiliser le code de la seconde chance ?" << 20;
        QTest::newRow("label_code_final_sc") << "label_code_final_sc" << "Chacal, entre ton code personnel pour valider :" << 20;
        QTest::newRow("label_remerciement") << "label_remerciement" << "Chien, merci d'avoir voté." << 20;
        QTest::newRow("label_presentation_resultats") << "label_presentation_resultats"
                                                      << "L'accusé écarté à l'issue de ce vote est :" << 40;
        QTest::newRow("bouton_reporter_vote") << "bouton_reporter_vote" << "Voter plus tard" << 15;
        QTest::newRow("label_demande_vote") << "label_demande_vote" << "Requin, qui souhaites-tu écarter ?" << 40;
        QTest::newRow("bouton_hyene") << "bouton_hyene" << "Hyène" << sans_police;
        QTest::newRow("label_info_vote") << "label_info_vote" << "Temps restant pour le vote" << 20;
        QTest::newRow("label_demande_vote_2") << "label_demande_vote_2" << "Requin, à toi de voter !" << 40;
        QTest::newRow("label_aide_vote") << "label_aide_vote"
                                         << "Pour voter, faire glisser les étiquettes vers les cases." << sans_police;
        QTest::newRow("label_hyene_deplacable") << "label_hyene_deplacable" << "Hyène" << 20;
        QTest::newRow("Bouton_annuler_8") << "Bouton_annuler_8" << "Retirer" << 10;
        QTest::newRow("label_non_sauvable") << "label_non_sauvable" << "Ne pas sauver" << 15;
        QTest::newRow("label_image_fleche") << "label_image_fleche" << "" << sans_police;
        QTest::newRow("bouton_valider_vote_final") << "bouton_valider_vote_final" << "Voter" << 16;
        QTest::newRow("label_vote_invalide") << "label_vote_invalide" << "Tous les noms doivent être placés !" << 18;
        QTest::newRow("bouton_rapport") << "bouton_rapport" << "Enregistrer le rapport de la partie" << 20;
        QTest::newRow("label_image") << "label_image" << "" << sans_police;
        QTest::newRow("label_resultat_final") << "label_resultat_final" << "Voici les résultats du vote final :" << 40;
        QTest::newRow("label_classement_1") << "label_classement_1" << "Serpent" << 35;
        QTest::newRow("label_classement_4") << "label_classement_4" << "Hyène" << 27;
        QTest::newRow("label_classement_8") << "label_classement_8" << "Requin" << 23;
        QTest::newRow("label_annonce_sauves") << "label_annonce_sauves" << "Les deux accusés sauvés sont :" << 40;
        QTest::newRow("label_presentateur") << "label_presentateur" << "..." << 100;
    }

    void textes_et_polices()
    {
        QFETCH(QString, nom);
        QFETCH(QString, texte);
        QFETCH(int, points);

        QWidget* widget = trouver<QWidget>(nom);
        QVERIFY(widget);
        QCOMPARE(widget->property("text").toString(), texte);
        if (points == sans_police) {
            QVERIFY(!widget->testAttribute(Qt::WA_SetFont));
        } else {
            // Seule la taille est fixée : la famille vient de la feuille de style.
            QCOMPARE(widget->font().pointSize(), points);
            QCOMPARE(widget->font().resolve(), uint(QFont::SizeResolved));
        }
    }

    void compteurs_a_420()
    {
        const QList<QLCDNumber*> compteurs = fenetre->findChildren<QLCDNumber*>();
        QCOMPARE(compteurs.size(), 5);
        for (QLCDNumber* compteur : compteurs) {
            QCOMPARE(compteur->intValue(), 420);
            QCOMPARE(compteur->digitCount(), 5);
            QCOMPARE(compteur->mode(), QLCDNumber::Dec);
            QCOMPARE(compteur->frameShape(), QFrame::NoFrame);
            QCOMPARE(compteur->font().pointSize(), 20);
            // Remplis explicitement ou par défaut : tous les segments sont pleins.
            QCOMPARE(compteur->segmentStyle(), QLCDNumber::Filled);
        }
    }

    void tailles_et_politiques_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("maximum");
        QTest::addColumn<int>("horizontale");
        QTest::addColumn<int>("verticale");
        QTest::addColumn<int>("focus");

        const QSize libre(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const int P = QSizePolicy::Preferred, I = QSizePolicy::Ignored, M = QSizePolicy::Minimum;
        QTest::newRow("bouton_charger") << "bouton_charger" << QSize(300, 60) << QSize(QWIDGETSIZE_MAX, 100)
                                        << M << I << int(Qt::NoFocus);
        QTest::newRow("label_Accuse2") << "label_Accuse2" << QSize(0, 50) << libre << I << I << int(Qt::NoFocus);
        QTest::newRow("compteur_temps") << "compteur_temps" << QSize(250, 50) << libre << M << I << int(Qt::NoFocus);
        QTest::newRow("bouton_voter") << "bouton_voter" << QSize(150, 100) << libre
                                      << I << int(QSizePolicy::Expanding) << int(Qt::NoFocus);
        QTest::newRow("ligne_code") << "ligne_code" << QSize(200, 40) << libre
                                    << P << int(QSizePolicy::Fixed) << int(Qt::StrongFocus);
        QTest::newRow("bouton_ok_vote") << "bouton_ok_vote" << QSize(50, 40) << libre << P << P << int(Qt::StrongFocus);
        QTest::newRow("bouton_vautour") << "bouton_vautour" << QSize(0, 0) << libre << I << I << int(Qt::NoFocus);
        QTest::newRow("bouton_reporter_vote_final") << "bouton_reporter_vote_final" << QSize(0, 0) << libre
                                                    << M << P << int(Qt::NoFocus);
        QTest::newRow("Bouton_annuler_1") << "Bouton_annuler_1" << QSize(60, 40) << libre << M << P << int(Qt::NoFocus);
        QTest::newRow("label_image_fleche") << "label_image_fleche" << QSize(50, 250) << QSize(50, 4000)
                                            << M << P << int(Qt::NoFocus);
        QTest::newRow("label_vote_invalide") << "label_vote_invalide" << QSize(0, 0) << QSize(QWIDGETSIZE_MAX, 50)
                                             << P << P << int(Qt::NoFocus);
        QTest::newRow("label_image") << "label_image" << QSize(600, 600) << QSize(600, 600)
                                     << int(QSizePolicy::Fixed) << int(QSizePolicy::Fixed) << int(Qt::NoFocus);
        QTest::newRow("label_annonce_sauves") << "label_annonce_sauves" << QSize(0, 0) << libre << I << P << int(Qt::NoFocus);
    }

    void tailles_et_politiques()
    {
        QFETCH(QString, nom);
        QFETCH(QSize, minimum);
        QFETCH(QSize, maximum);
        QFETCH(int, horizontale);
        QFETCH(int, verticale);
        QFETCH(int, focus);

        QWidget* widget = trouver<QWidget>(nom);
        QVERIFY(widget);
        QCOMPARE(widget->minimumSize(), minimum);
        QCOMPARE(widget->maximumSize(), maximum);
        QCOMPARE(int(widget->sizePolicy().horizontalPolicy()), horizontale);
        QCOMPARE(int(widget->sizePolicy().verticalPolicy()), verticale);
        QCOMPARE(int(widget->focusPolicy()), focus);
    }

    void etirements_des_boites_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QList<int>>("attendus");

        QTest::newRow("verticalLayout_3") << "verticalLayout_3" << QList<int>{5, 5, 5, 60, 5, 5};
        QTest::newRow("verticalLayout_4") << "verticalLayout_4" << QList<int>{10, 20, 10, 10, 50};
        QTest::newRow("verticalLayout_6") << "verticalLayout_6" << QList<int>{0, 10};
        QTest::newRow("verticalLayout_13") << "verticalLayout_13" << QList<int>{10, 20};
        QTest::newRow("verticalLayout_12") << "verticalLayout_12" << QList<int>{5, 15, 10, 10, 20};
        QTest::newRow("verticalLayout") << "verticalLayout" << QList<int>{10, 20, 10, 100};
        QTest::newRow("verticalLayout_28") << "verticalLayout_28" << QList<int>{10, 10, 10, 10, 90};
        QTest::newRow("horizontalLayout_6") << "horizontalLayout_6" << QList<int>{70, 2, 5, 5, 20};
        QTest::newRow("verticalLayout_27") << "verticalLayout_27" << QList<int>{13, 5, 45, 5, 10};
        QTest::newRow("verticalLayout_25") << "verticalLayout_25" << QList<int>{20, 15, 10, 35, 15, 5};
        QTest::newRow("horizontalLayout_7") << "horizontalLayout_7" << QList<int>{40, 60};
        QTest::newRow("verticalLayout_2") << "verticalLayout_2" << QList<int>{5, 5, 60, 10};
        QTest::newRow("verticalLayout_8") << "verticalLayout_8" << QList<int>{5, 10, 50, 15};
        QTest::newRow("verticalLayout_16") << "verticalLayout_16" << QList<int>{10, 20, 10, 20};
        QTest::newRow("verticalLayout_15") << "verticalLayout_15" << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    }

    void etirements_des_boites()
    {
        QFETCH(QString, nom);
        QFETCH(QList<int>, attendus);

        auto* boite = trouver<QBoxLayout>(nom);
        QVERIFY(boite);
        QCOMPARE(etirements(boite), attendus);
        QCOMPARE(boite->spacing(), 6);
    }

    void grilles()
    {
        QCOMPARE(ui->gridLayout->verticalSpacing(), 20);
        QCOMPARE(ui->gridLayout->horizontalSpacing(), 6);
        QCOMPARE(ui->gridLayout_6->verticalSpacing(), 20);
        for (QGridLayout* entete : {ui->gridLayout_3, ui->gridLayout_5}) {
            QCOMPARE(entete->columnCount(), 3);
            QCOMPARE(entete->columnStretch(0), 10);
            QCOMPARE(entete->columnStretch(1), 50);
            QCOMPARE(entete->columnStretch(2), 10);
        }
        const QList<int> lignes_plateau = {5, 10, 10, 10, 10, 10, 10, 10, 10, 10, 5};
        const QList<int> colonnes_plateau = {5, 15, 5, 10, 15, 5};
        QCOMPARE(ui->gridLayout_7->rowCount(), lignes_plateau.size());
        QCOMPARE(ui->gridLayout_7->columnCount(), colonnes_plateau.size());
        for (int r = 0; r < lignes_plateau.size(); ++r)
            QCOMPARE(ui->gridLayout_7->rowStretch(r), lignes_plateau[r]);
        for (int c = 0; c < colonnes_plateau.size(); ++c)
            QCOMPARE(ui->gridLayout_7->columnStretch(c), colonnes_plateau[c]);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(ui->grid_vote->rowStretch(i), 1);
            QCOMPARE(ui->grid_vote->columnStretch(i), 1);
        }
    }

    void marges_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QMargins>("attendues");

        // Une marge non donnée reste celle du style pour la mise en page d'une page.
        const int style = marge_du_style;
        QTest::newRow("verticalLayout_14") << "verticalLayout_14" << QMargins(style, 40, style, style);
        QTest::newRow("verticalLayout_3") << "verticalLayout_3" << QMargins(11, 11, 11, 11);
        QTest::newRow("verticalLayout_6") << "verticalLayout_6" << QMargins(style, 30, style, style);
        QTest::newRow("grid_vote") << "grid_vote" << QMargins(100, 0, 100, 100);
        QTest::newRow("verticalLayout_9") << "verticalLayout_9" << QMargins(10, 10, 10, 10);
        QTest::newRow("verticalLayout_26") << "verticalLayout_26" << QMargins(10, 10, 10, 10);
        QTest::newRow("verticalLayout_29") << "verticalLayout_29" << QMargins(0, 5, 0, 5);
        QTest::newRow("horizontalLayout_7") << "horizontalLayout_7" << QMargins(0, 0, 0, 0);
        QTest::newRow("horizontalLayout_3") << "horizontalLayout_3" << QMargins(0, 0, 0, 0);
    }

    void marges()
    {
        QFETCH(QString, nom);
        QFETCH(QMargins, attendues);

        auto* mise_en_page = trouver<QLayout>(nom);
        QVERIFY(mise_en_page);
        const int style = mise_en_page->parentWidget()->style()->pixelMetric(
            QStyle::PM_LayoutLeftMargin, nullptr, mise_en_page->parentWidget());
        auto resoudre = [style](int marge) { return marge == marge_du_style ? style : marge; };
        const QMargins resolues(resoudre(attendues.left()), resoudre(attendues.top()),
                                resoudre(attendues.right()), resoudre(attendues.bottom()));
        QCOMPARE(mise_en_page->contentsMargins(), resolues);
    }

    void boutons_candidats_en_u_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("ligne");
        QTest::addColumn<int>("colonne");

        QTest::newRow("cafard") << "bouton_cafard" << 1 << 0;
        QTest::newRow("chacal") << "bouton_chacal" << 2 << 0;
        QTest::newRow("chien") << "bouton_chien" << 3 << 0;
        QTest::newRow("cochon") << "bouton_cochon" << 4 << 1;
        QTest::newRow("hyene") << "bouton_hyene" << 4 << 2;
        QTest::newRow("rat") << "bouton_rat" << 4 << 3;
        QTest::newRow("requin") << "bouton_requin" << 3 << 4;
        QTest::newRow("serpent") << "bouton_serpent" << 2 << 4;
        QTest::newRow("vautour") << "bouton_vautour" << 1 << 4;
        QTest::newRow("compteur") << "compteur_temps_vote" << 2 << 2;
    }

    void boutons_candidats_en_u()
    {
        QFETCH(QString, nom);
        QFETCH(int, ligne);
        QFETCH(int, colonne);

        QWidget* widget = trouver<QWidget>(nom);
        QVERIFY(widget);
        int r = -1, c = -1, hauteur = 0, largeur = 0;
        ui->grid_vote->getItemPosition(ui->grid_vote->indexOf(widget), &r, &c, &hauteur, &largeur);
        QCOMPARE(r, ligne);
        QCOMPARE(c, colonne);
    }

    void u_a_l_ecran()
    {
        ui->stackedWidget->setCurrentWidget(ui->Vote);
        fenetre->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
        const QRect cafard = ui->bouton_cafard->geometry();
        const QRect vautour = ui->bouton_vautour->geometry();
        const QRect hyene = ui->bouton_hyene->geometry();
        QCOMPARE(cafard.top(), vautour.top());
        QVERIFY(cafard.right() < hyene.left() && hyene.right() < vautour.left());
        QVERIFY(hyene.top() > ui->bouton_chien->geometry().bottom());
        QCOMPARE(hyene.top(), ui->bouton_cochon->geometry().top());
        QCOMPARE(hyene.center().x(), ui->compteur_temps_vote->geometry().center().x());
    }

    void fleche()
    {
        QVERIFY(!ui->label_image_fleche->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(ui->label_image_fleche->hasScaledContents());
        QCOMPARE(ui->verticalLayout_27->itemAt(2)->widget(), ui->label_image_fleche);
        QCOMPARE(ui->verticalLayout_27->itemAt(2)->alignment(), Qt::AlignHCenter);
    }

    // Le kiosque est en plein écran devant la salle : un code tapé ne s'y lit pas.
    void codes_secrets_masques_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::newRow("code personnel") << "ligne_code";
        QTest::newRow("code de la seconde chance") << "ligne_code_sc";
        QTest::newRow("code personnel de la seconde chance") << "ligne_code_sc_2";
    }

    void codes_secrets_masques()
    {
        QFETCH(QString, nom);
        auto* champ = trouver<QLineEdit>(nom);
        QVERIFY(champ);
        QCOMPARE(champ->echoMode(), QLineEdit::Password);
        QTest::keyClicks(champ, QStringLiteral("galopin58"));
        QCOMPARE(champ->text(), QStringLiteral("galopin58"));
        QVERIFY(!champ->displayText().contains(QLatin1String("galopin")));
        QVERIFY(!champ->displayText().contains(QLatin1Char('5')));
    }

    void combo_seconde_chance()
    {
        QCOMPARE(ui->comboBox_code_seconde_chance->count(), 0);
        QVERIFY(!ui->comboBox_code_seconde_chance->isEditable());
        QCOMPARE(ui->comboBox_code_seconde_chance->maxVisibleItems(), 11);
        QVERIFY(!ui->comboBox_code_seconde_chance->hasFrame());
        QCOMPARE(ui->comboBox_code_seconde_chance->minimumWidth(), 200);
    }

    void clic_sur_voter_sans_connexion_explicite()
    {
        MainWindow principale;
        auto* voter = principale.findChild<QPushButton*>("bouton_voter");
        auto* pile = principale.findChild<QStackedWidget*>("stackedWidget_intervote");
        QVERIFY(voter && pile);
        QCOMPARE(pile->currentIndex(), 0);
        voter->click();
        QCOMPARE(pile->currentWidget()->objectName(), QStringLiteral("Code_vote"));
    }
};

TEST_SORDANE_MAIN(TestFormulaire)
#include "test_formulaire.moc"
