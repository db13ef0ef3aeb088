#include "serveur_son.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTest>

namespace {
constexpr int demarrage_serveur_ms = 10000;
constexpr int arret_ms = 2000;
}

const QString ServeurSon::sortie = QStringLiteral("sortie_essai");

ServeurSon::~ServeurSon()
{
    arreter(serveur);
}

void ServeurSon::arreter(QProcess& processus)
{
    if (processus.state() == QProcess::NotRunning)
        return;
    processus.terminate();
    if (!processus.waitForFinished(arret_ms)) {
        processus.kill();
        processus.waitForFinished(arret_ms);
    }
}

QString ServeurSon::demarrer()
{
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (pulseaudio.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("parec")).isEmpty())
        return QStringLiteral("pulseaudio ou parec introuvable (paquets Debian pulseaudio et pulseaudio-utils)");
    if (!dossier.isValid())
        return QStringLiteral("dossier temporaire impossible");

    const QString prise = dossier.filePath(QStringLiteral("native"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dossier.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dossier.path());
    env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dossier.path());
    // Le serveur garde l'horloge vraie, même quand le test tourne en temps accéléré.
    env.remove(QStringLiteral("LD_PRELOAD"));
    env.remove(QStringLiteral("FAKETIME"));
    serveur.setProcessEnvironment(env);
    serveur.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    serveur.start(pulseaudio, {
        QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-n"),
        QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
        QStringLiteral("--log-level=error"),
        QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + prise,
        QStringLiteral("--load=module-null-sink sink_name=") + sortie,
    });
    const bool pret = serveur.waitForStarted()
        && QTest::qWaitFor([&] { return QFileInfo::exists(prise) || serveur.state() == QProcess::NotRunning; },
                           demarrage_serveur_ms)
        && serveur.state() == QProcess::Running;
    if (!pret) {
        arreter(serveur);
        return QStringLiteral("impossible de démarrer un PulseAudio privé");
    }
    adresse_serveur = QStringLiteral("unix:") + prise;
    return QString();
}
