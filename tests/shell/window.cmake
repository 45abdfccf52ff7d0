gramura_add_gtest(shell_fensterlayout_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/fensterlayout_test.cpp
    LIBS shell
    LABELS unit)

gramura_add_gtest(shell_trayfenster_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/trayfenster_test.cpp ${CMAKE_SOURCE_DIR}/tests/fakes/fakesystray.h
    LIBS shell gramura_fakes
    LABELS gui)
