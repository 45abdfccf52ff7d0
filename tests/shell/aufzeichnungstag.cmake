# A recording day pressed into one run on the real tick, store, list and page, with sqlite3 processes reading
# the file meanwhile. The normal run records 6,000 seconds; the whole day of 86,400 runs only with the label
# "lang" (the test preset "ganzer-tag").
find_program(GRAMURA_SQLITE3 sqlite3)
if(NOT GRAMURA_SQLITE3)
    set(GRAMURA_SQLITE3 sqlite3)
endif()
gramura_add_gtest(shell_aufzeichnungstag_test GUI
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/aufzeichnungstag_test.cpp ${CMAKE_CURRENT_LIST_DIR}/recording_controls_fixture.h
    LIBS shell recording_store gramura_fakes
    LABELS e2e
    TIMEOUT 180)
target_include_directories(shell_aufzeichnungstag_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)
target_compile_definitions(shell_aufzeichnungstag_test PRIVATE GRAMURA_SQLITE3="${GRAMURA_SQLITE3}")

add_test(NAME shell_aufzeichnungstag.ganzer_tag
         COMMAND shell_aufzeichnungstag_test --gtest_filter=AufzeichnungsTag.*)
set_tests_properties(shell_aufzeichnungstag.ganzer_tag PROPERTIES
    LABELS lang
    TIMEOUT 1800
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GRAMURA_GANZER_TAG=1")
