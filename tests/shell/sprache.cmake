# The program's German whatever the language the process starts in.
gramura_add_gtest(shell_sprache_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/sprache_test.cpp ${CMAKE_SOURCE_DIR}/tests/recording/testdatenbank.h
    LIBS shell recording_store
    LABELS gui)
target_include_directories(shell_sprache_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)
