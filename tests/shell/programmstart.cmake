# One program per user and data folder: the second start against a running one in this process, with the
# system's answers about that program (its rights, the foreground) from a fake.
gramura_add_gtest(shell_einzelstart_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/einzelstart_test.cpp
    LIBS shell
    LABELS unit)

# The widget style the window is built in, whatever the system would give.
gramura_add_gtest(shell_oberflaeche_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/oberflaeche_test.cpp
    LIBS shell
    LABELS gui)
