// La fenêtre d'options ne s'ouvre qu'au code admin et ne change que les durées des votes 2 à 9 et le temps restant du compte à rebours.
#include "fenetre_options.h"
#include "garde_messages.h"
#include "mainwindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {
constexpr int page_code = 0;
constexpr int page_panneau = 1;
constexpr int page_temps_votes = 2;
constexpr int page_temps_instant = 3;
constexpr int duree_message_ms = 2000;
// Un minuteur grossier de Qt peut sonner jusqu'à 5 % en avance.
constexpr int duree_message_min_ms = duree_message_ms * 95 / 100;
const QList<int> calendrier_defaut = {1500, 1200, 1200, 900, 900, 600, 600, 600, 600};

// Messages de Qt reçus pendant un test, pour y repérer une boucle relancée.
QStringList messages_recus;
QtMessageHandler gestionnaire_precedent = nullptr;

void noter_message(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    messages_recus << message;
    gestionnaire_precedent(type, contexte, message);
}
}

class TestOptions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MainWindow> fenetre;
    std::unique_ptr<Fenetre_options> options;

    template <typename T>
    T* element(const char* nom)
    {
        return options->findChild<T*>(QLatin1String(nom));
    }

    int page()
    {
        return element<QStackedWidget>("stackedWidget")->currentIndex();
    }

    void cliquer(const char* nom)
    {
        element<QPushButton>(nom)->click();
    }

    qint64 essayer_code(const QString& code)
    {
        element<QLineEdit>("ligne_code_admin")->setText(code);
        QElapsedTimer chrono;
        chrono.start();
        cliquer("bouton_ok_code_admin");
        return chrono.elapsed();
    }

    void ouvrir_page(const char* bouton)
    {
        essayer_code(QStringLiteral("margot"));
        cliquer(bouton);
    }

    void rouvrir()
    {
        options = std::make_unique<Fenetre_options>(fenetre.get());
    }

private slots:
    // La fenêtre principale, lente à construire avec tous ses sons, sert à
    // tous les tests ; son calendrier est remis à zéro avant chacun.
    void initTestCase()
    {
        gestionnaire_precedent = qInstallMessageHandler(noter_message);
        fenetre = std::make_unique<MainWindow>();
    }

    void init()
    {
        for (int k = 0; k < calendrier_defaut.size(); ++k)
            fenetre->set_temps_vote(calendrier_defaut[k], k);
        fenetre->set_temps_restant_intervote(0);
        rouvrir();
        messages_recus.clear();
    }

    void cleanup()
    {
        options.reset();
    }

    void cleanupTestCase()
    {
        fenetre.reset();
    }

    void ouverture()
    {
        QCOMPARE(options->windowTitle(), QStringLiteral("Options"));
        QCOMPARE(options->parentWidget(), fenetre.get());
        QCOMPARE(page(), page_code);
        auto* erreur = element<QLabel>("label_code_errone");
        QCOMPARE(erreur->text(), QStringLiteral("Code erroné !"));
        QVERIFY(erreur->isHidden());
        QVERIFY(erreur->sizePolicy().retainSizeWhenHidden());
        auto* minutes = element<QLineEdit>("ligne_nombre_minutes");
        QCOMPARE(minutes->text(), QStringLiteral("5"));
        auto* validateur = qobject_cast<const QIntValidator*>(minutes->validator());
        QVERIFY(validateur);
        QCOMPARE(validateur->bottom(), 0);
        QCOMPARE(validateur->top(), 99);
    }

    void formulaire_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("points");

        QTest::newRow("label_code_admin") << "label_code_admin" << "Veuillez entrer le code admin :" << 20;
        QTest::newRow("bouton_ok_code_admin") << "bouton_ok_code_admin" << "OK" << 13;
        QTest::newRow("label_choix_param") << "label_choix_param" << "Choisissez le paramètre à modifier :" << 20;
        QTest::newRow("bouton_changer_temps_instant") << "bouton_changer_temps_instant"
                                                      << "Changer le temps du vote en cours" << 15;
        QTest::newRow("label_aide") << "label_aide"
                                    << "Les temps du vote 1 et du vote final ne sont pas ajustables de cette manière." << 9;
        QTest::newRow("label_vote_final") << "label_vote_final" << "Vote final" << 13;
        QTest::newRow("label_explications_temps_en_cours") << "label_explications_temps_en_cours"
                                                           << "Ne fonctionne que pendant le compte à rebours d'un vote." << 10;
        QTest::newRow("label_explications_temps_en_cours_2") << "label_explications_temps_en_cours_2"
                                                             << "La valeur renseignée remplacera le temps restant actuel." << 10;
        QTest::newRow("label_saisir_minutes") << "label_saisir_minutes" << "Saisissez le nombre de minutes :" << 13;
        QTest::newRow("bouton_valider_temps_en_cours") << "bouton_valider_temps_en_cours" << "Valider" << 15;
    }

    void formulaire()
    {
        QFETCH(QString, nom);
        QFETCH(QString, texte);
        QFETCH(int, points);

        QWidget* widget = options->findChild<QWidget*>(nom);
        QVERIFY(widget);
        QCOMPARE(widget->property("text").toString(), texte);
        QCOMPARE(widget->font().pointSize(), points);
        QCOMPARE(widget->font().resolve(), uint(QFont::SizeResolved));
    }

    // Le code administrateur se tape devant les joueurs : il ne s'affiche pas.
    void code_admin_masque()
    {
        auto* champ = element<QLineEdit>("ligne_code_admin");
        QCOMPARE(champ->echoMode(), QLineEdit::Password);
        QTest::keyClicks(champ, QStringLiteral("margot"));
        QCOMPARE(champ->text(), QStringLiteral("margot"));
        QVERIFY(!champ->displayText().contains(QLatin1String("margot")));
        cliquer("bouton_ok_code_admin");
        QCOMPARE(page(), page_panneau);
    }

    void pages_et_boites()
    {
        auto* pile = element<QStackedWidget>("stackedWidget");
        QStringList pages;
        for (int i = 0; i < pile->count(); ++i)
            pages << pile->widget(i)->objectName();
        QCOMPARE(pages, (QStringList{"Code_admin", "Panneau_admin", "Modif_temps_votes", "Modif_temps_instant"}));
        for (QComboBox* boite : options->findChildren<QComboBox*>()) {
            QCOMPARE(boite->minimumWidth(), 150);
            QCOMPARE(boite->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
            QCOMPARE(boite->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
            QCOMPARE(boite->font().pointSize(), 13);
        }
        QCOMPARE(options->findChildren<QComboBox*>().size(), 10);
    }

    void code_admin_data()
    {
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<bool>("accepte");

        QTest::newRow("exact") << "margot" << true;
        QTest::newRow("capitales") << "MARGOT" << true;
        QTest::newRow("initiale") << "Margot" << true;
        QTest::newRow("melange") << "mArGoT" << true;
        QTest::newRow("espace final") << "margot " << false;
        QTest::newRow("espace initial") << " margot" << false;
        QTest::newRow("tronque") << "margo" << false;
        QTest::newRow("allonge") << "margots" << false;
        QTest::newRow("vide") << "" << false;
    }

    void code_admin()
    {
        QFETCH(QString, saisie);
        QFETCH(bool, accepte);

        auto* erreur = element<QLabel>("label_code_errone");
        bool message_affiche = false;
        QTimer temoin;
        temoin.setSingleShot(true);
        connect(&temoin, &QTimer::timeout, [&] { message_affiche = erreur->isVisible(); });
        temoin.start(duree_message_ms / 2);
        options->show();
        const qint64 duree = essayer_code(saisie);

        QCOMPARE(page(), accepte ? page_panneau : page_code);
        if (accepte) {
            QVERIFY(duree < duree_message_ms);
        } else {
            QVERIFY(message_affiche);
            QVERIFY2(duree >= duree_message_min_ms, qPrintable(QString::number(duree)));
            QVERIFY(erreur->isHidden());
            QCOMPARE(element<QLineEdit>("ligne_code_admin")->text(), QString());
        }
    }

    // Un second OK pendant le message ne relance ni la boucle ni l'attente :
    // l'essai suivant a bien ses deux secondes entières.
    void second_ok_pendant_le_message_data()
    {
        QTest::addColumn<QString>("second_code");
        QTest::addColumn<int>("page_attendue");

        QTest::newRow("encore faux") << "faux" << page_code;
        QTest::newRow("juste") << "Margot" << page_panneau;
    }

    void second_ok_pendant_le_message()
    {
        QFETCH(QString, second_code);
        QFETCH(int, page_attendue);

        auto* erreur = element<QLabel>("label_code_errone");
        qint64 duree_second_essai = -1;
        bool message_toujours_la = false;
        int page_pendant = -1;
        QTimer second_essai;
        second_essai.setSingleShot(true);
        connect(&second_essai, &QTimer::timeout, [&] {
            duree_second_essai = essayer_code(second_code);
            message_toujours_la = !erreur->isHidden();
            page_pendant = page();
        });
        second_essai.start(duree_message_ms / 4);
        options->show();
        essayer_code(QStringLiteral("faux"));

        QVERIFY(duree_second_essai >= 0);
        QVERIFY(duree_second_essai < duree_message_ms / 2);
        QVERIFY(message_toujours_la);
        QCOMPARE(page_pendant, page_attendue);
        QCOMPARE(page(), page_attendue);
        QVERIFY(erreur->isHidden());
        for (const QString& message : messages_recus)
            QVERIFY2(!message.contains(QLatin1String("exec")), qPrintable(message));

        if (page_attendue == page_code)
            QVERIFY(essayer_code(QStringLiteral("faux")) >= duree_message_min_ms);
    }

    void boites_par_defaut_data()
    {
        QTest::addColumn<QString>("boite");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("nombre");
        QTest::addColumn<bool>("active");

        QTest::newRow("vote 1") << "comboBox_vote_1" << "25 min" << 4 << false;
        QTest::newRow("vote 2") << "comboBox_vote_2" << "20 min" << 3 << true;
        QTest::newRow("vote 3") << "comboBox_vote_3" << "20 min" << 3 << true;
        QTest::newRow("vote 4") << "comboBox_vote_4" << "15 min" << 3 << true;
        QTest::newRow("vote 5") << "comboBox_vote_5" << "15 min" << 3 << true;
        QTest::newRow("vote 6") << "comboBox_vote_6" << "10 min" << 3 << true;
        QTest::newRow("vote 9") << "comboBox_vote_9" << "10 min" << 3 << true;
        QTest::newRow("vote final") << "comboBox_vote_final" << "20 min" << 1 << false;
    }

    void boites_par_defaut()
    {
        QFETCH(QString, boite);
        QFETCH(QString, texte);
        QFETCH(int, nombre);
        QFETCH(bool, active);

        auto* combo = options->findChild<QComboBox*>(boite);
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), texte);
        QCOMPARE(combo->count(), nombre);
        QCOMPARE(combo->isEnabled(), active);
        QCOMPARE(combo->itemText(0), QString::fromLatin1(nombre == 1 ? "20 min" : "10 min"));
    }

    void retour_ou_valider_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<int>("secondes");
        QTest::addColumn<QString>("texte");

        QTest::newRow("retour") << "bouton_retour_modif_votes" << 1200 << "20 min";
        QTest::newRow("valider") << "bouton_valider_modif_votes" << 900 << "15 min";
    }

    void retour_ou_valider()
    {
        QFETCH(QString, bouton);
        QFETCH(int, secondes);
        QFETCH(QString, texte);

        ouvrir_page("bouton_changer_temps_votes");
        QCOMPARE(page(), page_temps_votes);
        element<QComboBox>("comboBox_vote_2")->setCurrentIndex(1);
        // Les boîtes grisées ne sont jamais lues, même changées par ailleurs.
        element<QComboBox>("comboBox_vote_1")->setCurrentIndex(0);
        options->findChild<QPushButton*>(bouton)->click();

        QCOMPARE(page(), page_panneau);
        QCOMPARE(element<QComboBox>("comboBox_vote_2")->currentText(), texte);
        QList<int> attendu = calendrier_defaut;
        attendu[1] = secondes;
        QCOMPARE(fenetre->get_temps_votes(), attendu);
    }

    // En mode test le calendrier vaut 180 s partout : aucune boîte ne le montre.
    void calendrier_hors_liste()
    {
        for (int k = 0; k < calendrier_defaut.size(); ++k)
            fenetre->set_temps_vote(180, k);
        rouvrir();
        for (const char* nom : {"comboBox_vote_1", "comboBox_vote_2", "comboBox_vote_9"})
            QCOMPARE(element<QComboBox>(nom)->currentText(), QStringLiteral("10 min"));

        ouvrir_page("bouton_changer_temps_votes");
        cliquer("bouton_valider_modif_votes");
        QCOMPARE(fenetre->get_temps_votes(), (QList<int>{180, 600, 600, 600, 600, 600, 600, 600, 600}));
    }

    void calendrier_relu_a_l_ouverture()
    {
        fenetre->set_temps_vote(600, 1);
        fenetre->set_temps_vote(1200, 8);
        rouvrir();
        QCOMPARE(element<QComboBox>("comboBox_vote_2")->currentText(), QStringLiteral("10 min"));
        QCOMPARE(element<QComboBox>("comboBox_vote_9")->currentText(), QStringLiteral("20 min"));
    }

    void temps_restant_data()
    {
        QTest::addColumn<QString>("bouton");
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<int>("secondes");

        const int inchange = 4242;
        QTest::newRow("3 minutes") << "bouton_valider_temps_en_cours" << "3" << 180;
        QTest::newRow("zero") << "bouton_valider_temps_en_cours" << "0" << 0;
        QTest::newRow("vide") << "bouton_valider_temps_en_cours" << "" << 0;
        QTest::newRow("retour") << "bouton_retour_temps_en_cours" << "3" << inchange;
    }

    void temps_restant()
    {
        QFETCH(QString, bouton);
        QFETCH(QString, saisie);
        QFETCH(int, secondes);

        fenetre->set_temps_restant_intervote(4242);
        ouvrir_page("bouton_changer_temps_instant");
        QCOMPARE(page(), page_temps_instant);
        element<QLineEdit>("ligne_nombre_minutes")->setText(saisie);
        options->findChild<QPushButton*>(bouton)->click();

        QCOMPARE(fenetre->get_temps_restant_intervote(), secondes);
        QCOMPARE(element<QLineEdit>("ligne_nombre_minutes")->text(), QStringLiteral("5"));
        QCOMPARE(page(), page_panneau);
        QCOMPARE(fenetre->get_temps_votes(), calendrier_defaut);
    }

    // Les compteurs n'ont que cinq chiffres : au-delà de 99 minutes, le chiffre
    // de trop est refusé à la frappe, comme tout ce qui n'est pas un nombre.
    void minutes_tapees_data()
    {
        QTest::addColumn<QString>("frappe");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("secondes");

        QTest::newRow("99 acceptées") << "99" << "99" << 5940;
        QTest::newRow("100 refusées") << "100" << "10" << 600;
        QTest::newRow("120 refusées") << "120" << "12" << 720;
        QTest::newRow("ancien maximum 2000") << "2000" << "20" << 1200;
        QTest::newRow("un chiffre") << "7" << "7" << 420;
        QTest::newRow("zéro") << "0" << "0" << 0;
        QTest::newRow("signe moins") << "-3" << "3" << 180;
        QTest::newRow("lettre") << "1a5" << "15" << 900;
    }

    void minutes_tapees()
    {
        QFETCH(QString, frappe);
        QFETCH(QString, texte);
        QFETCH(int, secondes);

        ouvrir_page("bouton_changer_temps_instant");
        auto* champ = element<QLineEdit>("ligne_nombre_minutes");
        champ->clear();
        QTest::keyClicks(champ, frappe);
        QCOMPARE(champ->text(), texte);
        QVERIFY(champ->hasAcceptableInput());
        cliquer("bouton_valider_temps_en_cours");
        QCOMPARE(fenetre->get_temps_restant_intervote(), secondes);
    }

    void chaque_ouverture_repart_du_code()
    {
        ouvrir_page("bouton_changer_temps_instant");
        element<QLineEdit>("ligne_nombre_minutes")->setText(QStringLiteral("12"));
        rouvrir();
        QCOMPARE(page(), page_code);
        QCOMPARE(element<QLineEdit>("ligne_nombre_minutes")->text(), QStringLiteral("5"));
        QCOMPARE(element<QLineEdit>("ligne_code_admin")->text(), QString());
    }

    void fermer()
    {
        options->show();
        ouvrir_page("bouton_fermer");
        QVERIFY(!options->isVisible());
        QCOMPARE(fenetre->get_temps_votes(), calendrier_defaut);
    }
};

TEST_SORDANE_MAIN(TestOptions)
#include "test_options.moc"
