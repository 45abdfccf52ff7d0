# The Win32 keyboard adapters, cross-built with mingw-w64 and run under Wine; the script reports SKIPPED where
# the toolchain or Wine is not installed.
if(NOT WIN32)
    add_test(NAME platform_win_adapters_wine
             COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/win/run-wine-tests.sh ${CMAKE_CURRENT_BINARY_DIR}/win-adapters)
    set_tests_properties(platform_win_adapters_wine PROPERTIES LABELS wine TIMEOUT 600 SKIP_REGULAR_EXPRESSION
                                                               "SKIPPED")
endif()

# Which left Ctrl counts on Windows, and which key Ctrl+V takes for V, are rules without Win32 calls: checked
# natively on every build.
gramura_add_gtest(platform_linkestrg_test
    SOURCES win/linkestrg_test.cpp win/vtaste_test.cpp
    LIBS platform
    LABELS unit)
