// Écrit le récapitulatif d'une partie d'exemple de neuf votes et dit le temps
// que l'écriture a pris : la mesure du récapitulatif, et ses pages à montrer.
// Usage : exemple_recapitulatif FICHIER.pdf
#include "demarrage.h"
#include "partie_exemple.h"
#include "recapitulatif.h"

#include <QDate>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("Usage : exemple_recapitulatif FICHIER.pdf\n", stderr);
        return 2;
    }
    Demarrage::charger_polices();
    const PartieExemple partie;
    QElapsedTimer chrono;
    chrono.start();
    const QString chemin = QString::fromLocal8Bit(argv[1]);
    if (!Recapitulatif::ecrire(chemin, partie.accuses, partie.numero_vote, partie.temps_votes, QDate::currentDate())) {
        std::fprintf(stderr, "Impossible d'écrire %s\n", argv[1]);
        return 1;
    }
    std::printf("Récapitulatif de %d votes écrit en %lld ms : %s\n", partie.numero_vote,
                static_cast<long long>(chrono.elapsed()), argv[1]);
    return 0;
}
