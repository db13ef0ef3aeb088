#include "demarrage.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace Demarrage {

void charger_polices()
{
    QFontDatabase::addApplicationFont(QStringLiteral(":/Apparence/Xolonium-Regular.ttf"));
    QFontDatabase::addApplicationFont(QStringLiteral(":/Apparence/Xolonium-Bold.ttf"));
}

void appliquer_feuille_de_style(QApplication& application)
{
    QFile feuille(QStringLiteral(":/Apparence/Style.qss"));
    feuille.open(QFile::ReadOnly);
    application.setStyleSheet(QLatin1String(feuille.readAll().constData()));
}

// Les boutons standard de Qt (Oui, Non, Fermer...) en français, quand Qt en a la traduction.
void installer_traductions(QApplication& application)
{
    const QString dossier = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    for (const char* nom : {"qt_fr", "qtbase_fr"}) {
        auto* traduction = new QTranslator(&application);
        traduction->load(QLatin1String(nom), dossier);
        application.installTranslator(traduction);
    }
}

}
