// Cible libFuzzer : n'importe quels octets passent par la vérification du
// fichier de sauvegarde ; s'ils sont acceptés, la reprise est rejouée sur un
// rôle léger et le rôle obtenu doit être une partie que le jeu peut reprendre.
#include "fichier_sauvegarde.h"

#include <QBuffer>
#include <QByteArray>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
using FichierSauvegarde::Sauvegarde;

constexpr int dernier_ecarte_avant_finale = Jeu::nombre_accuses - 1;

// Ce que la reprise change d'un accusé, comme Accuse le fait, sans le son de
// son nom : en créer neuf par essai ralentirait le fuzzer de beaucoup.
class FicheLegere
{
public:
    void set_ecarte(bool valeur, int numero_vote)
    {
        ecarte = valeur;
        if (!valeur)
            return;
        if (vote_ecartement == 0)
            vote_ecartement = numero_vote;
        else
            vote_second_ecartement = numero_vote;
    }
    void set_seconde_chance(int numero_vote, int effet)
    {
        vote_seconde_chance = numero_vote;
        effet_seconde_chance = effet;
    }
    void set_vote_emis(int k, int cible) { votes_emis[k] = cible; }
    void ajouter_vote_recu(int k) { ++votes_recus[k]; }

    bool ecarte = false;
    int vote_ecartement = 0;
    int vote_second_ecartement = 0;
    int vote_seconde_chance = 0;
    int effet_seconde_chance = 0;
    std::array<int, Jeu::nombre_votes_ordinaires> votes_emis{};
    std::array<int, Jeu::nombre_votes_ordinaires> votes_recus{};
};

// Le rôle tel que MainWindow le tient : ses écartés comptés à chaque changement.
class RoleLeger
{
public:
    void ecarter_accuse(FicheLegere* fiche, int numero) { changer(fiche, true, numero); }
    void rehabiliter_accuse(FicheLegere* fiche, int numero) { changer(fiche, false, numero); }
    bool phase_finale() const { return nombre_ecartes == dernier_ecarte_avant_finale; }

    int nombre_ecartes = 0;

private:
    void changer(FicheLegere* fiche, bool ecarte, int numero);
};

[[noreturn]] void signaler(const char* defaut)
{
    std::fprintf(stderr, "Sauvegarde acceptée mais incohérente : %s\n", defaut);
    std::abort();
}

void exiger(bool condition, const char* defaut)
{
    if (!condition)
        signaler(defaut);
}

// Dans le jeu, un numéro nul veut dire « le vote en cours » : la reprise doit
// toujours donner le sien.
void RoleLeger::changer(FicheLegere* fiche, bool ecarte, int numero)
{
    exiger(numero >= 1 && numero <= Jeu::nombre_votes_ordinaires, "numéro de vote rejoué hors de 1 à 9");
    exiger(fiche->ecarte != ecarte, "accusé écarté ou réhabilité deux fois de suite");
    nombre_ecartes += ecarte ? 1 : -1;
    fiche->set_ecarte(ecarte, numero);
}

// Écarté à l'issue du vote donné, d'après son parcours.
bool ecarte_apres(const FicheLegere& fiche, int vote)
{
    const bool premier = fiche.vote_ecartement != 0 && fiche.vote_ecartement <= vote;
    const bool rehabilite = fiche.effet_seconde_chance == SecondeChance::rehabilitation
                            && fiche.vote_seconde_chance <= vote;
    const bool second = fiche.vote_second_ecartement != 0 && fiche.vote_second_ecartement <= vote;
    return (premier && !rehabilite) || second;
}

void verifier_parcours(const FicheLegere& fiche, int votes_tenus)
{
    exiger(fiche.vote_seconde_chance <= votes_tenus, "code de la seconde chance à un vote pas encore tenu");
    if (!fiche.ecarte && fiche.effet_seconde_chance != SecondeChance::rehabilitation)
        exiger(fiche.vote_ecartement == 0, "accusé en jeu avec un vote d'écartement");
    if (!fiche.ecarte)
        return;
    exiger(fiche.vote_ecartement >= 1 && fiche.vote_ecartement <= votes_tenus, "écarté à un vote non tenu");
    if (fiche.vote_second_ecartement != 0)
        exiger(fiche.effet_seconde_chance == SecondeChance::rehabilitation
                   && fiche.vote_ecartement < fiche.vote_seconde_chance
                   && fiche.vote_seconde_chance <= fiche.vote_second_ecartement
                   && fiche.vote_second_ecartement <= votes_tenus,
               "second écartement hors de l'ordre écarté, réhabilité, écarté");
    if (fiche.effet_seconde_chance == SecondeChance::ecartement)
        exiger(fiche.vote_ecartement == fiche.vote_seconde_chance, "écarté par le code à un autre vote");
}

void verifier_votes(const FicheLegere& fiche)
{
    for (int k = 0; k < Jeu::nombre_votes_ordinaires; ++k) {
        exiger(fiche.votes_emis[k] >= 0 && fiche.votes_emis[k] < Jeu::nombre_accuses, "bulletin hors du rôle");
        exiger(fiche.votes_recus[k] >= 0 && fiche.votes_recus[k] <= Jeu::nombre_accuses, "plus de voix que de votants");
    }
}

// La phase finale s'ouvre dès qu'un seul accusé reste en jeu : aucun vote
// n'a pu se tenir après.
void verifier_histoire(const std::array<FicheLegere, Jeu::nombre_accuses>& fiches, int votes_tenus)
{
    for (int vote = 1; vote < votes_tenus; ++vote) {
        int ecartes = 0;
        for (const FicheLegere& fiche : fiches)
            ecartes += ecarte_apres(fiche, vote) ? 1 : 0;
        exiger(ecartes < dernier_ecarte_avant_finale, "vote tenu après l'ouverture de la phase finale");
    }
}

void verifier_role(const Sauvegarde& sauvegarde, const RoleLeger& role,
                   const std::array<FicheLegere, Jeu::nombre_accuses>& fiches)
{
    int ecartes = 0;
    int utilisateurs_code = 0;
    for (const FicheLegere& fiche : fiches) {
        ecartes += fiche.ecarte ? 1 : 0;
        utilisateurs_code += fiche.vote_seconde_chance != 0 ? 1 : 0;
    }
    exiger(role.nombre_ecartes == ecartes, "écartés comptés et écartés marqués différents");
    exiger(ecartes < Jeu::nombre_accuses, "plus aucun accusé en jeu");
    exiger(role.phase_finale() == (ecartes == dernier_ecarte_avant_finale), "phase finale mal reconnue");
    exiger(sauvegarde.numero_vote >= 1 && sauvegarde.numero_vote <= Jeu::nombre_votes_ordinaires,
           "numéro de vote que le jeu ne peut pas reprendre");
    exiger(utilisateurs_code == (sauvegarde.etat_seconde_chance == SecondeChance::annonce ? 1 : 0),
           "état du code de la seconde chance sans son utilisateur");
    // Au vote final, le numéro reste celui du dernier vote tenu.
    const int votes_tenus = role.phase_finale() ? sauvegarde.numero_vote : sauvegarde.numero_vote - 1;
    for (const FicheLegere& fiche : fiches) {
        verifier_parcours(fiche, votes_tenus);
        verifier_votes(fiche);
    }
    verifier_histoire(fiches, votes_tenus);
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    QByteArray octets = QByteArray::fromRawData(reinterpret_cast<const char*>(donnees), int(taille));
    QBuffer tampon(&octets);
    // Ouvert comme le jeu ouvre le fichier.
    tampon.open(QIODevice::ReadOnly | QIODevice::Text);
    const std::optional<Sauvegarde> sauvegarde = FichierSauvegarde::lire(tampon);
    if (!sauvegarde)
        return 0;
    RoleLeger role;
    std::array<FicheLegere, Jeu::nombre_accuses> fiches;
    std::array<FicheLegere*, Jeu::nombre_accuses> pointeurs{};
    for (int i = 0; i < Jeu::nombre_accuses; ++i)
        pointeurs[i] = &fiches[i];
    FichierSauvegarde::rejouer(*sauvegarde, role, pointeurs);
    verifier_role(*sauvegarde, role, fiches);
    return 0;
}
