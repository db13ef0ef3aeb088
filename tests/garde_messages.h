#ifndef GARDE_MESSAGES_H
#define GARDE_MESSAGES_H

// Un avertissement ou une erreur de Qt qu'un test n'attendait pas le fait échouer :
// une connexion ratée, une boucle d'attente relancée ou une mise en page bancale
// ne passent plus inaperçues dans un journal qui défile.
//
// Les programmes de test remplacent QTEST_MAIN, QTEST_GUILESS_MAIN et
// QTEST_APPLESS_MAIN par TEST_SORDANE_MAIN, TEST_SORDANE_SANS_IHM_MAIN et
// TEST_SORDANE_SANS_APPLICATION_MAIN : même application que chez Qt, mais le
// gestionnaire de messages de la garde passe avant celui de Qt Test.

#include <QApplication>
#include <QCoreApplication>
#include <QString>
#include <QTest>

namespace GardeMessages {
// Bruits connus de l'environnement de test, sans rapport avec le jeu.
bool est_un_bruit_connu(const QString& message);
// Pour un test qui a besoin du son : les plaintes de PulseAudio redeviennent des
// échecs, jusqu'à ce qu'il arrête lui-même son serveur.
void exiger_le_son(bool exige = true);
// Un message que le test provoque exprès, à la place de QTest::ignoreMessage :
// il doit arriver pendant la fonction de test en cours, et ne la fait pas échouer.
void attendre(QtMsgType type, const char* message);

// Utilisés par les macros ci-dessous.
void surveiller();
int executer(QObject* test, int argc, char** argv);
int bilan(int resultat);
}

// L'application est détruite avant le bilan : ses messages d'adieu comptent aussi.
#define TEST_SORDANE_MAIN_AVEC(Application, TestObject)                                  \
    int main(int argc, char* argv[])                                                    \
    {                                                                                   \
        GardeMessages::surveiller();                                                    \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();              \
        int resultat = 0;                                                               \
        {                                                                               \
            Application app(argc, argv);                                                \
            app.setAttribute(Qt::AA_Use96Dpi, true);                                    \
            TestObject tc;                                                              \
            QTEST_SET_MAIN_SOURCE_PATH                                                  \
            resultat = GardeMessages::executer(&tc, argc, argv);                        \
        }                                                                               \
        return GardeMessages::bilan(resultat);                                          \
    }

#define TEST_SORDANE_MAIN(TestObject) TEST_SORDANE_MAIN_AVEC(QApplication, TestObject)
#define TEST_SORDANE_SANS_IHM_MAIN(TestObject) TEST_SORDANE_MAIN_AVEC(QCoreApplication, TestObject)

#define TEST_SORDANE_SANS_APPLICATION_MAIN(TestObject)                                  \
    int main(int argc, char* argv[])                                                    \
    {                                                                                   \
        GardeMessages::surveiller();                                                    \
        int resultat = 0;                                                               \
        {                                                                               \
            TestObject tc;                                                              \
            QTEST_SET_MAIN_SOURCE_PATH                                                  \
            resultat = GardeMessages::executer(&tc, argc, argv);                        \
        }                                                                               \
        return GardeMessages::bilan(resultat);                                          \
    }

#endif
