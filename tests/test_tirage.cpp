// Le tirage au sort d'une égalité mélange la liste exactement comme le jeu d'origine
// (même graine, même ordre) et, sur de nombreuses graines, chaque ex aequo peut l'emporter.
#include "garde_messages.h"
#include "tirage.h"

#include <QtTest>

class TestTirage : public QObject
{
    Q_OBJECT

private slots:
    void ordre_selon_la_graine_data();
    void ordre_selon_la_graine();
    void chaque_ex_aequo_peut_etre_tire_data();
    void chaque_ex_aequo_peut_etre_tire();
    void liste_d_un_seul_element_inchangee();
};

// Ordres attendus calculés à part avec tools/tirage_reference.py
// (et vérifiés à la main pour la graine 5489).
void TestTirage::ordre_selon_la_graine_data()
{
    QTest::addColumn<quint32>("graine");
    QTest::addColumn<QList<int>>("liste");
    QTest::addColumn<QList<int>>("attendu");
    QTest::newRow("graine 0, deux ex aequo") << 0u << QList<int>{2, 5} << QList<int>{2, 5};
    QTest::newRow("graine 1, deux ex aequo") << 1u << QList<int>{2, 5} << QList<int>{5, 2};
    QTest::newRow("graine 5489, trois") << 5489u << QList<int>{0, 3, 7} << QList<int>{7, 3, 0};
    QTest::newRow("graine 1234567, trois") << 1234567u << QList<int>{4, 5, 6} << QList<int>{5, 6, 4};
    QTest::newRow("une date de 2025, cinq") << 1765000000u << QList<int>{1, 2, 4, 6, 8} << QList<int>{2, 8, 6, 4, 1};
    QTest::newRow("graine 42, huit") << 42u << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << QList<int>{4, 0, 2, 3, 7, 6, 1, 5};
    QTest::newRow("graine maximale") << 4294967295u << QList<int>{3, 8} << QList<int>{8, 3};
}

void TestTirage::ordre_selon_la_graine()
{
    QFETCH(quint32, graine);
    QFETCH(QList<int>, liste);
    QFETCH(QList<int>, attendu);
    Tirage::melanger(liste, graine);
    QCOMPARE(liste, attendu);
}

void TestTirage::chaque_ex_aequo_peut_etre_tire_data()
{
    QTest::addColumn<QList<int>>("liste");
    QTest::newRow("deux") << QList<int>{1, 6};
    QTest::newRow("trois") << QList<int>{0, 4, 8};
    QTest::newRow("huit") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7};
}

// Sur 3000 graines successives (3000 secondes), chacun sort en tête à peu près
// aussi souvent que les autres.
void TestTirage::chaque_ex_aequo_peut_etre_tire()
{
    QFETCH(QList<int>, liste);
    constexpr int tirages = 3000;
    QMap<int, int> premiers;
    for (quint32 graine = 1765000000u; graine < 1765000000u + tirages; ++graine) {
        QList<int> copie = liste;
        Tirage::melanger(copie, graine);
        ++premiers[copie.first()];
    }
    const double attendu = double(tirages) / liste.size();
    for (int element : liste) {
        QVERIFY2(premiers.value(element) > attendu * 0.8 && premiers.value(element) < attendu * 1.2,
                 qPrintable(QStringLiteral("%1 tiré %2 fois sur %3").arg(element).arg(premiers.value(element)).arg(tirages)));
    }
}

void TestTirage::liste_d_un_seul_element_inchangee()
{
    QList<int> liste{7};
    Tirage::melanger(liste, 99u);
    QCOMPARE(liste, QList<int>{7});
}

TEST_SORDANE_SANS_APPLICATION_MAIN(TestTirage)
#include "test_tirage.moc"
