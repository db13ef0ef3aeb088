// Programme d'essai lancé par test_garde_messages : chaque fonction provoque un
// cas de la garde des messages, dont on vérifie l'issue de l'extérieur.
#include "garde_messages.h"

#include <QThread>

class EssaiGarde : public QObject
{
    Q_OBJECT

public:
    ~EssaiGarde() override
    {
        if (adieu_bruyant)
            qWarning("Avertissement d'essai à la destruction");
    }

private:
    bool adieu_bruyant = false;

private slots:
    void avertissement_inattendu() { qWarning("Avertissement d'essai"); }
    void critique_inattendu() { qCritical("Erreur d'essai"); }
    void connexion_ratee()
    {
        QObject source;
        QObject::connect(&source, SIGNAL(signal_absent()), &source, SLOT(deleteLater()));
    }
    void avertissement_attendu()
    {
        GardeMessages::attendre(QtWarningMsg, "Avertissement d'essai");
        qWarning("Avertissement d'essai");
    }
    void attendu_mais_absent() { GardeMessages::attendre(QtWarningMsg, "Avertissement d'essai"); }
    void bruits_connus()
    {
        qWarning("This plugin does not support propagateSizeHints()");
        qWarning("PulseAudioService: pa_context_connect() failed");
    }
    void avertissement_dans_un_autre_fil()
    {
        QThread* fil = QThread::create([] { qWarning("Avertissement d'essai d'un autre fil"); });
        fil->start();
        QVERIFY(fil->wait());
        delete fil;
    }
    void destruction_bruyante() { adieu_bruyant = true; }
};

TEST_SORDANE_SANS_IHM_MAIN(EssaiGarde)
#include "garde_messages_essai.moc"
