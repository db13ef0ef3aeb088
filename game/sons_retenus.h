#ifndef SONS_RETENUS_H
#define SONS_RETENUS_H

namespace Sons {
// Charge chaque enregistrement une fois pour toutes, jusqu'à la fin du programme.
void retenir_tous();
}

#endif
