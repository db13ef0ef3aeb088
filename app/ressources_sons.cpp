// Sons du jeu incrustés dans le programme : le fichier de ressources binaire
// fabriqué à la construction est inclus tel quel par l'assembleur, puis
// enregistré dès le chargement, si bien que tout programme lié au coeur du jeu
// trouve ":/Sons/..." sans appeler Q_INIT_RESOURCE.
#include <QResource>

#define EN_CHAINE(x) #x
#define CHAINE(x) EN_CHAINE(x)

#if defined(_WIN32)
#define SECTION_LECTURE_SEULE ".section .rdata,\"dr\"\n"
#else
#define SECTION_LECTURE_SEULE ".section .rodata\n"
#endif

asm(SECTION_LECTURE_SEULE
    ".balign 16\n"
    "donnees_sons_rcc:\n"
    ".incbin \"" CHAINE(FICHIER_SONS_RCC) "\"\n"
    ".text\n");

extern "C" const unsigned char donnees_sons_rcc[];

namespace {
const bool sons_enregistres = QResource::registerResource(donnees_sons_rcc);
}
