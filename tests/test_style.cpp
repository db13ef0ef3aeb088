// La feuille de style du jeu donne à chaque sorte de widget et à chaque valeur de "style" l'aspect voulu : règles dans l'ordre, boutons de vote à 30 pt, bordures de 3 ou 5 pixels, couleurs de texte.
#include "demarrage.h"
#include "garde_messages.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFontInfo>
#include <QLCDNumber>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>
#include <QtTest>

namespace {
const QColor gris_bleu(0x93, 0xa8, 0xbe);
const QColor turquoise(0x05, 0xa5, 0xa5);
const QColor clair(0xe0, 0xe5, 0xec);
const QColor ardoise(0x27, 0x33, 0x40);
const QColor orange(0xfa, 0x7b, 0x0a);
const QColor noir(Qt::black);

struct Regle {
    QString selecteur;
    QStringList declarations;
};

QList<Regle> lire_regles(const QString& feuille)
{
    QList<Regle> regles;
    const QRegularExpression bloc(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    auto it = bloc.globalMatch(feuille);
    while (it.hasNext()) {
        const auto trouve = it.next();
        Regle regle{trouve.captured(1).trimmed(), {}};
        for (const QString& ligne : trouve.captured(2).split('\n')) {
            if (!ligne.trimmed().isEmpty())
                regle.declarations << ligne.trimmed();
        }
        regles << regle;
    }
    return regles;
}

QByteArray contenu_feuille()
{
    QFile fichier(QStringLiteral(":/Apparence/Style.qss"));
    fichier.open(QFile::ReadOnly);
    return fichier.readAll();
}

// Nombre de pixels de la couleur donnée depuis le bord gauche, à mi-hauteur.
int epaisseur_bordure(const QImage& image, const QColor& couleur)
{
    int x = 0;
    while (x < image.width() && image.pixelColor(x, image.height() / 2) == couleur)
        ++x;
    return x;
}

int pixels_de_couleur(const QImage& image, const QColor& couleur)
{
    int nombre = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            nombre += image.pixelColor(x, y) == couleur;
    }
    return nombre;
}
}

class TestStyle : public QObject
{
    Q_OBJECT

private:
    QMainWindow principale;
    QWidget* centre = nullptr;
    QDialog dialogue;

    template <typename T>
    T* creer(bool dans_dialogue, const QString& nom = QString(), const QString& style = QString())
    {
        QWidget* parent = dans_dialogue ? static_cast<QWidget*>(&dialogue) : centre;
        auto* widget = new T(parent);
        widget->setObjectName(nom);
        if (!style.isEmpty())
            widget->setProperty("style", style);
        parent->layout()->addWidget(widget);
        widget->show();
        widget->ensurePolished();
        return widget;
    }

    void repolir(QWidget* widget)
    {
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
    }

private slots:
    void initTestCase()
    {
        Demarrage::charger_polices();
        Demarrage::appliquer_feuille_de_style(*qApp);
        QVERIFY(!qApp->styleSheet().isEmpty());
        centre = new QWidget(&principale);
        new QVBoxLayout(centre);
        principale.setCentralWidget(centre);
        new QVBoxLayout(&dialogue);
        principale.resize(400, 300);
        principale.show();
        dialogue.show();
        QVERIFY(QTest::qWaitForWindowExposed(&principale));
        QVERIFY(QTest::qWaitForWindowExposed(&dialogue));
    }

    void cleanup()
    {
        qDeleteAll(centre->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
        qDeleteAll(dialogue.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    }

    void feuille_en_ascii_avec_sauts_de_ligne()
    {
        const QByteArray octets = contenu_feuille();
        QVERIFY(!octets.isEmpty());
        QVERIFY(!octets.contains('\r'));
        for (char octet : octets)
            QVERIFY(static_cast<unsigned char>(octet) < 0x80);
        QVERIFY(octets.endsWith('\n'));
    }

    void regles_dans_l_ordre_data()
    {
        QTest::addColumn<int>("rang");
        QTest::addColumn<QString>("selecteur");
        QTest::addColumn<QStringList>("declarations");

        const QList<Regle> attendues = {
            {"QMainWindow", {"border-image: url(:/Apparence/Fond.png) 0 0 0 0 stretch stretch;"}},
            {"QDialog", {"background-color : #e0e5ec;"}},
            {"QDialog QLabel", {"color : black;"}},
            {"QDialog QPushButton", {"color : black;", "border : 3px solid #93a8be;", "padding : 0px 8px;"}},
            {"QDialog QPushButton:hover", {"border : 3px solid #05a5a5;"}},
            {"QDialog QLineEdit", {"border: 3px solid #93a8be;", "background: white;", "color : black;", "outline: none;",
                                   "font-family : 'Xolonium';", "padding: 2px 0;"}},
            {"QLabel", {"color : #e0e5ec;", "font-family : 'Xolonium';"}},
            {"QLabel#label_vote_invalide", {"color : #fa7b0a;"}},
            {"QLabel#label_Accuse3", {"color : #fa7b0a;"}},
            {"QLabel#label_presentateur", {"color : #05a5a5;"}},
            {"QLabel[style=\"labeldeplacable\"]", {"border : 3px solid #93a8be;", "background-color : black;"}},
            {"QLabel[style=\"cadrevote\"]", {"border : 3px solid #93a8be;", "background-color : black;"}},
            {"QLabel[style=\"cadrevoteEnterEvent\"]", {"border : 3px solid #05a5a5;", "background-color : black;"}},
            {"QLabel[style=\"cadrevoteRempli\"]", {"border : 3px solid #e0e5ec;", "background-color : black;"}},
            {"QPushButton", {"border : 5px solid #93a8be;", "background : transparent;", "color : #e0e5ec;",
                             "font-family : 'Xolonium';", "padding : 0px 8px;"}},
            {"QPushButton:hover", {"border : 5px solid #05a5a5;"}},
            {"QPushButton[style=\"boutonvote\"]", {"font-size : 30pt;"}},
            {"QPushButton[style=\"boutonvote\"]:disabled", {"border-color : black;", "color : #273340;"}},
            {"QPushButton[style=\"boutonok\"]", {"border : 3px solid #93a8be;", "padding : 0px 8px;"}},
            {"QPushButton[style=\"boutonok\"]:hover", {"border : 3px solid #05a5a5;"}},
            {"QLCDNumber", {"color : #273340;"}},
            {"QLineEdit", {"border: 3px solid #93a8be;", "background: #0a0c0f;", "color : #e0e5ec;", "outline: none;",
                           "font-family : 'Xolonium';", "padding: 2px 0;"}},
            {"QComboBox", {"border: 3px solid #93a8be;", "background: #0a0c0f;", "color : #e0e5ec;",
                           "font-family : 'Xolonium';", "selection-background-color: #05a5a5;"}},
            {"QComboBox:disabled", {"border: 3px solid #93a8be;", "background: #e0e5ec;", "color : black;",
                                    "font-family : 'Xolonium';", "selection-background-color: #e0e5ec;"}},
            {"QComboBox::down-arrow:disabled", {"image: none;"}},
            {"QComboBox QListView", {"background-color: #0a0c0f;", "color : #e0e5ec;"}},
        };
        for (int i = 0; i < attendues.size(); ++i) {
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(i + 1).arg(attendues[i].selecteur)))
                << i << attendues[i].selecteur << attendues[i].declarations;
        }
    }

    void regles_dans_l_ordre()
    {
        QFETCH(int, rang);
        QFETCH(QString, selecteur);
        QFETCH(QStringList, declarations);

        const QList<Regle> regles = lire_regles(QString::fromLatin1(contenu_feuille()));
        QCOMPARE(regles.size(), 26);
        QCOMPARE(regles[rang].selecteur, selecteur);
        QCOMPARE(regles[rang].declarations, declarations);
    }

    void bouton_de_vote_data()
    {
        QTest::addColumn<bool>("desactiver");
        QTest::addColumn<bool>("reactiver");
        QTest::addColumn<QColor>("bordure");
        QTest::addColumn<QColor>("texte");
        QTest::addColumn<QColor>("texte_absent");

        QTest::newRow("actif") << false << false << gris_bleu << clair << ardoise;
        QTest::newRow("desactive") << true << false << noir << ardoise << clair;
        QTest::newRow("reactive") << true << true << gris_bleu << clair << ardoise;
    }

    void bouton_de_vote()
    {
        QFETCH(bool, desactiver);
        QFETCH(bool, reactiver);
        QFETCH(QColor, bordure);
        QFETCH(QColor, texte);
        QFETCH(QColor, texte_absent);

        auto* bouton = creer<QPushButton>(false, QStringLiteral("bouton_hyene"), QStringLiteral("boutonvote"));
        bouton->setText(QStringLiteral("Hyène"));
        bouton->setFixedSize(300, 100);
        if (desactiver)
            bouton->setEnabled(false);
        if (reactiver)
            bouton->setEnabled(true);

        QCOMPARE(bouton->font().pointSize(), 30);
        QCOMPARE(QFontInfo(bouton->font()).family(), QStringLiteral("Xolonium"));
        const QImage image = bouton->grab().toImage();
        QCOMPARE(epaisseur_bordure(image, bordure), 5);
        QVERIFY(pixels_de_couleur(image, texte) > 20);
        QCOMPARE(pixels_de_couleur(image, texte_absent), 0);
    }

    void bordure_des_boutons_data()
    {
        QTest::addColumn<bool>("dans_dialogue");
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("survol");
        QTest::addColumn<QColor>("couleur");
        QTest::addColumn<int>("epaisseur");

        QTest::newRow("normal") << false << "" << false << gris_bleu << 5;
        QTest::newRow("normal survole") << false << "" << true << turquoise << 5;
        QTest::newRow("boutonok") << false << "boutonok" << false << gris_bleu << 3;
        QTest::newRow("boutonok survole") << false << "boutonok" << true << turquoise << 3;
        QTest::newRow("dialogue") << true << "" << false << gris_bleu << 3;
        QTest::newRow("dialogue survole") << true << "" << true << turquoise << 3;
    }

    void bordure_des_boutons()
    {
        QFETCH(bool, dans_dialogue);
        QFETCH(QString, style);
        QFETCH(bool, survol);
        QFETCH(QColor, couleur);
        QFETCH(int, epaisseur);

        auto* bouton = creer<QPushButton>(dans_dialogue, QStringLiteral("bouton_ok"), style);
        bouton->setText(QStringLiteral("Valider"));
        bouton->setFixedSize(200, 60);
        // Le pointeur est amené sur le bouton, ou dans la marge de sa fenêtre.
        if (survol)
            QTest::mouseMove(bouton, bouton->rect().center());
        else
            QTest::mouseMove(bouton->window(), QPoint(1, 1));
        QCOMPARE(bouton->underMouse(), survol);
        QCOMPARE(epaisseur_bordure(bouton->grab().toImage(), couleur), epaisseur);
    }

    void couleurs_de_texte_data()
    {
        QTest::addColumn<QString>("classe");
        QTest::addColumn<bool>("dans_dialogue");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QColor>("couleur");

        QTest::newRow("etiquette") << "QLabel" << false << "label_phase" << clair;
        QTest::newRow("vote invalide") << "QLabel" << false << "label_vote_invalide" << orange;
        QTest::newRow("rappel accueil") << "QLabel" << false << "label_Accuse3" << orange;
        QTest::newRow("presentateur") << "QLabel" << false << "label_presentateur" << turquoise;
        QTest::newRow("etiquette de dialogue") << "QLabel" << true << "label_code_admin" << noir;
        QTest::newRow("compteur") << "QLCDNumber" << false << "compteur_temps" << ardoise;
    }

    void couleurs_de_texte()
    {
        QFETCH(QString, classe);
        QFETCH(bool, dans_dialogue);
        QFETCH(QString, nom);
        QFETCH(QColor, couleur);

        QWidget* widget = classe == QLatin1String("QLabel") ? static_cast<QWidget*>(creer<QLabel>(dans_dialogue, nom))
                                                           : creer<QLCDNumber>(dans_dialogue, nom);
        QCOMPARE(widget->palette().color(QPalette::WindowText), couleur);
    }

    void etiquette_sans_repolissage()
    {
        auto* etiquette = creer<QLabel>(false, QStringLiteral("cadre_1"), QStringLiteral("cadrevote"));
        etiquette->setFixedSize(200, 50);
        QCOMPARE(epaisseur_bordure(etiquette->grab().toImage(), gris_bleu), 3);
        etiquette->setProperty("style", "cadrevoteRempli");
        QCOMPARE(epaisseur_bordure(etiquette->grab().toImage(), gris_bleu), 3);
        repolir(etiquette);
        QCOMPARE(epaisseur_bordure(etiquette->grab().toImage(), clair), 3);
    }
};

TEST_SORDANE_MAIN(TestStyle)
#include "test_style.moc"
