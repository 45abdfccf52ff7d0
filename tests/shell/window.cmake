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
foreach(_fenstertest startablauf einstellungen_gesamt fensteraufbau fenstergroesse verbindungsverlust portgeraet)
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
