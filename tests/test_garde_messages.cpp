// La garde des messages : un avertissement de Qt inattendu fait échouer le test,
// un message annoncé ou un bruit connu de l'environnement non.
#include "garde_messages.h"

#include <QProcess>

namespace {
constexpr int duree_max_essai_ms = 30000;
}

class TestGardeMessages : public QObject
{
    Q_OBJECT

private slots:
    void issue_de_l_essai_data();
    void issue_de_l_essai();
};

void TestGardeMessages::issue_de_l_essai_data()
{
    QTest::addColumn<QString>("fonction");
    QTest::addColumn<bool>("reussit");
    QTest::addColumn<QString>("trace");
    QTest::newRow("avertissement inattendu") << "avertissement_inattendu" << false
                                             << "Message de Qt inattendu : « Avertissement d'essai »";
    QTest::newRow("erreur inattendue") << "critique_inattendu" << false
                                       << "Message de Qt inattendu : « Erreur d'essai »";
    QTest::newRow("connexion ratée") << "connexion_ratee" << false << "Message de Qt inattendu : « QObject::connect";
    QTest::newRow("message annoncé") << "avertissement_attendu" << true << "PASS   : EssaiGarde::avertissement_attendu";
    QTest::newRow("message annoncé mais absent") << "attendu_mais_absent" << false << "Did not receive message";
    QTest::newRow("bruits connus") << "bruits_connus" << true << "PASS   : EssaiGarde::bruits_connus";
    QTest::newRow("autre fil") << "avertissement_dans_un_autre_fil" << false
                               << "Message de Qt inattendu hors d'une fonction de test ou d'un autre fil";
    QTest::newRow("à la destruction") << "destruction_bruyante" << false
                                      << "Message de Qt inattendu hors d'une fonction de test ou d'un autre fil";
}

void TestGardeMessages::issue_de_l_essai()
{
    QFETCH(QString, fonction);
    QFETCH(bool, reussit);
    QFETCH(QString, trace);
    QProcess essai;
    essai.setProcessChannelMode(QProcess::MergedChannels);
    essai.start(QStringLiteral(CHEMIN_ESSAI_GARDE), {fonction});
    QVERIFY(essai.waitForFinished(duree_max_essai_ms));
    const QString sortie = QString::fromUtf8(essai.readAll());
    QVERIFY2(sortie.contains(trace), qPrintable(sortie));
    QCOMPARE(essai.exitStatus(), QProcess::NormalExit);
    QVERIFY2((essai.exitCode() == 0) == reussit, qPrintable(sortie));
}

TEST_SORDANE_SANS_IHM_MAIN(TestGardeMessages)
#include "test_garde_messages.moc"
