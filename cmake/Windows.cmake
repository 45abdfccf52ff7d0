# The program for Windows: a window program (no console of its own) with icon, manifest and version
# information, installed as a runnable folder with every DLL and Qt plugin it loads. Included only when
# building for Windows; Packaging.cmake turns the same installation into the installer.
set_target_properties(gramura PROPERTIES WIN32_EXECUTABLE ON)

# The icon is drawn by the program's own code, so the build renders it; cross-built, under the emulator.
set(GRAMURA_ICO ${CMAKE_BINARY_DIR}/gramura.ico)
add_custom_command(OUTPUT ${GRAMURA_ICO}
    COMMAND gramura-icon --ico ${GRAMURA_ICO} 16 20 24 32 40 48 64 256
    DEPENDS gramura-icon
    COMMENT "Programmsymbol gramura.ico"
    VERBATIM)
add_custom_target(gramura_ico DEPENDS ${GRAMURA_ICO})

set(GRAMURA_MANIFEST ${CMAKE_BINARY_DIR}/gramura.manifest)
configure_file(${CMAKE_SOURCE_DIR}/data/windows/gramura.manifest.in ${GRAMURA_MANIFEST} @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/data/windows/gramura.rc.in ${CMAKE_BINARY_DIR}/gramura.rc @ONLY)
target_sources(gramura PRIVATE ${CMAKE_BINARY_DIR}/gramura.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/gramura.rc PROPERTIES OBJECT_DEPENDS "${GRAMURA_ICO};${GRAMURA_MANIFEST}")
add_dependencies(gramura gramura_ico)

# Qt's libraries, the plugins the program loads and the compiler's runtime go beside the executable.
foreach(modul Core Gui Widgets Network Sql SerialPort)
    install(FILES ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}/Qt6${modul}.dll DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
set(_plugins ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS})
foreach(plugin platforms/qwindows sqldrivers/qsqlite sqldrivers/qsqlpsql styles/qmodernwindowsstyle imageformats/qico)
    get_filename_component(_ordner ${plugin} DIRECTORY)
    install(FILES ${_plugins}/${plugin}.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/${_ordner})
endforeach()
# The PostgreSQL client that Qt's driver loads for the central store, with the DLLs it loads in turn, beside the
# program where the loader looks first. Built with Microsoft's compiler: they also need the Visual C++ runtime,
# which the installer looks for (cmake/vclaufzeit.nsh).
set(GRAMURA_LIBPQ_BIN ${QT6_INSTALL_PREFIX}/../libpq/bin CACHE PATH "folder with libpq.dll for Windows and its DLLs")
foreach(dll libpq.dll libssl-3-x64.dll libcrypto-3-x64.dll libintl-9.dll libiconv-2.dll)
    if(NOT EXISTS ${GRAMURA_LIBPQ_BIN}/${dll})
        message(FATAL_ERROR "${dll} not found in GRAMURA_LIBPQ_BIN=${GRAMURA_LIBPQ_BIN}: the central store's driver "
                            "would not load")
    endif()
    install(FILES ${GRAMURA_LIBPQ_BIN}/${dll} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
# Qt's German words for its own dialogs and the command line, in the folder "translations" beside the program,
# where it looks for them. Cross-built they are Debian's (package qt6-translations-l10n), since the Qt for
# Windows here brings none; a Qt installed on Windows brings its own.
foreach(katalog qtbase qtserialport)
    find_file(GRAMURA_QM_${katalog} ${katalog}_de.qm
              PATHS /usr/share/qt6/translations ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_TRANSLATIONS}
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT GRAMURA_QM_${katalog})
        message(FATAL_ERROR "${katalog}_de.qm found neither in /usr/share/qt6/translations (package "
                            "qt6-translations-l10n) nor in Qt's translations folder")
    endif()
    install(FILES ${GRAMURA_QM_${katalog}} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
endforeach()
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libssp-0.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE _pfad
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${_pfad}" OR NOT EXISTS "${_pfad}")
        message(FATAL_ERROR "${dll} not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    install(FILES ${_pfad} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# Every DLL that an executable or DLL of a laid-out folder imports is there or part of Windows:
#   cmake -DORDNER=<folder> -DOBJDUMP=<objdump> -P cmake/PeImporte.cmake
find_program(GRAMURA_OBJDUMP NAMES x86_64-w64-mingw32-objdump objdump)
set(GRAMURA_OBJDUMP ${GRAMURA_OBJDUMP} CACHE FILEPATH "objdump that reads PE files")
