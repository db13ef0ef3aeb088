#include "partie_courte.h"

#include "accuse.h"

#include <QComboBox>
#include <QLineEdit>

namespace PartieCourte {

namespace {
void clore_le_vote(Soiree& soiree)
{
    soiree.fenetre().set_temps_restant_intervote(1);
}
}

bool commencer(Soiree& soiree)
{
    soiree.bouton("bouton_test")->click();
    return soiree.attendre_page(page_intervote, limite_attente_ms);
}

bool jouer_vote(Soiree& soiree, const QList<int>& cibles)
{
    for (int joueur = 0; joueur < cibles.size(); ++joueur)
        if (cibles[joueur] != abstention)
            soiree.voter(codes[joueur], cibles[joueur]);
    clore_le_vote(soiree);
    if (!soiree.attendre_page(page_resultats, limite_attente_ms))
        return false;
    return soiree.attendre_page(page_intervote, limite_attente_ms);
}

bool jouer_jusqu_au_vote_final(Soiree& soiree, const QList<QList<int>>& votes)
{
    for (const QList<int>& cibles : votes)
        if (!jouer_vote(soiree, cibles))
            return false;
    while (!soiree.fenetre().phase_finale())
        if (!jouer_vote(soiree, {}))
            return false;
    return true;
}

void utiliser_code_seconde_chance(Soiree& soiree, int accuse)
{
    auto* code = soiree.widget<QLineEdit>("ligne_code_sc");
    auto* code_personnel = soiree.widget<QLineEdit>("ligne_code_sc_2");
    auto* liste = soiree.widget<QComboBox>("comboBox_code_seconde_chance");
    QTest::keyClick(&soiree.fenetre(), Qt::Key_S);
    QTest::keyClicks(code, QStringLiteral("sursis"));
    QTest::keyClick(code, Qt::Key_Return);
    liste->setCurrentIndex(liste->findData(accuse));
    QTest::mouseClick(soiree.bouton("bouton_oui"), Qt::LeftButton);
    QTest::keyClicks(code_personnel, codes[accuse]);
    QTest::keyClick(code_personnel, Qt::Key_Return);
}

int jouer_avec_le_code(Soiree& soiree, int vote_du_code, bool utilisateur_ecarte)
{
    MainWindow& fenetre = soiree.fenetre();
    if (!commencer(soiree))
        return -1;
    while (fenetre.get_numero_vote() < vote_du_code)
        if (!jouer_vote(soiree, {}))
            return -1;
    int utilisateur = -1;
    for (const Accuse* accuse : fenetre.get_accuses())
        if (accuse->get_ecarte() == utilisateur_ecarte)
            utilisateur = accuse->get_index();
    utiliser_code_seconde_chance(soiree, utilisateur);
    return jouer_jusqu_au_vote_final(soiree, {}) ? utilisateur : -1;
}

bool finir(Soiree& soiree)
{
    clore_le_vote(soiree);
    return soiree.attendre_page(page_fin, limite_attente_ms);
}

}
