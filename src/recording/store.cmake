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
)
target_include_directories(recording_store PUBLIC ${CMAKE_CURRENT_LIST_DIR}/.. ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(recording_store PUBLIC recording_rules platform Qt6::Core Qt6::Sql PRIVATE gramura_defaults)
# Where an installed copy finds its template when the executable's folder holds none: relative to the
# executable, so a package installed under another prefix than the build's (/usr, /usr/local) finds it too.
file(RELATIVE_PATH GRAMURA_INSTALL_DATADIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/gramura)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/datenort.cpp PROPERTIES
    COMPILE_DEFINITIONS "GRAMURA_INSTALL_DATADIR=\"${GRAMURA_INSTALL_DATADIR_FROM_BIN}\"")

# The optional central store: side tables in zel.mdb and the sender to a PostgreSQL server. The server
# table's definition is compiled in from the file shipped for administrators.
find_package(Qt6 REQUIRED COMPONENTS Sql)
file(READ ${CMAKE_SOURCE_DIR}/data/zentrale.sql GRAMURA_ZENTRALE_SQL)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/zentrale.sql)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zentralesql.h.in ${CMAKE_CURRENT_BINARY_DIR}/generated/zentralesql.h @ONLY)
target_sources(recording_store PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/nachlass.h
    ${CMAKE_CURRENT_LIST_DIR}/zentralzeile.h
    ${CMAKE_CURRENT_LIST_DIR}/seitentabellen.h ${CMAKE_CURRENT_LIST_DIR}/seitentabellen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentraleadresse.h ${CMAKE_CURRENT_LIST_DIR}/zentraleadresse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentralezustand.h ${CMAKE_CURRENT_LIST_DIR}/zentralezustand.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentralwerte.h ${CMAKE_CURRENT_LIST_DIR}/zentralwerte.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentraleserver.h ${CMAKE_CURRENT_LIST_DIR}/zentraleserver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentralesender.h ${CMAKE_CURRENT_LIST_DIR}/zentralesender.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentralepruefung.h ${CMAKE_CURRENT_LIST_DIR}/zentralepruefung.cpp
)
target_include_directories(recording_store PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/generated)
