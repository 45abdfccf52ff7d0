# The hotkey list and the key watch in the real main window, with fakes for keyboard, paste and port.
gramura_add_gtest(shell_handover_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/handover_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tastenwache_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/handover_fixture.h
            ${CMAKE_CURRENT_LIST_DIR}/fakeeinfueger.h ${CMAKE_CURRENT_LIST_DIR}/fakeeinfueger.cpp
    LIBS shell gramura_fakes
    LABELS gui)
