#include "soiree.h"

#include "fenetre_options.h"
#include "garde_messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QLoggingCategory>
#include <QStandardPaths>
#include <QtTest>

Soiree* Soiree::courante = nullptr;

Soiree::Soiree()
{
    QStandardPaths::setTestModeEnabled(true);
    QLoggingCategory::setFilterRules(QStringLiteral("le_sordane.sons.debug=true"));
    courante = this;
    gestionnaire_precedent = qInstallMessageHandler(&Soiree::noter_annonce);
    principale = new MainWindow;
    principale->show();
    principale->initialiser_affichage();
    horloge.start();
    sonde.setTimerType(Qt::PreciseTimer);
    sonde.setInterval(intervalle_sonde_ms);
    QObject::connect(&sonde, &QTimer::timeout, [this] {
        const double instant = maintenant();
        retards.append({instant, instant - derniere_sonde - intervalle_sonde_ms / 1000.0});
        derniere_sonde = instant;
    });
    sonde.start();
    // Le compte à rebours démarre juste après le changement de page : on le lit
    // au tour de boucle suivant, avant sa première seconde.
    QObject::connect(widget<QStackedWidget>("stackedWidget"), &QStackedWidget::currentChanged, principale,
                     [this](int page) {
                         pages.append({maintenant(), page});
                         if (page == 1)
                             QTimer::singleShot(0, principale, [this] {
                                 departs.append(principale->get_temps_restant_intervote());
                             });
                     });
}

Soiree::~Soiree()
{
    delete principale;
    qInstallMessageHandler(gestionnaire_precedent);
    courante = nullptr;
}

void Soiree::noter_annonce(QtMsgType type, const QMessageLogContext& contexte, const QString& message)
{
    Soiree* soiree = courante;
    if (qstrcmp(contexte.category, "le_sordane.sons") == 0) {
        const QLabel* presentation = soiree->label("label_presentation_resultats");
        const QLabel* resultat = soiree->label("label_resultats");
        soiree->journal.append({message.section(QLatin1Char('/'), -1), soiree->maintenant(), soiree->page(),
                                presentation->text(), resultat->text(), resultat->isVisible()});
        return;
    }
    // Le bruit de l'environnement (pas de serveur de son...) n'est pas un avertissement du jeu.
    if (type != QtDebugMsg && !GardeMessages::est_un_bruit_connu(message))
        soiree->alertes.append(message);
    soiree->gestionnaire_precedent(type, contexte, message);
}

QPushButton* Soiree::bouton_candidat(int index) const
{
    static const char* const noms[] = {"bouton_cafard", "bouton_chacal", "bouton_chien",
                                       "bouton_cochon", "bouton_hyene", "bouton_rat",
                                       "bouton_requin", "bouton_serpent", "bouton_vautour"};
    return bouton(noms[index]);
}

int Soiree::page() const
{
    return widget<QStackedWidget>("stackedWidget")->currentIndex();
}

int Soiree::sous_page() const
{
    return widget<QStackedWidget>("stackedWidget_intervote")->currentIndex();
}

QList<Annonce> Soiree::annonces_depuis(double instant) const
{
    QList<Annonce> resultat;
    for (const Annonce& annonce : journal)
        if (annonce.instant >= instant)
            resultat.append(annonce);
    return resultat;
}

QStringList Soiree::noms_des_sons_depuis(double instant) const
{
    QStringList noms;
    for (const Annonce& annonce : annonces_depuis(instant))
        noms.append(annonce.son);
    return noms;
}

void Soiree::ouvrir_code()
{
    QTest::mouseClick(bouton("bouton_voter"), Qt::LeftButton);
}

void Soiree::taper_chemin(QFileDialog* dialogue, const QString& chemin)
{
    auto* champ = dialogue->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    champ->setText(chemin);
    QTest::keyClick(champ, Qt::Key_Return);
}

void Soiree::taper_code(const QString& code)
{
    auto* champ = widget<QLineEdit>("ligne_code");
    QTest::keyClicks(champ, code);
    QTest::keyClick(champ, Qt::Key_Return);
}

void Soiree::voter(const QString& code, int cible, int delai_ms)
{
    ouvrir_code();
    QTimer::singleShot(delai_ms, principale, [this, cible] {
        QTest::mouseClick(bouton_candidat(cible), Qt::LeftButton);
    });
    taper_code(code);
}

void Soiree::reporter(const QString& code, int delai_ms)
{
    ouvrir_code();
    QTimer::singleShot(delai_ms, principale, [this] {
        QTest::mouseClick(bouton("bouton_reporter_vote"), Qt::LeftButton);
    });
    taper_code(code);
}

QString Soiree::message_apres(const QString& code)
{
    QString message;
    ouvrir_code();
    QTimer::singleShot(1000, principale, [this, &message] {
        if (sous_page() == 5)
            message = label("label_remerciement")->text();
    });
    taper_code(code);
    return message;
}

double Soiree::retard_max(double debut, double fin) const
{
    // Le retard qui court encore ne sera noté qu'au passage suivant de la sonde :
    // il compte dès maintenant pour un écart qui se termine à l'instant.
    double retard = 0;
    if (fin + marge_sonde_s >= derniere_sonde)
        retard = qMax(0.0, maintenant() - derniere_sonde - intervalle_sonde_ms / 1000.0);
    for (const auto& mesure : retards)
        // Un retard se voit à la sonde qui suit : elle peut passer juste avant ou
        // juste après l'événement retardé, d'où la marge autour des deux instants.
        if (mesure.first >= debut - marge_sonde_s && mesure.first <= fin + marge_sonde_s)
            retard = qMax(retard, mesure.second);
    return retard;
}

double Soiree::instant_page(int page_cherchee, double depuis) const
{
    for (const auto& passage : pages)
        if (passage.first >= depuis && passage.second == page_cherchee)
            return passage.first;
    return -1;
}

bool Soiree::attendre_page(int page_attendue, int limite_ms)
{
    const bool atteinte = attendre([&] { return page() == page_attendue; }, limite_ms);
    // Laisse passer la lecture du départ du compte à rebours, prévue juste après le changement de page.
    QCoreApplication::processEvents();
    return atteinte;
}

void Soiree::choisir_options(QMessageBox* boite)
{
    for (QAbstractButton* bouton : boite->buttons())
        if (bouton->text() == QLatin1String("Options"))
            bouton->click();
}

void Soiree::repondre_par_les_options(QTimer& reponse, const std::function<void(Fenetre_options*)>& action)
{
    reponse.setInterval(intervalle_verification_ms);
    QObject::connect(&reponse, &QTimer::timeout, [&reponse, action] {
        QWidget* modale = QApplication::activeModalWidget();
        if (auto* boite = qobject_cast<QMessageBox*>(modale)) {
            choisir_options(boite);
        } else if (auto* options = qobject_cast<Fenetre_options*>(modale)) {
            reponse.stop();
            action(options);
        }
    });
}

QStringList Soiree::bloc_du_rapport(const QStringList& lignes, const QString& titre)
{
    const int debut = lignes.indexOf(titre);
    if (debut < 0)
        return {};
    int fin = debut + 1;
    while (fin < lignes.size() && !lignes[fin].startsWith(QLatin1String("**********")))
        ++fin;
    return lignes.mid(debut, fin - debut);
}
