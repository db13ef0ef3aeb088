#ifndef TEXTES_H
#define TEXTES_H

#include <QString>

// Textes affichés par le jeu en cours de partie (ceux du formulaire sont dans les .ui).
namespace Texte {
inline const QString titre_fenetre = QStringLiteral("Le Sordane");
inline const QString vote_numero = QStringLiteral("VOTE ");
inline const QString vote_final = QStringLiteral("VOTE FINAL");
inline const QString fin_du_vote = QStringLiteral("Fin du vote ");
inline const QString dans = QStringLiteral(" dans");
inline const QString code_invalide = QStringLiteral("Code invalide !");
inline const QString deja_vote = QStringLiteral("Tu as déjà voté !");
inline const QString merci = QStringLiteral(" merci d'avoir voté.");
inline const QString question_vote = QStringLiteral(", qui souhaites-tu écarter ?");
inline const QString question_vote_final = QStringLiteral(", à toi de voter !");
inline const QString code_deja_utilise = QStringLiteral("Code déjà utilisé !");
inline const QString code_sc_trop_tard = QStringLiteral("C'est trop tard pour utiliser ce code !");
inline const QString operation_annulee = QStringLiteral("Opération annulée.");
inline const QString code_sc_pris_en_compte =
    QStringLiteral("Le code de la seconde chance a bien été pris en compte. Il ne peut plus être utilisé.");
inline const QString code_sc_code_personnel = QStringLiteral(", entre ton code personnel pour valider :");
inline const QString vote_termine = QStringLiteral("Le vote est maintenant terminé.");
inline const QString rejoindre_places = QStringLiteral("Accusés, veuillez rejoindre vos places.");
inline const QString accuse_ecarte = QStringLiteral("L'accusé écarté à l'issue de ce vote est :");
inline const QString premier_sauve = QStringLiteral("Le premier accusé sauvé est :");
inline const QString deuxieme_sauve = QStringLiteral("Le deuxième accusé sauvé est :");
inline const QString sc_sans_effet = QStringLiteral("a utilisé le code de la seconde chance sans effet.");
inline const QString sc_rehabilite = QStringLiteral("est réhabilité grâce au code de la seconde chance.");
inline const QString sc_ecarte = QStringLiteral("est écarté par le code de la seconde chance.");
inline const QString compte_a_rebours_fini = QStringLiteral("00:00");
inline const QString quitter_titre = QStringLiteral("Quitter le programme");
inline const QString quitter_question = QStringLiteral("Êtes-vous sûr·e de vouloir quitter ?");
}

#endif
