# The weight store on SQLite, its maintenance, the data folder and the record list's model.
include(GNUInstallDirs)
add_library(recording_store STATIC
    ${CMAKE_CURRENT_LIST_DIR}/speicher.h
    ${CMAKE_CURRENT_LIST_DIR}/gewichttext.h ${CMAKE_CURRENT_LIST_DIR}/gewichttext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/fileexist.h ${CMAKE_CURRENT_LIST_DIR}/fileexist.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datenquelle.h ${CMAKE_CURRENT_LIST_DIR}/datenquelle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/vorlage.h ${CMAKE_CURRENT_LIST_DIR}/vorlage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/weightstore.h ${CMAKE_CURRENT_LIST_DIR}/weightstore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gewichteliste.h ${CMAKE_CURRENT_LIST_DIR}/gewichteliste.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datenbankpflege.h ${CMAKE_CURRENT_LIST_DIR}/datenbankpflege.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datenort.h ${CMAKE_CURRENT_LIST_DIR}/datenort.cpp
    ${CMAKE_CURRENT_LIST_DIR}/papierkorb.h ${CMAKE_CURRENT_LIST_DIR}/papierkorb.cpp
)
target_include_directories(recording_store PUBLIC ${CMAKE_CURRENT_LIST_DIR}/.. ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(recording_store PUBLIC recording_rules platform Qt6::Core Qt6::Sql PRIVATE gramura_defaults)
# Where an installed copy finds its template when the executable's folder holds none: relative to the
# executable, so a package installed under another prefix than the build's (/usr, /usr/local) finds it too.
file(RELATIVE_PATH GRAMURA_INSTALL_DATADIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/gramura)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/datenort.cpp PROPERTIES
    COMPILE_DEFINITIONS "GRAMURA_INSTALL_DATADIR=\"${GRAMURA_INSTALL_DATADIR_FROM_BIN}\"")

# Books other parts keep with each stored row (the central store's), behind an interface of the store's own.
target_sources(recording_store PRIVATE ${CMAKE_CURRENT_LIST_DIR}/nachlass.h ${CMAKE_CURRENT_LIST_DIR}/buchung.h)

