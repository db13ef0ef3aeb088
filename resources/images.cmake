# Images du jeu dessinées par tools/generer_images (QPainter) pendant la construction.
set(DOSSIER_IMAGES ${CMAKE_CURRENT_BINARY_DIR}/images)
set(FICHIERS_IMAGES ${DOSSIER_IMAGES}/Fond.png ${DOSSIER_IMAGES}/Fleche.png ${DOSSIER_IMAGES}/icone.png)
# L'icône aux tailles installées et pour Windows : hors des ressources du jeu.
set(TAILLES_ICONE 16 32 48 64 128 256)
set(FICHIERS_ICONE ${DOSSIER_IMAGES}/icone.ico)
foreach(taille IN LISTS TAILLES_ICONE)
  list(APPEND FICHIERS_ICONE ${DOSSIER_IMAGES}/icone_${taille}.png)
endforeach()
set(LIGNES_FOND_ANIME "")
foreach(n RANGE 1 30)
  list(APPEND FICHIERS_IMAGES ${DOSSIER_IMAGES}/fond_anime_${n}.png)
  string(APPEND LIGNES_FOND_ANIME
    "    <file alias=\"Images du fond animé/Fond animé${n}.png\">${DOSSIER_IMAGES}/fond_anime_${n}.png</file>\n")
endforeach()
add_custom_command(
  OUTPUT ${FICHIERS_IMAGES} ${FICHIERS_ICONE}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:generer_images> ${DOSSIER_IMAGES} ${TAILLES_ICONE}
  DEPENDS generer_images
  COMMENT "Dessin des images du jeu"
  VERBATIM)
add_custom_target(icones ALL DEPENDS ${FICHIERS_ICONE})
