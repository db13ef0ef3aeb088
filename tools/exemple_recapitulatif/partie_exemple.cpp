#include "partie_exemple.h"

#include "accuse.h"
#include "constantes.h"

namespace {
constexpr int vote_du_code = 5;

QList<Accuse*> en_jeu(const QList<Accuse*>& accuses, const Accuse* sauf = nullptr)
{
    QList<Accuse*> resultat;
    for (Accuse* accuse : accuses)
        if (!accuse->get_ecarte() && accuse != sauf)
            resultat.append(accuse);
    return resultat;
}

// Chacun vise un accusé en jeu selon son rang et le vote ; certains ne votent pas
// et votent donc contre eux-mêmes.
int cible(const QList<Accuse*>& accuses, const Accuse* votant, int numero)
{
    const int i = votant->get_index();
    const QList<Accuse*> possibles = en_jeu(accuses, votant);
    if ((i + 2 * numero) % 7 == 0 || possibles.isEmpty())
        return i;
    return possibles[(2 * i + numero) % possibles.size()]->get_index();
}

// Le plus visé parmi ceux en jeu ; à égalité, le premier du rôle tient lieu de tirage.
Accuse* le_plus_vise(const QList<Accuse*>& accuses, int k)
{
    Accuse* elu = nullptr;
    for (Accuse* accuse : en_jeu(accuses))
        if (!elu || accuse->get_votes_recus(k) > elu->get_votes_recus(k))
            elu = accuse;
    return elu;
}

void vote_ordinaire(const QList<Accuse*>& accuses, int numero, Accuse*& premier_ecarte)
{
    const int k = numero - 1;
    for (Accuse* votant : accuses) {
        const int vise = cible(accuses, votant, numero);
        votant->set_vote_emis(k, vise);
        accuses[vise]->ajouter_vote_recu(k);
    }
    if (numero == vote_du_code) {
        premier_ecarte->set_seconde_chance(numero, SecondeChance::rehabilitation);
        premier_ecarte->set_ecarte(false, numero);
    }
    Accuse* ecarte = le_plus_vise(accuses, k);
    ecarte->set_ecarte(true, numero);
    if (!premier_ecarte)
        premier_ecarte = ecarte;
}

// Un votant sur quatre ne vote pas : 15 points pour lui. Les autres classent les
// écartés à partir de leur propre rang ; chaque place vaut ses points.
void vote_final(const QList<Accuse*>& accuses)
{
    for (Accuse* votant : accuses) {
        const int i = votant->get_index();
        if (i % 4 == 3) {
            votant->set_classement_donne({i});
            votant->ajouter_points_finaux(Jeu::penalite_abstention_finale);
            continue;
        }
        QList<int> classement;
        for (int pas = 1; pas <= Jeu::nombre_accuses; ++pas) {
            const Accuse* classe = accuses[(i + pas * 2) % Jeu::nombre_accuses];
            if (classe->get_ecarte() && classe != votant && !classement.contains(classe->get_index()))
                classement.append(classe->get_index());
        }
        for (int place = 0; place < classement.size(); ++place)
            accuses[classement[place]]->ajouter_points_finaux(place + 1);
        while (classement.size() < Jeu::nombre_cadres)
            classement.append(Jeu::aucun_accuse);
        votant->set_classement_donne(classement);
    }
    Accuse* deuxieme = nullptr;
    for (Accuse* accuse : accuses)
        if (accuse->get_ecarte()
            && (!deuxieme || accuse->get_votes_recus(Jeu::index_points_finaux)
                    < deuxieme->get_votes_recus(Jeu::index_points_finaux)))
            deuxieme = accuse;
    deuxieme->marquer_sauve();
    en_jeu(accuses).first()->marquer_sauve();
}
}

PartieExemple::PartieExemple()
    : temps_votes(Duree::temps_votes_defaut.begin(), Duree::temps_votes_defaut.end())
{
    for (int i = 0; i < Jeu::nombre_accuses; ++i) {
        proprietaires.emplace_back(new Accuse(QString::fromUtf8(roster[i].nom), i, QString::fromLatin1(roster[i].code)));
        accuses.append(proprietaires.back().get());
    }
    Accuse* premier_ecarte = nullptr;
    while (en_jeu(accuses).size() > 1)
        vote_ordinaire(accuses, ++numero_vote, premier_ecarte);
    vote_final(accuses);
}

PartieExemple::~PartieExemple() = default;
