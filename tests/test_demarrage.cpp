// Au démarrage, le programme trouve dans ses ressources la police Xolonium et sa
// feuille de style, et parle français dans les boîtes de dialogue de Qt.
#include "demarrage.h"
#include "garde_messages.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestDemarrage : public QObject
{
    Q_OBJECT

private slots:
    void polices_enregistrees();
    void feuille_de_style_appliquee();
    void boutons_standard_en_francais();
};

void TestDemarrage::polices_enregistrees()
{
    Demarrage::charger_polices();
    QVERIFY(QFontDatabase().families().contains(QStringLiteral("Xolonium")));
    QVERIFY(QFontDatabase().bold(QStringLiteral("Xolonium"), QFontDatabase().styles(QStringLiteral("Xolonium")).last()));
}

void TestDemarrage::feuille_de_style_appliquee()
{
    Demarrage::appliquer_feuille_de_style(*qApp);
    QFile feuille(QStringLiteral(":/Apparence/Style.qss"));
    QVERIFY(feuille.open(QFile::ReadOnly));
    QCOMPARE(qApp->styleSheet(), QString::fromLatin1(feuille.readAll()));
    QVERIFY(qApp->styleSheet().startsWith(QStringLiteral("QMainWindow")));
}

void TestDemarrage::boutons_standard_en_francais()
{
    Demarrage::installer_traductions(*qApp);
    QMessageBox boite;
    boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Close);
    QCOMPARE(boite.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Oui"));
    QCOMPARE(boite.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Non"));
    QCOMPARE(boite.button(QMessageBox::Close)->text().remove(QLatin1Char('&')), QStringLiteral("Fermer"));
}

TEST_SORDANE_MAIN(TestDemarrage)
#include "test_demarrage.moc"
