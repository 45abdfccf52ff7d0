# The export from page "Aufzeichnung" and the page "Verlauf", on real files in temporary folders.
find_package(Qt6 REQUIRED COMPONENTS Test)
gramura_add_gtest(shell_export_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/export_test.cpp ${CMAKE_CURRENT_LIST_DIR}/exportdialog_test.cpp
    LIBS shell recording_store gramura_fakes Qt6::Test
    LABELS gui)
target_include_directories(shell_export_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)
