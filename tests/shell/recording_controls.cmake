find_package(Qt6 REQUIRED COMPONENTS Test)
gramura_add_gtest(shell_recording_controls_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/frmzusatzsalden_test.cpp ${CMAKE_CURRENT_LIST_DIR}/aufzeichnung_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/recording_controls_fixture.h
    LIBS shell gramura_fakes Qt6::Test
    LABELS gui)

# The tick on the real weight store while another program, in a process of its own, holds the write lock.
find_program(GRAMURA_SQLITE3 sqlite3)
if(NOT GRAMURA_SQLITE3)
    set(GRAMURA_SQLITE3 sqlite3)
endif()
gramura_add_gtest(shell_aufzeichnung_sperre_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/aufzeichnung_sperre_test.cpp ${CMAKE_CURRENT_LIST_DIR}/recording_controls_fixture.h
    LIBS shell recording_store gramura_fakes
    LABELS e2e)
target_include_directories(shell_aufzeichnung_sperre_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)
target_compile_definitions(shell_aufzeichnung_sperre_test PRIVATE GRAMURA_SQLITE3="${GRAMURA_SQLITE3}")
