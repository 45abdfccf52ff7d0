# The central store: its pure parts, its tables in zel.mdb, and stations sending to a real PostgreSQL server.
gramura_add_gtest(recording_zentrale_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h
        ${CMAKE_CURRENT_LIST_DIR}/zentrale_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/seitentabellen_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/zentralwerte_test.cpp
    LIBS recording_store
    LABELS unit)

gramura_add_gtest(recording_zentrale_e2e_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h
        ${CMAKE_CURRENT_LIST_DIR}/programmprozess.h
        ${CMAKE_CURRENT_LIST_DIR}/zentrale_fixture.h
        ${CMAKE_CURRENT_LIST_DIR}/zentrale_e2e_test.cpp
    LIBS recording_store gramura_pgcluster
    LABELS central
    TIMEOUT 300)
add_dependencies(recording_zentrale_e2e_test gramura_aufzeichner)
target_compile_definitions(recording_zentrale_e2e_test PRIVATE GRAMURA_AUFZEICHNER="$<TARGET_FILE:gramura_aufzeichner>")

gramura_add_gtest(recording_zentrale_fremd_e2e_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/zentrale_fixture.h
        ${CMAKE_CURRENT_LIST_DIR}/sqliteprozess.h
        ${CMAKE_CURRENT_LIST_DIR}/zentrale_fremd_e2e_test.cpp
    LIBS recording_store gramura_pgcluster
    LABELS central
    TIMEOUT 300)
add_dependencies(recording_zentrale_fremd_e2e_test gramura_aufzeichner)
target_compile_definitions(recording_zentrale_fremd_e2e_test PRIVATE
    GRAMURA_AUFZEICHNER="$<TARGET_FILE:gramura_aufzeichner>" GRAMURA_SQLITE3="${GRAMURA_SQLITE3}")

# Coverage-guided fuzzing of the connection text's reader (build and run: see the comment in the source).
if(GRAMURA_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # The reader is compiled in again so the fuzzer's coverage instrumentation reaches it.
    add_executable(zentraleadresse_fuzz ${CMAKE_CURRENT_LIST_DIR}/zentraleadresse_fuzz.cpp
                                        ${PROJECT_SOURCE_DIR}/src/recording/zentraleadresse.cpp)
    target_include_directories(zentraleadresse_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(zentraleadresse_fuzz PRIVATE -fsanitize=fuzzer,address,undefined
                                                        -fno-sanitize-recover=undefined)
    target_link_options(zentraleadresse_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(zentraleadresse_fuzz PRIVATE gramura_defaults Qt6::Core)
endif()
