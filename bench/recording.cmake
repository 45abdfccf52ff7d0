# speichern at 0, 1 million and 10 million rows; opening the record list at 1 thousand and 10 million rows.
# The large databases are built once under GRAMURA_BENCH_DIR (default /tmp/gramura-bench) and reused.
if(benchmark_FOUND)
    add_executable(gramura_bench_recording ${CMAKE_CURRENT_LIST_DIR}/recording_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/benchdatenbank.h)
    target_link_libraries(gramura_bench_recording PRIVATE recording_store benchmark::benchmark gramura_defaults)
endif()
# The record list's grid on the page: open, jump to the end, drag to the middle, at 1 thousand and
# 10 million rows.
if(benchmark_FOUND)
    add_executable(gramura_bench_liste ${CMAKE_CURRENT_LIST_DIR}/liste_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/benchdatenbank.h)
    target_link_libraries(gramura_bench_liste PRIVATE shell recording_store benchmark::benchmark gramura_defaults)
endif()
# The sender draining a backlog into a PostgreSQL server of its own, with the 100 ms tick's lateness.
if(TARGET gramura_pgcluster)
    add_executable(gramura_bench_zentrale ${CMAKE_CURRENT_LIST_DIR}/zentrale_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/benchdatenbank.h)
    target_link_libraries(gramura_bench_zentrale PRIVATE zentrale gramura_pgcluster gramura_defaults)
endif()
