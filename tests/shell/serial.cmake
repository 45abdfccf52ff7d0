# The serial line end to end: the real main window reading a pseudo-terminal fed by the indicator simulator.
if(TARGET indicatorsim)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    gramura_add_gtest(shell_serial_e2e_test GUI
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/serial_e2e_test.cpp
        LIBS shell indicatorsim gramura_fakes Qt6::Test
        LABELS e2e
        TIMEOUT 120)
endif()
