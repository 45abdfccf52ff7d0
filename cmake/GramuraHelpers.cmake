# Shared compile settings: every target links gramura_defaults instead of setting flags globally.
add_library(gramura_defaults INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(gramura_defaults INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                                      $<$<BOOL:${GRAMURA_WERROR}>:-Werror>)
elseif(MSVC)
    target_compile_options(gramura_defaults INTERFACE /W4 $<$<BOOL:${GRAMURA_WERROR}>:/WX> /utf-8)
endif()
target_compile_definitions(gramura_defaults INTERFACE QT_NO_KEYWORDS)

# gramura_add_gtest(<name> [GUI] SOURCES ... LIBS ... LABELS ... [ENVIRONMENT ...] [TIMEOUT s])
# One executable per test file group; CTest sees every TEST() on its own, labelled so a group can run alone.
function(gramura_add_gtest name)
    cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LIBS;LABELS;ENVIRONMENT" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE gramura_defaults GTest::gtest GTest::gmock ${ARG_LIBS})
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE gramura_test_main_gui)
    else()
        target_link_libraries(${name} PRIVATE gramura_test_main_core)
    endif()
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 120)
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 30
        PROPERTIES
            LABELS "${ARG_LABELS}"
            TIMEOUT ${ARG_TIMEOUT}
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENVIRONMENT}")
endfunction()
