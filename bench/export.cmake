# The export and the chart on the 10-million-row file of benchdatenbank.h:
#   build/bench/gramura_bench_export    rows/s and the memory an export adds, at 1 and 10 million rows
#   build/bench/gramura_bench_verlauf   reading and drawing a day of 86,400 rows; opening random days
if(benchmark_FOUND)
    add_executable(gramura_bench_export ${CMAKE_CURRENT_LIST_DIR}/export_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/benchdatenbank.h)
    target_link_libraries(gramura_bench_export PRIVATE recording_store benchmark::benchmark gramura_defaults)
    add_executable(gramura_bench_verlauf ${CMAKE_CURRENT_LIST_DIR}/verlauf_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/benchdatenbank.h)
    target_link_libraries(gramura_bench_verlauf PRIVATE shell recording_store benchmark::benchmark gramura_defaults)
endif()
