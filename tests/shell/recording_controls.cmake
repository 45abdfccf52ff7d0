gramura_add_gtest(shell_recording_controls_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/frmzusatzsalden_test.cpp ${CMAKE_CURRENT_LIST_DIR}/aufzeichnung_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/recording_controls_fixture.h
    LIBS shell gramura_fakes
    LABELS gui)
