#include "couleurs_indexees.h"
#include "images.h"

#include "constantes.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

// Dessine toutes les images du jeu dans le dossier donné ; appelé par la
// construction, qui compile ensuite ces fichiers dans les ressources.
namespace {
constexpr int code_erreur = 1;

bool enregistrer(const QImage& image, const QDir& dossier, const QString& nom, const char* format = "PNG")
{
    if (image.save(dossier.filePath(nom), format))
        return true;
    QTextStream(stderr) << "Impossible d'écrire " << dossier.filePath(nom) << "\n";
    return false;
}

// Le jeu décode les images du fond animé toutes ensemble au démarrage : elles
// sont enregistrées en couleurs indexées, sur une palette commune.
bool enregistrer_fond_anime(const QDir& dossier)
{
    const int nombre = Jeu::nombre_images_attente;
    QVector<QImage> images;
    for (int i = 0; i < nombre; ++i)
        images.append(dessiner_image_fond_anime(i, nombre));
    const QVector<QRgb> palette = palette_commune(images);
    for (int i = 0; i < nombre; ++i) {
        // Les fichiers sont numérotés à partir de 1.
        if (!enregistrer(indexer(images[i], palette), dossier, QString("fond_anime_%1.png").arg(i + 1)))
            return false;
    }
    return true;
}

// L'icône en PNG à chaque taille installée, et en ICO pour l'exécutable Windows.
bool enregistrer_icones(const QDir& dossier, const QList<int>& tailles)
{
    const QImage icone = dessiner_icone();
    for (int taille : tailles) {
        const QImage reduite = icone.scaled(taille, taille, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!enregistrer(reduite, dossier, QString("icone_%1.png").arg(taille)))
            return false;
    }
    return enregistrer(icone, dossier, "icone.png") && enregistrer(icone, dossier, "icone.ico", "ICO");
}
}

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "Usage : generer_images <dossier de sortie> [tailles de l'icône installée...]\n";
        return code_erreur;
    }
    QList<int> tailles_icone;
    for (int i = 2; i < argc; ++i) {
        bool nombre = false;
        tailles_icone.append(QString::fromLocal8Bit(argv[i]).toInt(&nombre));
        if (!nombre || tailles_icone.last() <= 0) {
            QTextStream(stderr) << "Taille d'icône invalide : " << argv[i] << "\n";
            return code_erreur;
        }
    }
    QDir dossier(QString::fromLocal8Bit(argv[1]));
    if (!dossier.mkpath(".")) {
        QTextStream(stderr) << "Impossible de créer " << dossier.path() << "\n";
        return code_erreur;
    }
    const bool reussi = enregistrer(dessiner_fond(), dossier, "Fond.png")
                        && enregistrer(dessiner_fleche(), dossier, "Fleche.png")
                        && enregistrer_icones(dossier, tailles_icone)
                        && enregistrer_fond_anime(dossier);
    return reussi ? 0 : code_erreur;
}
