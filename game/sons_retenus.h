#ifndef SONS_RETENUS_H
#define SONS_RETENUS_H

class QSound;
class QString;

// Les enregistrements du jeu, chacun chargé une fois pour toutes et gardé
// jusqu'à la fin du programme ; les fenêtres s'en servent sans les posséder.
namespace Sons {
// Charge tous les enregistrements de :/Sons.
void retenir_tous();
// Le son d'un enregistrement des ressources, créé à la première demande.
QSound* son(const QString& chemin);
}

#endif
