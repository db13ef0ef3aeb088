#include "garde_messages.h"

#include <QList>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <atomic>
#include <cstdio>

namespace {
struct Bruit {
    const char* debut;
    bool vient_du_son;
};

// La seule liste des messages tolérés : la plate-forme offscreen, l'absence de
// dossier d'exécution et de serveur de son sur une machine de CI.
const Bruit bruits_connus[] = {
    {"This plugin does not support propagateSizeHints()", false},
    {"QStandardPaths: XDG_RUNTIME_DIR not set", false},
    {"PulseAudioService", true},
    {"QSoundEffect(pulseaudio)", true},
};

struct Attendu {
    QtMsgType type;
    QString message;
    QByteArray fonction;
};

bool son_exige = false;
QList<Attendu> attendus;
QMutex verrou;
// Les messages hors des fonctions de test (ou d'un autre fil) ne peuvent faire
// échouer aucune fonction : ils font échouer le programme à la fin.
std::atomic<int> inattendus_hors_test{0};
QtMessageHandler gestionnaire_par_defaut = nullptr;
QtMessageHandler gestionnaire_qt_test = nullptr;

bool est_une_alerte(QtMsgType type)
{
    return type == QtWarningMsg || type == QtCriticalMsg;
}

QByteArray fonction_en_cours()
{
    const char* fonction = QTest::currentTestFunction();
    return fonction ? QByteArray(fonction) : QByteArray();
}

// Un message annoncé par le test est consommé ; ceux d'une autre fonction sont périmés.
bool etait_attendu(QtMsgType type, const QString& message)
{
    QMutexLocker garde(&verrou);
    const QByteArray fonction = fonction_en_cours();
    for (int i = attendus.size() - 1; i >= 0; --i)
        if (attendus[i].fonction != fonction)
            attendus.removeAt(i);
    for (int i = 0; i < attendus.size(); ++i)
        if (attendus[i].type == type && attendus[i].message == message) {
            attendus.removeAt(i);
            return true;
        }
    return false;
}

// Le bruit connu n'encombre pas le journal : il n'est pas transmis.
bool est_du_bruit(QtMsgType type, const QString& message)
{
    return est_une_alerte(type) && GardeMessages::est_un_bruit_connu(message);
}

bool est_inattendu(QtMsgType type, const QString& message)
{
    return est_une_alerte(type) && !etait_attendu(type, message);
}

bool dans_le_fil_des_tests()
{
    const QCoreApplication* application = QCoreApplication::instance();
    return !application || QThread::currentThread() == application->thread();
}

void noter_hors_test(const QString& message)
{
    ++inattendus_hors_test;
    std::fprintf(stderr, "Message de Qt inattendu hors d'une fonction de test ou d'un autre fil : « %s »\n",
                 qPrintable(message));
}

// Avant que Qt Test ne prenne les messages, ou après : seul le programme peut échouer.
void garder_hors_qt_test(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    if (est_du_bruit(type, message))
        return;
    gestionnaire_par_defaut(type, contexte, message);
    if (est_inattendu(type, message))
        noter_hors_test(message);
}

void garder_sous_qt_test(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    if (est_du_bruit(type, message))
        return;
    const bool inattendu = est_inattendu(type, message);
    gestionnaire_qt_test(type, contexte, message);
    if (!inattendu)
        return;
    if (fonction_en_cours().isEmpty() || !dans_le_fil_des_tests()) {
        noter_hors_test(message);
        return;
    }
    const QByteArray raison = QStringLiteral("Message de Qt inattendu : « %1 »").arg(message).toUtf8();
    QTest::qFail(raison.constData(), contexte.file, contexte.line);
}
}

namespace GardeMessages {

bool est_un_bruit_connu(const QString& message)
{
    for (const Bruit& bruit : bruits_connus)
        if ((!bruit.vient_du_son || !son_exige) && message.startsWith(QLatin1String(bruit.debut)))
            return true;
    return false;
}

void exiger_le_son(bool exige)
{
    son_exige = exige;
}

void attendre(QtMsgType type, const char* message)
{
    QTest::ignoreMessage(type, message);
    QMutexLocker garde(&verrou);
    attendus.append({type, QString::fromUtf8(message), fonction_en_cours()});
}

void surveiller()
{
    gestionnaire_par_defaut = qInstallMessageHandler(garder_hors_qt_test);
}

// Qt Test installe son gestionnaire dans qInit : la garde se place devant lui.
int executer(QObject* test, int argc, char** argv)
{
    QTest::qInit(test, argc, argv);
    gestionnaire_qt_test = qInstallMessageHandler(garder_sous_qt_test);
    const int resultat = QTest::qRun();
    QTest::qCleanup();
    return resultat;
}

int bilan(int resultat)
{
    if (inattendus_hors_test == 0)
        return resultat;
    std::fprintf(stderr, "Échec : %d message(s) de Qt inattendu(s) hors des fonctions de test ou d'autres fils\n",
                 inattendus_hors_test.load());
    return resultat != 0 ? resultat : 1;
}
}
