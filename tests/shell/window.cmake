gramura_add_gtest(shell_fensterlayout_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/fensterlayout_test.cpp
    LIBS shell
    LABELS unit)

gramura_add_gtest(shell_trayfenster_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/trayfenster_test.cpp ${CMAKE_SOURCE_DIR}/tests/fakes/fakesystray.h
    LIBS shell gramura_fakes
    LABELS gui)

# The whole main window with logging fakes behind every adapter and a data folder of its own.
set(_fenster_fixture ${CMAKE_CURRENT_LIST_DIR}/hauptfenster_fixture.h ${CMAKE_CURRENT_LIST_DIR}/fakeeinfueger.h
                     ${CMAKE_CURRENT_LIST_DIR}/fakeeinfueger.cpp)
find_package(Qt6 REQUIRED COMPONENTS Test)
foreach(_fenstertest startablauf einstellungen_gesamt einstellungen_ende fensteraufbau fenstergroesse verbindungsverlust
                    veraltet portgeraet verbindung bandraum tastaturbedienung)
    gramura_add_gtest(shell_${_fenstertest}_test GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/${_fenstertest}_test.cpp ${_fenster_fixture}
        LIBS shell recording_store gramura_fakes Qt6::Test
        LABELS gui)
    target_include_directories(shell_${_fenstertest}_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)
endforeach()

gramura_add_gtest(shell_zentraleanzeige_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/zentraleanzeige_test.cpp ${CMAKE_SOURCE_DIR}/tests/fakes/fakesystray.h
    LIBS shell recording_store gramura_fakes
    LABELS gui)

# The central store where the PostgreSQL driver does not load: one line naming the file, no knocking.
find_package(Qt6 REQUIRED COMPONENTS Network)
gramura_add_gtest(shell_zentraletreiber_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/zentraletreiber_test.cpp ${CMAKE_SOURCE_DIR}/tests/recording/testdatenbank.h
            ${CMAKE_SOURCE_DIR}/tests/fakes/fakesystray.h
    LIBS shell recording_store gramura_fakes Qt6::Test Qt6::Network
    LABELS gui)
target_include_directories(shell_zentraletreiber_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)

# "Zentrale" offscreen: what its fields store where, and a check cut short by closing it.
find_package(Qt6 REQUIRED COMPONENTS Network)
gramura_add_gtest(shell_frmzentrale_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/frmzentrale_test.cpp
    LIBS shell gramura_fakes Qt6::Test Qt6::Network
    LABELS gui)

# "Zentrale" against real servers: its check over TLS, and the sender following what OK saved.
gramura_add_gtest(shell_frmzentrale_e2e_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/frmzentrale_e2e_test.cpp ${CMAKE_SOURCE_DIR}/tests/recording/testdatenbank.h
            ${CMAKE_SOURCE_DIR}/tests/fakes/fakesystray.h
    LIBS shell recording_store gramura_fakes gramura_pgcluster Qt6::Test
    LABELS central
    TIMEOUT 300)
target_include_directories(shell_frmzentrale_e2e_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)

# The program as started by the operator, with the central server in its settings.
gramura_add_gtest(shell_zentrale_programm_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/zentrale_programm_test.cpp
    LIBS gramura_pgcluster Qt6::Sql
    LABELS central
    TIMEOUT 240)
add_dependencies(shell_zentrale_programm_test gramura gramura_template)
target_compile_definitions(shell_zentrale_programm_test PRIVATE
    GRAMURA_PROGRAMM="$<TARGET_FILE:gramura>"
    GRAMURA_GEBAUTE_VORLAGE="${CMAKE_BINARY_DIR}/zel.neu")

# The program as started by the operator with --demo: the built-in indicator's weights on display and recorded.
gramura_add_gtest(shell_demo_programm_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/demo_programm_test.cpp
    LIBS Qt6::Sql
    LABELS e2e
    TIMEOUT 180)
add_dependencies(shell_demo_programm_test gramura gramura_template)
target_compile_definitions(shell_demo_programm_test PRIVATE
    GRAMURA_PROGRAMM="$<TARGET_FILE:gramura>"
    GRAMURA_GEBAUTE_VORLAGE="${CMAKE_BINARY_DIR}/zel.neu")

# The program as started by the operator, with a central server it cannot use: what it prints.
gramura_add_gtest(shell_zentrale_ausgabe_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/zentrale_ausgabe_test.cpp
    LIBS Qt6::Core
    LABELS e2e
    TIMEOUT 180)
add_dependencies(shell_zentrale_ausgabe_test gramura gramura_template)
target_compile_definitions(shell_zentrale_ausgabe_test PRIVATE
    GRAMURA_PROGRAMM="$<TARGET_FILE:gramura>"
    GRAMURA_GEBAUTE_VORLAGE="${CMAKE_BINARY_DIR}/zel.neu")
