# The weight store, its maintenance and the record list's model, on real SQLite files in temporary folders.
add_executable(gramura_aufzeichner ${CMAKE_CURRENT_LIST_DIR}/aufzeichner.cpp)
target_link_libraries(gramura_aufzeichner PRIVATE recording_store gramura_defaults)

gramura_add_gtest(recording_store_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h
        ${CMAKE_CURRENT_LIST_DIR}/weightstore_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/datenbankpflege_test.cpp
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
