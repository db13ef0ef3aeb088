# Installation comme un jeu de bureau (cmake --install) et paquet Debian (cpack) :
# le programme, son entrée de menu, son icône à chaque taille, la licence des polices.
include(GNUInstallDirs)
install(TARGETS le_sordane RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/resources/Bureau/le-sordane.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(taille IN LISTS TAILLES_ICONE)
  install(FILES ${DOSSIER_IMAGES}/icone_${taille}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${taille}x${taille}/apps
    RENAME le-sordane.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/Apparence/OFL.txt
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/le-sordane RENAME licence-police-xolonium.txt)

# Les sons et les images sont dans le programme ; il lui faut à l'exécution le
# greffon audio de Qt Multimedia et les traductions françaises de Qt.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME le-sordane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Le maître du jeu d'une soirée Sordane")
set(CPACK_PACKAGE_DESCRIPTION "Neuf accusés votent, un par un devant le même écran, pour s'écarter les uns les autres jusqu'à ce que deux soient sauvés. Le programme annonce, décompte, recueille les bulletins, dépouille, sauvegarde après chaque vote et écrit le rapport de la soirée.")
set(CPACK_PACKAGE_CONTACT "Le Sordane <organisateur@le-sordane.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5multimedia5-plugins, qttranslations5-l10n")
include(CPack)

# Ressources de l'exécutable Windows (icône IDI_ICON1, fiche de version) : écrites
# pour toute construction, pour que windres les vérifie ; compilées sous Windows seulement.
configure_file(${PROJECT_SOURCE_DIR}/app/le_sordane.rc.in ${PROJECT_BINARY_DIR}/le_sordane.rc @ONLY)
if(WIN32)
  target_sources(le_sordane PRIVATE ${PROJECT_BINARY_DIR}/le_sordane.rc)
endif()
