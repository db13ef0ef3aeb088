#ifndef SERVEUR_SON_H
#define SERVEUR_SON_H

// Un PulseAudio à nous, sur une sortie muette dont on peut écouter le moniteur :
// un test ne dépend ni d'une carte son ni d'un serveur déjà lancé.

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class ServeurSon
{
public:
    static const QString sortie;

    ~ServeurSon();
    // Vide si le serveur a démarré ; sinon, la raison.
    QString demarrer();
    QString adresse() const { return adresse_serveur; }
    void arreter() { arreter(serveur); }
    static void arreter(QProcess& processus);

private:
    QTemporaryDir dossier;
    QProcess serveur;
    QString adresse_serveur;
};

#endif
