# The export's reading and the chart's reduction, in the test's own process on real SQLite files.
gramura_add_gtest(recording_export_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h ${CMAKE_CURRENT_LIST_DIR}/export_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/fremdwerte_test.cpp
    LIBS recording_store
    LABELS unit)

# The command line's export as a scheduled job runs it: the program in a child process without a display,
# its file read back by Python's csv module.
find_program(GRAMURA_PYTHON3 python3)
if(NOT GRAMURA_PYTHON3)
    set(GRAMURA_PYTHON3 python3)
endif()
gramura_add_gtest(recording_exportbefehl_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/testdatenbank.h ${CMAKE_CURRENT_LIST_DIR}/exportbefehl_test.cpp
    LIBS recording_store
    LABELS e2e)
add_dependencies(recording_exportbefehl_test gramura)
target_compile_definitions(recording_exportbefehl_test PRIVATE
    GRAMURA_PROGRAMM="$<TARGET_FILE:gramura>"
    GRAMURA_PYTHON3="${GRAMURA_PYTHON3}"
    GRAMURA_CSV_LESEN="${CMAKE_CURRENT_LIST_DIR}/csv_lesen.py")

# Coverage-guided fuzzing of the CSV line writer (build and run: see the comment in the source).
if(GRAMURA_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # The writer and what it reads with are compiled in again so the fuzzer's coverage instrumentation
    # reaches them.
    add_executable(csvformat_fuzz ${CMAKE_CURRENT_LIST_DIR}/csvformat_fuzz.cpp
        ${PROJECT_SOURCE_DIR}/src/recording/csvformat.cpp ${PROJECT_SOURCE_DIR}/src/recording/gewichttext.cpp
        ${PROJECT_SOURCE_DIR}/src/recording/zahlentext.cpp ${PROJECT_SOURCE_DIR}/src/recording/vorlage.cpp)
    target_include_directories(csvformat_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(csvformat_fuzz PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(csvformat_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(csvformat_fuzz PRIVATE gramura_defaults Qt6::Core Qt6::Sql)
endif()
