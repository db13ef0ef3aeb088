# Sons du jeu : les voix sont des enregistrements du dépôt (FLAC faits avec
# SVOX Pico par tools/sons/parole.sh à partir des textes de resources/Sons),
# que sox décode en WAV ; la sonnerie et les musiques sont jouées par sox à
# partir de leurs partitions (tools/sons). Aucune synthèse vocale à la construction.
find_program(SOX sox)
find_program(SOXI soxi)
if(NOT SOX OR NOT SOXI)
  message(FATAL_ERROR "sox est introuvable : il décode les voix et joue la sonnerie et les musiques. "
    "Installez le paquet Debian sox (apt-get install sox).")
endif()

set(DOSSIER_SOURCES_SONS ${CMAKE_CURRENT_LIST_DIR}/Sons)
set(DOSSIER_OUTILS_SONS ${CMAKE_CURRENT_LIST_DIR}/../tools/sons)
set(DOSSIER_SONS ${CMAKE_CURRENT_BINARY_DIR}/sons)
file(MAKE_DIRECTORY ${DOSSIER_SONS})

set(FICHIERS_SONS "")
set(LIGNES_SONS "")
macro(declarer_son chemin)
  list(APPEND FICHIERS_SONS ${DOSSIER_SONS}/${chemin}.wav)
  string(APPEND LIGNES_SONS "    <file alias=\"${chemin}.wav\">${DOSSIER_SONS}/${chemin}.wav</file>\n")
endmacro()

# Le manifeste des voix en donne la liste : une annonce par ligne, son chemin d'abord.
set(MANIFESTE_VOIX ${DOSSIER_SOURCES_SONS}/manifeste.sha256)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${MANIFESTE_VOIX})
file(STRINGS ${MANIFESTE_VOIX} LIGNES_MANIFESTE ENCODING UTF-8 REGEX "^[^#]")
foreach(ligne IN LISTS LIGNES_MANIFESTE)
  string(REGEX REPLACE " .*" "" chemin "${ligne}")
  get_filename_component(dossier ${DOSSIER_SONS}/${chemin} DIRECTORY)
  file(MAKE_DIRECTORY ${dossier})
  add_custom_command(
    OUTPUT ${DOSSIER_SONS}/${chemin}.wav
    COMMAND ${SOX} ${DOSSIER_SOURCES_SONS}/${chemin}.flac -b 16 ${DOSSIER_SONS}/${chemin}.wav
    DEPENDS ${DOSSIER_SOURCES_SONS}/${chemin}.flac
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
