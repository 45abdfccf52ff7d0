gramura_add_gtest(shell_recording_list_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/pankenn_test.cpp
    LIBS shell recording_store gramura_fakes
    LABELS gui)
target_include_directories(shell_recording_list_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)
