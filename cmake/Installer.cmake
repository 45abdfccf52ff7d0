# The Windows installer, made by NSIS through CPack (Debian's nsis cross-builds it):
#   cpack --config <build>/CPackConfig.cmake -B <build>    ->    gramura-<version>-win64.exe
# Per machine under Program Files (64-bit), a Start-menu entry, an uninstaller; /S installs and uninstalls
# silently. The uninstaller removes the program folder only: the recorded weights live in each user's
# %LOCALAPPDATA%\Gramura and stay.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME Gramura)
set(CPACK_PACKAGE_VENDOR "Gramura")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "VELKOR ZEL Desktop: Gewicht der Wiegeanzeige anzeigen, übergeben, aufzeichnen")
set(CPACK_PACKAGE_FILE_NAME "gramura-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Gramura")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Gramura")
set(CPACK_PACKAGE_EXECUTABLES gramura "VELKOR ZEL Desktop")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY ".")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "VELKOR ZEL Desktop")
set(CPACK_NSIS_DISPLAY_NAME "VELKOR ZEL Desktop")
set(CPACK_NSIS_INSTALLED_ICON_NAME "gramura.exe")
set(CPACK_NSIS_MUI_ICON ${GRAMURA_ICO})
set(CPACK_NSIS_MUI_UNIICON ${GRAMURA_ICO})
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MODIFY_PATH OFF)
# The installer itself is a 64-bit program like the one it installs: Program Files and the registry are then
# Windows' own 64-bit views, with no redirection, and it runs where there is no 32-bit subsystem (wine64).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# Tells when the runtime that the central store's driver needs is missing (the file says why it is not carried).
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "!include '${CMAKE_CURRENT_LIST_DIR}/vclaufzeit.nsh'")
include(CPack)
