#ifndef SONS_ATTENDUS_H
#define SONS_ATTENDUS_H

// Les enregistrements du jeu, leur chemin de ressource et la durée permise,
// et la lecture de l'en-tête WAV telle que la fait le chargeur de QSound.

#include "constantes.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QVector>
#include <QtEndian>

struct SonAttendu {
    QString chemin;
    int duree_min_ms;
    int duree_max_ms;
};

namespace Limite {
// Une annonce parlée vide ou tronquée dure moins que ceci.
constexpr int parole_min_ms = 300;
// Annonces sans attente : elles tiennent dans la pause avant le vote suivant.
constexpr int pause_ms = Duree::temporisation_ms;
// L'annonce du vote 1 joue pendant ce qui reste du discours d'ouverture.
constexpr int fin_discours_ms =
    Duree::discours_initial_ms - Duree::introduction_ms - Duree::presentation_premier_vote_ms;
// Le jingle déborde d'un quart de seconde sur l'annonce qui le suit.
constexpr int jingle_ms = Duree::jingle_ms + 250;
constexpr int sonnerie_min_ms = 3500;
// La page de fin s'affiche pendant la musique du présentateur, qui joue encore
// quelques secondes avant sa cadence finale.
constexpr int musique_apres_fin_ms = 5000;
constexpr int musique_min_ms = Duree::arrivee_presentateur_ms + musique_apres_fin_ms;
constexpr int musique_max_ms = 186000;
}

inline QVector<SonAttendu> sons_attendus()
{
    using namespace Duree;
    const auto parole = [](const char* chemin, int max_ms) {
        return SonAttendu{QStringLiteral(":/Sons/") + QString::fromUtf8(chemin) + QStringLiteral(".wav"),
                          Limite::parole_min_ms, max_ms};
    };
    QVector<SonAttendu> sons = {
        parole("Explications_generales/Jeumeurtrierintroduction", introduction_ms),
        parole("Explications_generales/Presentationpremiervote", presentation_premier_vote_ms),
        {QStringLiteral(":/Sons/Appels_pour_les_votes/Sonnerie.wav"), Limite::sonnerie_min_ms, sonnerie_fin_vote_ms},
        {QStringLiteral(":/Sons/Explications_generales/Jingle.wav"), Limite::jingle_ms, Limite::jingle_ms},
        parole("Appels_pour_les_votes/4minpourvoter", Limite::pause_ms),
        {QStringLiteral(":/Sons/Explications_generales/Jingleetmusique.wav"), Limite::musique_min_ms,
         Limite::musique_max_ms},
        parole("Resultats_des_votes/Eliminevoteclassique", elimine_vote_ms),
        parole("Code_de_la_seconde_chance/Codesecondechancebonusage", sc_bon_usage_ms),
        parole("Code_de_la_seconde_chance/Codesecondechanceinutileusage", sc_usage_inutile_ms),
        parole("Code_de_la_seconde_chance/Codesecondechancemauvaisusage", sc_mauvais_usage_ms),
        parole("Code_de_la_seconde_chance/Eliminecodesecondechance", elimine_sc_ms),
        parole("Deroulement_des_votes/Lancementvote1", Limite::fin_discours_ms),
    };
    for (int k = 2; k <= 9; ++k)
        sons.append(parole(qPrintable(QStringLiteral("Deroulement_des_votes/Lancementvote%1").arg(k)),
                           Limite::pause_ms));
    for (const char* minutes : {"20", "15", "10"})
        sons.append(parole(qPrintable(QStringLiteral("Appels_pour_les_votes/%1minavantvote").arg(QLatin1String(minutes))),
                           Limite::pause_ms));
    sons << parole("Resultats_des_votes/Annoncepremiersauve", premier_sauve_ms)
         << parole("Explications_generales/Presentationvotefinal", presentation_vote_final_ms)
         << parole("Appels_pour_les_votes/Appelvote", appel_accuses_test_ms)
         << parole("Resultats_des_votes/Resultatvotefinal", resultat_vote_final_ms)
         << parole("Resultats_des_votes/Annoncedeuxiemesauve", deuxieme_sauve_ms)
         << parole("Explications_generales/Jeumeurtrierconclusion", conclusion_ms);
    for (const char* animal : {"cafard", "chacal", "chien", "cochon", "hyene", "rat", "requin", "serpent", "vautour"})
        sons.append(parole(qPrintable(QStringLiteral("Noms_d_animaux/Accuse%1").arg(QLatin1String(animal))), nom_ms));
    return sons;
}

struct EnteteWav {
    bool lisible = false;
    int format = 0;      // 1 : PCM
    int canaux = 0;
    int taux = 0;
    int bits = 0;
    qint64 octets_donnees = 0;

    double duree_ms() const
    {
        const qint64 octets_par_seconde = qint64(taux) * canaux * (bits / 8);
        return octets_par_seconde > 0 ? 1000.0 * octets_donnees / octets_par_seconde : 0.0;
    }
};

// Parcourt les blocs RIFF : « fmt » donne le format, « data » la taille du son.
inline EnteteWav lire_entete_wav(const QByteArray& octets)
{
    EnteteWav entete;
    if (octets.size() < 12 || !octets.startsWith("RIFF") || octets.mid(8, 4) != "WAVE")
        return entete;
    const auto mot16 = [&](int i) { return qFromLittleEndian<quint16>(octets.constData() + i); };
    const auto mot32 = [&](int i) { return qFromLittleEndian<quint32>(octets.constData() + i); };
    bool format_lu = false;
    qint64 position = 12;
    while (position + 8 <= octets.size()) {
        const QByteArray nom = octets.mid(int(position), 4);
        const qint64 taille = mot32(int(position) + 4);
        const int debut = int(position) + 8;
        if (nom == "fmt " && taille >= 16 && debut + 16 <= octets.size()) {
            entete.format = mot16(debut);
            entete.canaux = mot16(debut + 2);
            entete.taux = int(mot32(debut + 4));
            entete.bits = mot16(debut + 14);
            format_lu = true;
        } else if (nom == "data") {
            entete.octets_donnees = qMin(taille, octets.size() - qint64(debut));
            entete.lisible = format_lu;
            return entete;
        }
        position = debut + taille + (taille & 1);
    }
    return entete;
}

inline EnteteWav lire_entete_ressource(const QString& chemin)
{
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return {};
    return lire_entete_wav(fichier.readAll());
}

#endif
