// Le dépouillement sur des parties entières : une égalité qui comprend des
// écartés n'en tire jamais un, les deux sauvés s'affichent dans l'ordre du
// rôle, et le rapport a un bloc par vote ordinaire tenu, ni plus ni moins.
#include "garde_messages.h"
#include "partie_courte.h"
#include "soiree.h"

#include "accuse.h"
#include "cadre_vote.h"
#include "rapport.h"

#include <QDate>
#include <QFile>
#include <QtTest>
#include <memory>

namespace {
using namespace PartieCourte;
constexpr int nombre_accuses = 9;
constexpr int nombre_cadres = 8;
constexpr int points_finaux = 9;
const QString ligne_en_jeu = QStringLiteral("0;0;0;0;0");
const QString neuf_zeros = QStringLiteral("0;0;0;0;0;0;0;0;0");

QList<int> ecartes(MainWindow& fenetre)
{
    QList<int> resultat;
    for (const Accuse* accuse : fenetre.get_accuses())
        if (accuse->get_ecarte())
            resultat.append(accuse->get_index());
    return resultat;
}

// Une sauvegarde au vote final : les accusés donnés écartés aux votes 1 à 8.
QByteArray sauvegarde_au_vote_final(const QList<int>& ordre)
{
    QStringList joueurs;
    for (int i = 0; i < nombre_accuses; ++i)
        joueurs.append(ligne_en_jeu);
    for (int vote = 1; vote <= ordre.size(); ++vote)
        joueurs[ordre[vote - 1]] = QStringLiteral("1;%1;0;0;0").arg(vote);
    QStringList lignes = QStringList{QString::number(ordre.size()), QStringLiteral("0")} + joueurs;
    for (int i = 0; i < 3 * nombre_accuses; ++i)
        lignes.append(neuf_zeros);
    return (lignes.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}
}

class TestDepouillement : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void egalite_avec_des_ecartes();
    void deuxieme_sauve_avant_le_premier_dans_le_role();
    void un_bloc_par_vote_tenu_data();
    void un_bloc_par_vote_tenu();

private:
    std::unique_ptr<Soiree> soiree;
};

void TestDepouillement::cleanup()
{
    soiree.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Personne ne vote : chacun a sa seule voix, les écartés compris, et tous sont
// à égalité. Le tirage ne prend jamais qu'un accusé encore en jeu.
void TestDepouillement::egalite_avec_des_ecartes()
{
    soiree = std::make_unique<Soiree>();
    MainWindow& fenetre = soiree->fenetre();
    QVERIFY(commencer(*soiree));
    for (int vote = 1; vote < nombre_accuses; ++vote) {
        const QList<int> avant = ecartes(fenetre);
        QVERIFY(jouer_vote(*soiree, {}));
        const QList<int> apres = ecartes(fenetre);
        QCOMPARE(apres.size(), avant.size() + 1);
        for (int index : avant)
            QVERIFY(apres.contains(index));
        for (const Accuse* accuse : fenetre.get_accuses()) {
            QCOMPARE(accuse->get_votes_recus(vote - 1), 1);
            QCOMPARE(accuse->get_vote_second_ecartement(), 0);
        }
    }
    QVERIFY(fenetre.phase_finale());
    QCOMPARE(fenetre.get_nombre_ecartes(), nombre_cadres);
}

// Vautour, dernier du rôle, est le premier sauvé ; son seul bulletin place
// Cafard en tête et le sauve aussi. La page des sauvés les donne dans l'ordre du rôle.
void TestDepouillement::deuxieme_sauve_avant_le_premier_dans_le_role()
{
    const QList<int> ordre = {Chacal, Chien, Cochon, Hyene, Rat, Requin, Serpent, Cafard};
    soiree = std::make_unique<Soiree>();
    MainWindow& fenetre = soiree->fenetre();
    {
        QFile fichier(fenetre.get_chemin_sauvegarde());
        QVERIFY(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
        fichier.write(sauvegarde_au_vote_final(ordre));
    }
    QTest::mouseClick(soiree->bouton("bouton_charger"), Qt::LeftButton);
    QVERIFY(soiree->attendre_page(page_intervote, limite_attente_ms));
    QVERIFY(fenetre.phase_finale());

    QList<int> classement = ordre;
    classement.move(classement.indexOf(Cafard), 0);
    soiree->ouvrir_code();
    QTimer::singleShot(1000, &fenetre, [&] {
        for (int position = 0; position < nombre_cadres; ++position)
            soiree->widget<Cadre_vote>(qPrintable(QStringLiteral("cadre_%1").arg(position + 1)))
                ->placer_nom(fenetre.get_accuses()[classement[position]]->get_nom());
        QTest::mouseClick(soiree->bouton("bouton_valider_vote_final"), Qt::LeftButton);
    });
    soiree->taper_code(codes[Vautour]);
    QCOMPARE(fenetre.get_accuses()[Cafard]->get_votes_recus(points_finaux), 1);
    QVERIFY(finir(*soiree));

    QVERIFY(fenetre.get_accuses()[Cafard]->get_sauve());
    QVERIFY(fenetre.get_accuses()[Vautour]->get_sauve());
    QCOMPARE(soiree->label("label_sauve_1")->text(), QStringLiteral("Cafard"));
    QCOMPARE(soiree->label("label_sauve_2")->text(), QStringLiteral("Vautour"));
}

void TestDepouillement::un_bloc_par_vote_tenu_data()
{
    QTest::addColumn<int>("vote_du_code");
    QTest::addColumn<bool>("utilisateur_ecarte");
    QTest::addColumn<int>("votes_tenus");
    // Le code écarte son utilisateur en plus de l'écarté du vote : un vote de moins.
    QTest::newRow("code qui écarte au vote 1 : sept votes") << 1 << false << 7;
    // Réhabilité au vote 6, un écarté revient en jeu : un vote de plus.
    QTest::newRow("réhabilitation au vote 6 : neuf votes") << 6 << true << 9;
}

// Des votes sans bulletin, le code de la seconde chance au vote donné, puis le
// vote final et la page de fin : le rapport a un bloc par vote tenu, chacun de
// neuf voix, et celui du vote final.
void TestDepouillement::un_bloc_par_vote_tenu()
{
    QFETCH(int, vote_du_code);
    QFETCH(bool, utilisateur_ecarte);
    QFETCH(int, votes_tenus);
    soiree = std::make_unique<Soiree>();
    MainWindow& fenetre = soiree->fenetre();
    const int utilisateur = jouer_avec_le_code(*soiree, vote_du_code, utilisateur_ecarte);
    QVERIFY(utilisateur >= 0);
    QCOMPARE(fenetre.get_numero_vote(), votes_tenus);
    QVERIFY(finir(*soiree));

    const QString texte = Rapport::texte(fenetre.get_accuses(), fenetre.get_numero_vote(), QDate::currentDate());
    const QStringList lignes = texte.split(QLatin1Char('\n'));
    QCOMPARE(texte.count(QStringLiteral("********** Vote ")), votes_tenus + 1);
    QVERIFY(lignes.contains(QStringLiteral("********** Vote final **********")));
    for (int numero = 1; numero <= votes_tenus; ++numero) {
        const QStringList bloc = Soiree::bloc_du_rapport(lignes, QStringLiteral("********** Vote %1 **********").arg(numero));
        QVERIFY2(!bloc.isEmpty(), qPrintable(QStringLiteral("pas de bloc pour le vote %1").arg(numero)));
        const QString total = bloc.filter(QStringLiteral("Total votes contre :")).value(0);
        int somme = 0;
        for (const QString& champ : total.split(QLatin1Char(';')).mid(1))
            somme += champ.toInt();
        QCOMPARE(somme, nombre_accuses);
    }
    QCOMPARE(fenetre.get_accuses()[utilisateur]->get_vote_seconde_chance(), vote_du_code);
}

TEST_SORDANE_MAIN(TestDepouillement)
#include "test_depouillement.moc"
