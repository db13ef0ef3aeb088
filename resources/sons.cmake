# Sons du jeu fabriqués pendant la construction : voix d'espeak-ng à partir des
# textes de resources/Sons, sonnerie et musiques jouées par sox (tools/sons).
# Modifier un texte ne refait que son propre WAV.
find_program(ESPEAK_NG espeak-ng)
if(NOT ESPEAK_NG)
  message(FATAL_ERROR "espeak-ng est introuvable : il fabrique les annonces du jeu. "
    "Installez le paquet Debian espeak-ng (apt-get install espeak-ng).")
endif()
find_program(SOX sox)
find_program(SOXI soxi)
if(NOT SOX OR NOT SOXI)
  message(FATAL_ERROR "sox est introuvable : il traite les voix et joue la sonnerie et les musiques. "
    "Installez le paquet Debian sox (apt-get install sox).")
endif()

set(DOSSIER_SOURCES_SONS ${CMAKE_CURRENT_LIST_DIR}/Sons)
set(DOSSIER_OUTILS_SONS ${CMAKE_CURRENT_LIST_DIR}/../tools/sons)
set(DOSSIER_SONS ${CMAKE_CURRENT_BINARY_DIR}/sons)
file(MAKE_DIRECTORY ${DOSSIER_SONS})

# Chaque annonce et la durée qu'elle ne doit pas dépasser (ms) : l'attente qui
# la suit dans le jeu ; pour celles qui ne sont suivies d'aucune attente, la
# fenêtre où elles sont jouées (9 s avant le vote 1, pause de 8 s entre deux
# votes, appel de 7 s en mode test).
set(PAROLES
  Explications_generales/Jeumeurtrierintroduction 80000
  Explications_generales/Presentationpremiervote 144000
  Explications_generales/Presentationvotefinal 78500
  Explications_generales/Jeumeurtrierconclusion 15000
  Appels_pour_les_votes/4minpourvoter 8000
  Appels_pour_les_votes/Appelvote 7000
  Appels_pour_les_votes/20minavantvote 8000
  Appels_pour_les_votes/15minavantvote 8000
  Appels_pour_les_votes/10minavantvote 8000
  Resultats_des_votes/Eliminevoteclassique 13000
  Resultats_des_votes/Annoncepremiersauve 11000
  Resultats_des_votes/Resultatvotefinal 20000
  Resultats_des_votes/Annoncedeuxiemesauve 10000
  Code_de_la_seconde_chance/Codesecondechancebonusage 16000
  Code_de_la_seconde_chance/Codesecondechanceinutileusage 12000
  Code_de_la_seconde_chance/Codesecondechancemauvaisusage 16000
  Code_de_la_seconde_chance/Eliminecodesecondechance 10000
  Deroulement_des_votes/Lancementvote1 9000)
foreach(k RANGE 2 9)
  list(APPEND PAROLES Deroulement_des_votes/Lancementvote${k} 8000)
endforeach()
foreach(animal cafard chacal chien cochon hyene rat requin serpent vautour)
  list(APPEND PAROLES Noms_d_animaux/Accuse${animal} 1000)
endforeach()

set(FICHIERS_SONS "")
set(LIGNES_SONS "")
macro(declarer_son chemin)
  list(APPEND FICHIERS_SONS ${DOSSIER_SONS}/${chemin}.wav)
  string(APPEND LIGNES_SONS "    <file alias=\"${chemin}.wav\">${DOSSIER_SONS}/${chemin}.wav</file>\n")
endmacro()

list(LENGTH PAROLES nombre_valeurs)
math(EXPR dernier "${nombre_valeurs} - 1")
foreach(i RANGE 0 ${dernier} 2)
  math(EXPR j "${i} + 1")
  list(GET PAROLES ${i} chemin)
  list(GET PAROLES ${j} duree_max_ms)
  get_filename_component(dossier ${DOSSIER_SONS}/${chemin} DIRECTORY)
  file(MAKE_DIRECTORY ${dossier})
  add_custom_command(
    OUTPUT ${DOSSIER_SONS}/${chemin}.wav
    COMMAND bash ${DOSSIER_OUTILS_SONS}/parole.sh ${DOSSIER_SOURCES_SONS}/${chemin}.txt
            ${DOSSIER_SONS}/${chemin}.wav ${duree_max_ms}
    DEPENDS ${DOSSIER_SOURCES_SONS}/${chemin}.txt ${DOSSIER_OUTILS_SONS}/parole.sh
    COMMENT "Voix : ${chemin}"
    VERBATIM)
  declarer_son(${chemin})
endforeach()

set(JINGLE ${DOSSIER_SONS}/Explications_generales/Jingle.wav)
add_custom_command(
  OUTPUT ${JINGLE}
  COMMAND bash ${DOSSIER_OUTILS_SONS}/musique.sh
          ${DOSSIER_SOURCES_SONS}/Explications_generales/Jingle.partition ${JINGLE} --duree 2.75
  DEPENDS ${DOSSIER_SOURCES_SONS}/Explications_generales/Jingle.partition ${DOSSIER_OUTILS_SONS}/musique.sh
  COMMENT "Musique : jingle"
  VERBATIM)
declarer_son(Explications_generales/Jingle)

add_custom_command(
  OUTPUT ${DOSSIER_SONS}/Explications_generales/Jingleetmusique.wav
  COMMAND bash ${DOSSIER_OUTILS_SONS}/musique.sh
          ${DOSSIER_SOURCES_SONS}/Explications_generales/Jingleetmusique.partition
          ${DOSSIER_SONS}/Explications_generales/Jingleetmusique.wav --avant ${JINGLE}
  DEPENDS ${DOSSIER_SOURCES_SONS}/Explications_generales/Jingleetmusique.partition
          ${DOSSIER_OUTILS_SONS}/musique.sh ${JINGLE}
  COMMENT "Musique : entrée du présentateur"
  VERBATIM)
declarer_son(Explications_generales/Jingleetmusique)

add_custom_command(
  OUTPUT ${DOSSIER_SONS}/Appels_pour_les_votes/Sonnerie.wav
  COMMAND bash ${DOSSIER_OUTILS_SONS}/sonnerie.sh ${DOSSIER_SONS}/Appels_pour_les_votes/Sonnerie.wav
  DEPENDS ${DOSSIER_OUTILS_SONS}/sonnerie.sh
  COMMENT "Sonnerie"
  VERBATIM)
declarer_son(Appels_pour_les_votes/Sonnerie)

# Les WAV passent tels quels (sans compression) dans un fichier de ressources
# binaire que l'assembleur incruste dans un objet : quelques secondes de
# construction pour des dizaines de mégaoctets, là où un tableau C++ en
# demanderait des minutes.
configure_file(${CMAKE_CURRENT_LIST_DIR}/sons.qrc.in ${CMAKE_CURRENT_BINARY_DIR}/sons.qrc @ONLY)
set(RESSOURCES_SONS ${CMAKE_CURRENT_BINARY_DIR}/sons.rcc)
add_custom_command(
  OUTPUT ${RESSOURCES_SONS}
  COMMAND Qt5::rcc --binary --no-compress ${CMAKE_CURRENT_BINARY_DIR}/sons.qrc -o ${RESSOURCES_SONS}
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/sons.qrc ${FICHIERS_SONS}
  COMMENT "Assemblage des sons"
  VERBATIM)

set(SOURCE_SONS ${CMAKE_CURRENT_LIST_DIR}/../app/ressources_sons.cpp)
set_source_files_properties(${SOURCE_SONS} PROPERTIES OBJECT_DEPENDS ${RESSOURCES_SONS})
# Bibliothèque objet : ses objets sont liés directement dans chaque programme,
# y compris les tests, et s'enregistrent seuls au chargement.
add_library(le_sordane_sons OBJECT ${SOURCE_SONS} ${RESSOURCES_SONS})
target_compile_definitions(le_sordane_sons PRIVATE FICHIER_SONS_RCC=${RESSOURCES_SONS})
target_link_libraries(le_sordane_sons PRIVATE Qt5::Core)
set_target_properties(le_sordane_sons PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
set(FICHIERS_OBJETS_SONS $<TARGET_OBJECTS:le_sordane_sons>)
