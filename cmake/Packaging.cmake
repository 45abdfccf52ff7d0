# Installation into the usual places, and a Debian package through CPack; on Windows the program folder and
# an installer made with NSIS.
install(TARGETS gramura RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(NOT WIN32)
    install(FILES ${CMAKE_SOURCE_DIR}/data/gramura.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/data/gramura.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
# For the administrator who creates the central table beforehand.
install(FILES ${CMAKE_SOURCE_DIR}/data/zentrale.sql DESTINATION ${CMAKE_INSTALL_DATADIR}/gramura)

if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/Installer.cmake)
    return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gramura)
set(CPACK_PACKAGE_VENDOR "Gramura")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Wiegeanzeige am Arbeitsplatz: Gewicht anzeigen, übergeben, aufzeichnen")
set(CPACK_PACKAGE_CONTACT "Gramura <entwicklung@gramura.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SQL drivers, platform plugins and Qt's German words are loaded at run time, so the shared-library scan does
# not see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, libqt6sql6-psql, qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-dejavu-extra")
set(CPACK_PACKAGE_INSTALL_DIRECTORY gramura)
include(CPack)
