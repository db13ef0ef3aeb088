// La boîte « Quitter » ne change rien à la soirée qu'on ne quitte pas : « Non » sur
// la page de fin la laisse telle quelle, « Options » pendant un discours ouvre les
// options par-dessus sans écourter ni allonger l'attente du discours.
#include "garde_messages.h"
#include "partie_courte.h"

#include "accuse.h"
#include "fenetre_options.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>

namespace {
constexpr int page_discours = 6;
constexpr int une_minute_ms = 60000;
constexpr int intervalle_images_ms = 150;
// Échap en plein discours d'introduction (80 s), les options ouvertes 40 s.
constexpr int echap_dans_l_introduction_ms = 20000;
constexpr int options_ouvertes_ms = 40000;
// Plus de deux cents images du fond animé passent pendant ces 40 s ; on en demande bien moins.
constexpr int changements_d_image_minimum = 50;
const QString debut_date = QStringLiteral("Date : ");

QString contenu(const QString& chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? QString::fromUtf8(fichier.readAll()) : QString();
}

// Ce que la page de fin doit garder : la page, le vote, chaque accusé.
QStringList etat(Soiree& soiree)
{
    QStringList lignes = {QString::number(soiree.page()), QString::number(soiree.fenetre().get_numero_vote()),
                          QString::number(soiree.fenetre().get_nombre_ecartes())};
    for (const Accuse* accuse : soiree.fenetre().get_accuses())
        lignes << QStringLiteral("%1 %2 %3").arg(accuse->get_nom()).arg(accuse->get_ecarte()).arg(accuse->get_sauve());
    return lignes;
}
}

class TestCommandes : public QObject
{
    Q_OBJECT

private slots:
    void non_sur_la_page_de_fin();
    void options_pendant_un_discours();

private:
    QString enregistrer_rapport(Soiree& soiree, const QString& chemin);

    QTemporaryDir dossier;
};

// Le bouton de la page de fin, le chemin tapé dans le dialogue ; rend le
// rapport écrit, sans sa date.
QString TestCommandes::enregistrer_rapport(Soiree& soiree, const QString& chemin)
{
    Soiree::repondre<QFileDialog>([&](QFileDialog* dialogue) { Soiree::taper_chemin(dialogue, chemin); });
    soiree.bouton("bouton_rapport")->click();
    QStringList lignes = contenu(chemin).split(QLatin1Char('\n'));
    lignes.erase(std::remove_if(lignes.begin(), lignes.end(),
                                [](const QString& ligne) { return ligne.startsWith(debut_date); }),
                 lignes.end());
    return lignes.join(QLatin1Char('\n'));
}

void TestCommandes::non_sur_la_page_de_fin()
{
    Soiree soiree;
    QVERIFY(PartieCourte::commencer(soiree));
    QVERIFY(PartieCourte::jouer_jusqu_au_vote_final(soiree, {}));
    QVERIFY(PartieCourte::finir(soiree));
    const QString rapport_avant = enregistrer_rapport(soiree, dossier.filePath(QStringLiteral("avant.csv")));
    QVERIFY(rapport_avant.contains(QStringLiteral("Vote final")));
    const QStringList etat_avant = etat(soiree);
    const QString sauvegarde_avant = contenu(soiree.fenetre().get_chemin_sauvegarde());

    QString question;
    Soiree::repondre<QMessageBox>([&](QMessageBox* boite) {
        question = boite->text();
        boite->button(QMessageBox::No)->click();
    });
    QTest::keyClick(&soiree.fenetre(), Qt::Key_Escape);
    QCOMPARE(question, QStringLiteral("Êtes-vous sûr·e de vouloir quitter ?"));

    // Une minute de jeu plus tard, rien n'a bougé, et le rapport s'enregistre toujours.
    QTest::qWait(une_minute_ms);
    QVERIFY(soiree.fenetre().isVisible());
    QCOMPARE(soiree.page(), PartieCourte::page_fin);
    QCOMPARE(etat(soiree), etat_avant);
    QCOMPARE(contenu(soiree.fenetre().get_chemin_sauvegarde()), sauvegarde_avant);
    QCOMPARE(enregistrer_rapport(soiree, dossier.filePath(QStringLiteral("apres.csv"))), rapport_avant);
}

// Échap pendant l'introduction, « Options » : la fenêtre d'options s'ouvre sur la
// page du discours, le fond animé continue dessous, et la présentation du premier
// vote arrive 80 s après l'introduction, comme sans la boîte.
void TestCommandes::options_pendant_un_discours()
{
    Soiree soiree;
    int page_sous_les_options = -1;
    double ouverture = -1;
    double fermeture = -1;
    int changements_d_image = 0;
    qint64 image_vue = 0;
    auto* image = soiree.label("label_image");
    QTimer releve_images;
    releve_images.setInterval(intervalle_images_ms);
    connect(&releve_images, &QTimer::timeout, [&] {
        const qint64 cle = image->pixmap(Qt::ReturnByValue).cacheKey();
        changements_d_image += cle != image_vue ? 1 : 0;
        image_vue = cle;
    });

    QTimer reponse;
    Soiree::repondre_par_les_options(reponse, [&](Fenetre_options* options) {
        page_sous_les_options = soiree.page();
        ouverture = soiree.maintenant();
        releve_images.start();
        QTimer::singleShot(options_ouvertes_ms, options, [&, options] {
            releve_images.stop();
            fermeture = soiree.maintenant();
            options->close();
        });
    });
    QTimer::singleShot(echap_dans_l_introduction_ms, &soiree.fenetre(), [&] {
        reponse.start();
        QTest::keyClick(&soiree.fenetre(), Qt::Key_Escape);
    });
    QTest::mouseClick(soiree.bouton("bouton_demarrer"), Qt::LeftButton);

    QCOMPARE(page_sous_les_options, page_discours);
    QVERIFY(fermeture > ouverture);
    QVERIFY2(changements_d_image >= changements_d_image_minimum, qPrintable(QString::number(changements_d_image)));
    const QList<Annonce> annonces = soiree.annonces();
    QVERIFY(annonces.size() >= 3);
    QCOMPARE(annonces[1].son, QStringLiteral("Jeumeurtrierintroduction.wav"));
    QCOMPARE(annonces[2].son, QStringLiteral("Presentationpremiervote.wav"));
    QVERIFY(fermeture < annonces[2].instant);
    VERIFIER_ECART(soiree, annonces[1].instant, annonces[2].instant, 80);
    QVERIFY(soiree.attendre_page(PartieCourte::page_intervote, limite_attente_ms));
    VERIFIER_ECART(soiree, annonces[0].instant, soiree.instant_page(PartieCourte::page_intervote, 0), 233);
}

TEST_SORDANE_MAIN(TestCommandes)
#include "test_commandes.moc"
