# The program's command line, started as a person in a console starts it.
gramura_add_gtest(shell_aufruf_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/aufruf_test.cpp
    LIBS Qt6::Core
    LABELS e2e)
add_dependencies(shell_aufruf_test gramura)
target_compile_definitions(shell_aufruf_test PRIVATE GRAMURA_PROGRAMM="$<TARGET_FILE:gramura>")
