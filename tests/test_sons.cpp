// Chaque enregistrement du jeu est compilé dans le programme, en WAV PCM que QSound sait lire, et tient dans l'attente qui le suit.
#include "garde_messages.h"
#include "sons_attendus.h"

#include <QtTest>

class TestSons : public QObject {
    Q_OBJECT

private slots:
    void chaque_son_est_un_wav_pcm_qui_tient_dans_son_attente_data();
    void chaque_son_est_un_wav_pcm_qui_tient_dans_son_attente();
    void la_lecture_de_l_entete_repere_un_son_tronque();
};

void TestSons::chaque_son_est_un_wav_pcm_qui_tient_dans_son_attente_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<int>("duree_min_ms");
    QTest::addColumn<int>("duree_max_ms");
    for (const SonAttendu& son : sons_attendus())
        QTest::newRow(qPrintable(son.chemin)) << son.chemin << son.duree_min_ms << son.duree_max_ms;
}

void TestSons::chaque_son_est_un_wav_pcm_qui_tient_dans_son_attente()
{
    QFETCH(QString, chemin);
    QFETCH(int, duree_min_ms);
    QFETCH(int, duree_max_ms);

    QVERIFY2(QFile::exists(chemin), "absent des ressources compilées");
    const EnteteWav entete = lire_entete_ressource(chemin);
    QVERIFY2(entete.lisible, "en-tête RIFF/WAVE illisible");
    QCOMPARE(entete.format, 1);
    QCOMPARE(entete.bits, 16);
    QVERIFY(entete.canaux == 1 || entete.canaux == 2);
    QVERIFY(entete.taux >= 16000 && entete.taux <= 48000);

    const double duree = entete.duree_ms();
    QVERIFY2(duree >= duree_min_ms - 0.5 && duree <= duree_max_ms + 0.5,
             qPrintable(QStringLiteral("dure %1 ms, attendu de %2 à %3 ms")
                            .arg(duree, 0, 'f', 1).arg(duree_min_ms).arg(duree_max_ms)));
}

// Un fichier coupé en cours de route ne doit pas passer pour un son complet.
void TestSons::la_lecture_de_l_entete_repere_un_son_tronque()
{
    QFile fichier(QStringLiteral(":/Sons/Noms_d_animaux/Accuserat.wav"));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    const QByteArray complet = fichier.readAll();
    const EnteteWav entier = lire_entete_wav(complet);
    const EnteteWav moitie = lire_entete_wav(complet.left(complet.size() / 2));
    QVERIFY(entier.lisible && moitie.lisible);
    QVERIFY(moitie.duree_ms() < entier.duree_ms() * 0.6);
    QVERIFY(!lire_entete_wav(complet.left(30)).lisible);
    QVERIFY(!lire_entete_wav(QByteArray("RIFF\0\0\0\0WAVX", 12)).lisible);
}

TEST_SORDANE_SANS_IHM_MAIN(TestSons)
#include "test_sons.moc"
