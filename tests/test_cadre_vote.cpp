// Un cadre de vote ne retient que l'un des neuf noms, suit son état par la propriété "style" et se re-polit à chaque changement d'état.
#include "cadre_vote.h"
#include "constantes.h"
#include "garde_messages.h"

#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>

namespace {
const QString vide = QStringLiteral("cadrevote");
const QString survole = QStringLiteral("cadrevoteEnterEvent");
const QString rempli = QStringLiteral("cadrevoteRempli");
const QColor bordure_vide(0x93, 0xa8, 0xbe);
const QColor bordure_survol(0x05, 0xa5, 0xa5);
const QColor bordure_rempli(0xe0, 0xe5, 0xec);
const QPoint milieu(100, 25);

QString style_de(const QWidget& widget)
{
    return widget.property("style").toString();
}
}

class TestCadreVote : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> page;
    Cadre_vote* cadre = nullptr;

    void remplir(const QString& nom)
    {
        if (!nom.isEmpty())
            cadre->placer_nom(nom);
    }

    bool entrer(const QMimeData& donnees)
    {
        QDragEnterEvent entree(milieu, Qt::MoveAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(cadre, &entree);
        return entree.isAccepted();
    }

    void sortir()
    {
        QDragLeaveEvent sortie;
        QCoreApplication::sendEvent(cadre, &sortie);
    }

    Qt::DropAction deposer(const QString& texte)
    {
        QMimeData donnees;
        donnees.setText(texte);
        entrer(donnees);
        QDropEvent depot(milieu, Qt::MoveAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(cadre, &depot);
        return depot.isAccepted() ? depot.dropAction() : Qt::IgnoreAction;
    }

    QColor couleur_bordure()
    {
        return cadre->grab().toImage().pixelColor(1, cadre->height() / 2);
    }

private slots:
    void initTestCase()
    {
        QFile feuille(QStringLiteral(":/Apparence/Style.qss"));
        QVERIFY(feuille.open(QFile::ReadOnly));
        qApp->setStyleSheet(QString::fromLatin1(feuille.readAll()));
    }

    void init()
    {
        page = std::make_unique<QWidget>();
        auto* boite = new QVBoxLayout(page.get());
        cadre = new Cadre_vote(page.get());
        cadre->setMinimumSize(200, 50);
        // Comme la fenêtre une fois affichée : les cadres acceptent les dépôts.
        cadre->setAcceptDrops(true);
        boite->addWidget(cadre);
    }

    void cleanup()
    {
        page.reset();
    }

    void construction()
    {
        Cadre_vote neuf;
        QCOMPARE(neuf.text(), QString());
        QCOMPARE(neuf.alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
        QCOMPARE(neuf.font().pixelSize(), 20);
        QCOMPARE(neuf.get_index_accuse(), Jeu::aucun_accuse);
        QCOMPARE(neuf.get_index_remplace(), Jeu::aucun_accuse);
        QCOMPARE(style_de(neuf), vide);
        QCOMPARE(neuf.property("type").toString(), QStringLiteral("deplacable"));
        QVERIFY(!neuf.acceptDrops());
    }

    void placer_nom_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("index");

        for (int i = 0; i < Jeu::nombre_accuses; ++i)
            QTest::newRow(roster[i].nom) << QString::fromUtf8(roster[i].nom) << i;
    }

    void placer_nom()
    {
        QFETCH(QString, nom);
        QFETCH(int, index);

        cadre->placer_nom(QStringLiteral("Cochon"));
        deposer(QStringLiteral("Rat"));
        cadre->placer_nom(nom);
        QCOMPARE(cadre->text(), nom);
        QCOMPARE(cadre->get_index_accuse(), index);
        QCOMPARE(style_de(*cadre), rempli);
        QCOMPARE(cadre->get_index_remplace(), 3);
    }

    void nom_inconnu_ne_change_rien_data()
    {
        QTest::addColumn<QString>("depart");
        QTest::addColumn<QString>("nom");

        QTest::newRow("sans accent") << "Serpent" << "Hyene";
        QTest::newRow("minuscules") << "Serpent" << "hyène";
        QTest::newRow("espace final") << "Serpent" << "Cafard ";
        QTest::newRow("vide sur rempli") << "Serpent" << "";
        QTest::newRow("inconnu sur vide") << "" << "Lapin";
    }

    void nom_inconnu_ne_change_rien()
    {
        QFETCH(QString, depart);
        QFETCH(QString, nom);

        remplir(depart);
        const int index = cadre->get_index_accuse();
        const QString style = style_de(*cadre);
        cadre->placer_nom(nom);
        QCOMPARE(cadre->text(), depart);
        QCOMPARE(cadre->get_index_accuse(), index);
        QCOMPARE(style_de(*cadre), style);
    }

    void vider_garde_l_index_remplace()
    {
        cadre->placer_nom(QStringLiteral("Cochon"));
        deposer(QStringLiteral("Chien"));
        QCOMPARE(cadre->get_index_remplace(), 3);
        cadre->vider();
        QCOMPARE(cadre->text(), QString());
        QCOMPARE(cadre->get_index_accuse(), Jeu::aucun_accuse);
        QCOMPARE(style_de(*cadre), vide);
        QCOMPARE(cadre->get_index_remplace(), 3);
        cadre->oublier_index_remplace();
        QCOMPARE(cadre->get_index_remplace(), Jeu::aucun_accuse);
    }

    void survol_data()
    {
        QTest::addColumn<QString>("depart");
        QTest::addColumn<bool>("avec_texte");
        QTest::addColumn<QString>("apres_sortie");

        QTest::newRow("vide") << "" << true << vide;
        QTest::newRow("rempli") << "Requin" << true << rempli;
        QTest::newRow("vide, charge sans texte") << "" << false << vide;
        QTest::newRow("rempli, charge sans texte") << "Requin" << false << rempli;
    }

    void survol()
    {
        QFETCH(QString, depart);
        QFETCH(bool, avec_texte);
        QFETCH(QString, apres_sortie);

        remplir(depart);
        QMimeData donnees;
        if (avec_texte)
            donnees.setText(QStringLiteral("Vautour"));
        QVERIFY(entrer(donnees));
        QCOMPARE(style_de(*cadre), survole);
        QCOMPARE(cadre->text(), depart);
        sortir();
        QCOMPARE(style_de(*cadre), apres_sortie);
        QCOMPARE(cadre->text(), depart);
    }

    // Un cadre source d'un glisser garde son index mais plus son texte :
    // la sortie le remet en "rempli" d'après l'index.
    void sortie_d_un_cadre_source()
    {
        cadre->placer_nom(QStringLiteral("Rat"));
        cadre->setText(QString());
        QMimeData donnees;
        donnees.setText(QStringLiteral("Rat"));
        entrer(donnees);
        sortir();
        QCOMPARE(style_de(*cadre), rempli);
        QCOMPARE(cadre->get_index_accuse(), 5);
    }

    void depot_data()
    {
        QTest::addColumn<QString>("depart");
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QString>("texte_attendu");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("remplace");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("style");

        const int deplacer = Qt::MoveAction;
        const int ignorer = Qt::IgnoreAction;
        QTest::newRow("nom sur vide") << "" << "Cochon" << "Cochon" << 3 << Jeu::aucun_accuse << deplacer << rempli;
        QTest::newRow("nom sur rempli") << "Rat" << "Hyène" << "Hyène" << 4 << 5 << deplacer << rempli;
        QTest::newRow("meme nom") << "Rat" << "Rat" << "Rat" << 5 << 5 << deplacer << rempli;
        // Texte étranger : rien n'est remplacé et l'aspect revient à l'état du cadre.
        QTest::newRow("etranger sur rempli") << "Rat" << "bonjour" << "Rat" << 5 << Jeu::aucun_accuse << ignorer << rempli;
        QTest::newRow("etranger sur vide") << "" << "rat" << "" << Jeu::aucun_accuse << Jeu::aucun_accuse << ignorer << vide;
    }

    void depot()
    {
        QFETCH(QString, depart);
        QFETCH(QString, texte);
        QFETCH(QString, texte_attendu);
        QFETCH(int, index);
        QFETCH(int, remplace);
        QFETCH(int, action);
        QFETCH(QString, style);

        remplir(depart);
        QCOMPARE(int(deposer(texte)), action);
        QCOMPARE(cadre->text(), texte_attendu);
        QCOMPARE(cadre->get_index_accuse(), index);
        QCOMPARE(cadre->get_index_remplace(), remplace);
        QCOMPARE(style_de(*cadre), style);
    }

    void bordure_suit_chaque_etat()
    {
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        QCOMPARE(couleur_bordure(), bordure_vide);

        QMimeData donnees;
        donnees.setText(QStringLiteral("Chacal"));
        entrer(donnees);
        QCOMPARE(couleur_bordure(), bordure_survol);
        sortir();
        QCOMPARE(couleur_bordure(), bordure_vide);
        cadre->placer_nom(QStringLiteral("Chacal"));
        QCOMPARE(couleur_bordure(), bordure_rempli);
        deposer(QStringLiteral("Chien"));
        QCOMPARE(couleur_bordure(), bordure_rempli);
        cadre->vider();
        QCOMPARE(couleur_bordure(), bordure_vide);
    }

    // Témoin : sans re-polissage la feuille n'est pas réévaluée, ce qui prouve
    // que le test précédent mesure bien le re-polissage du cadre.
    void sans_repolissage_la_bordure_ne_change_pas()
    {
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        QCOMPARE(couleur_bordure(), bordure_vide);
        cadre->setProperty("style", survole);
        QCOMPARE(couleur_bordure(), bordure_vide);
    }
};

TEST_SORDANE_MAIN(TestCadreVote)
#include "test_cadre_vote.moc"
