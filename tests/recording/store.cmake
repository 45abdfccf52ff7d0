# The weight store, its maintenance and the record list's model, on real SQLite files in temporary folders.
add_executable(gramura_aufzeichner ${CMAKE_CURRENT_LIST_DIR}/aufzeichner.cpp)
target_link_libraries(gramura_aufzeichner PRIVATE recording_store zentrale gramura_defaults)

gramura_add_gtest(recording_store_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h
        ${CMAKE_CURRENT_LIST_DIR}/weightstore_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/datenbankpflege_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/papierkorb_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/gewichteliste_test.cpp
    LIBS recording_store
    LABELS unit)
add_dependencies(recording_store_test gramura_aufzeichner gramura_template)
target_compile_definitions(recording_store_test PRIVATE
    GRAMURA_AUFZEICHNER="$<TARGET_FILE:gramura_aufzeichner>"
    GRAMURA_GEBAUTE_VORLAGE="${CMAKE_BINARY_DIR}/zel.neu")

gramura_add_gtest(recording_crash_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h ${CMAKE_CURRENT_LIST_DIR}/crashsicherheit_test.cpp
    LIBS recording_store
    LABELS e2e
    TIMEOUT 600)
add_dependencies(recording_crash_test gramura_aufzeichner)
target_compile_definitions(recording_crash_test PRIVATE GRAMURA_AUFZEICHNER="$<TARGET_FILE:gramura_aufzeichner>")

# The program's recording part and other programs on the same zel.mdb, each in a process of its own.
find_program(GRAMURA_SQLITE3 sqlite3)
if(NOT GRAMURA_SQLITE3)
    set(GRAMURA_SQLITE3 sqlite3)
endif()
gramura_add_gtest(recording_fremdzugriff_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h
        ${CMAKE_CURRENT_LIST_DIR}/programmprozess.h
        ${CMAKE_CURRENT_LIST_DIR}/sqliteprozess.h
        ${CMAKE_CURRENT_LIST_DIR}/fremdzugriff_test.cpp
    LIBS recording_store
    LABELS e2e)
add_dependencies(recording_fremdzugriff_test gramura_aufzeichner)
target_compile_definitions(recording_fremdzugriff_test PRIVATE
    GRAMURA_AUFZEICHNER="$<TARGET_FILE:gramura_aufzeichner>"
    GRAMURA_SQLITE3="${GRAMURA_SQLITE3}")
