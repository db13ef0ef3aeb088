// Les images compilées dans le programme ont leurs tailles, le fond animé boucle sans à-coup et le fond de la fenêtre laisse lire le texte clair.
#include "constantes.h"
#include "garde_messages.h"

#include <QColor>
#include <QImage>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
const QString chemin_fond = ":/Apparence/Fond.png";
const QString chemin_fleche = ":/Apparence/Fleche.png";
const QColor texte_clair(0xe0, 0xe5, 0xec);

// Rapports de contraste du texte clair sur le fond : 7 est le seuil le plus
// exigeant des règles d'accessibilité du web, 4,5 le seuil courant.
constexpr double contraste_moyen_minimal = 10;
constexpr double contraste_minimal_partout = 4.5;
// Hauteur minimale de la case de la flèche pour sa largeur : 250 pour 50.
constexpr int rapport_hauteur_largeur_fleche = 5;
// Le passage de la dernière image à la première ne doit pas se voir plus que
// le plus grand pas entre deux images voisines.
constexpr double tolerance_bouclage = 1.1;

QString chemin_image_anime(int numero)
{
    return QString(":/Apparence/Images du fond animé/Fond animé%1.png").arg(numero);
}

double lineaire(double canal)
{
    return canal <= 0.03928 ? canal / 12.92 : std::pow((canal + 0.055) / 1.055, 2.4);
}

// Luminance relative au sens des règles d'accessibilité du web (0 noir, 1 blanc).
double luminance(const QColor& couleur)
{
    return 0.2126 * lineaire(couleur.redF()) + 0.7152 * lineaire(couleur.greenF())
           + 0.0722 * lineaire(couleur.blueF());
}

double contraste(double luminance_claire, double luminance_sombre)
{
    return (luminance_claire + 0.05) / (luminance_sombre + 0.05);
}

// Écart moyen par octet entre deux images de même taille, couleurs prémultipliées
// pour que les pixels transparents ne comptent pas.
double ecart_moyen(const QImage& a, const QImage& b)
{
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int octets_par_ligne = pa.width() * 4;
    double somme = 0;
    for (int y = 0; y < pa.height(); ++y) {
        const uchar* la = pa.constScanLine(y);
        const uchar* lb = pb.constScanLine(y);
        for (int i = 0; i < octets_par_ligne; ++i)
            somme += std::abs(int(la[i]) - int(lb[i]));
    }
    return somme / (double(octets_par_ligne) * pa.height());
}

// Largeur de la partie visible d'une ligne de la flèche.
int largeur_opaque(const QImage& image, int y)
{
    int gauche = image.width();
    int droite = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(image.pixel(x, y)) > 128) {
            gauche = std::min(gauche, x);
            droite = x;
        }
    }
    return droite < 0 ? 0 : droite - gauche + 1;
}
}

class TestImages : public QObject {
    Q_OBJECT

private:
    std::vector<QImage> images_anime;

private slots:
    void initTestCase()
    {
        for (int numero = 1; numero <= Jeu::nombre_images_attente; ++numero)
            images_anime.push_back(QImage(chemin_image_anime(numero)));
    }

    void image_presente_et_a_sa_taille_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QSize>("taille");
        QTest::newRow("fond") << chemin_fond << QSize(1920, 1080);
        for (int numero = 1; numero <= Jeu::nombre_images_attente; ++numero)
            QTest::newRow(qPrintable(QString("fond animé %1").arg(numero))) << chemin_image_anime(numero) << QSize(600, 600);
    }

    void image_presente_et_a_sa_taille()
    {
        QFETCH(QString, chemin);
        QFETCH(QSize, taille);
        const QImage image(chemin);
        QVERIFY2(!image.isNull(), qPrintable(chemin));
        QCOMPARE(image.size(), taille);
    }

    void images_du_fond_anime_toutes_differentes()
    {
        for (int i = 0; i < Jeu::nombre_images_attente; ++i)
            for (int j = i + 1; j < Jeu::nombre_images_attente; ++j)
                QVERIFY2(images_anime[i] != images_anime[j], qPrintable(QString("images %1 et %2").arg(i + 1).arg(j + 1)));
    }

    // Le jeu décode les trente images au démarrage : en couleurs indexées, un
    // octet par pixel, elles se décodent quatre fois plus vite.
    void images_du_fond_anime_en_couleurs_indexees()
    {
        for (const QImage& image : images_anime)
            QCOMPARE(image.format(), QImage::Format_Indexed8);
    }

    void derniere_image_enchaine_sur_la_premiere()
    {
        double plus_grand_pas = 0;
        for (int i = 0; i + 1 < Jeu::nombre_images_attente; ++i)
            plus_grand_pas = std::max(plus_grand_pas, ecart_moyen(images_anime[i], images_anime[i + 1]));
        const double bouclage = ecart_moyen(images_anime.back(), images_anime.front());
        QVERIFY2(bouclage <= plus_grand_pas * tolerance_bouclage,
                 qPrintable(QString("bouclage %1, plus grand pas %2").arg(bouclage).arg(plus_grand_pas)));
    }

    void fond_sombre_sous_le_texte_clair()
    {
        const QImage fond = QImage(chemin_fond).convertToFormat(QImage::Format_RGB32);
        const double luminance_texte = luminance(texte_clair);
        double somme = 0;
        double plus_claire = 0;
        for (int y = 0; y < fond.height(); ++y) {
            const QRgb* ligne = reinterpret_cast<const QRgb*>(fond.constScanLine(y));
            for (int x = 0; x < fond.width(); ++x) {
                const double l = luminance(QColor(ligne[x]));
                somme += l;
                plus_claire = std::max(plus_claire, l);
            }
        }
        const double moyenne = somme / (double(fond.width()) * fond.height());
        QVERIFY2(contraste(luminance_texte, moyenne) >= contraste_moyen_minimal, qPrintable(QString::number(moyenne)));
        QVERIFY2(contraste(luminance_texte, plus_claire) >= contraste_minimal_partout, qPrintable(QString::number(plus_claire)));
    }

    void fleche_haute_et_pointee_vers_le_bas()
    {
        const QImage fleche = QImage(chemin_fleche).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!fleche.isNull());
        QVERIFY(fleche.height() >= rapport_hauteur_largeur_fleche * fleche.width());
        QCOMPARE(qAlpha(fleche.pixel(0, 0)), 0);

        // La ligne la plus large (la base de la pointe) est dans le bas de
        // l'image, et la hampe, en haut, est bien plus étroite.
        int ligne_la_plus_large = 0;
        for (int y = 0; y < fleche.height(); ++y)
            if (largeur_opaque(fleche, y) > largeur_opaque(fleche, ligne_la_plus_large))
                ligne_la_plus_large = y;
        QVERIFY(ligne_la_plus_large > fleche.height() * 3 / 4);
        const int largeur_hampe = largeur_opaque(fleche, fleche.height() / 2);
        QVERIFY(largeur_hampe > 0);
        QVERIFY(largeur_hampe * 3 < largeur_opaque(fleche, ligne_la_plus_large));
    }
};

TEST_SORDANE_MAIN(TestImages)
#include "test_images.moc"
