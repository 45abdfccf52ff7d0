# Decoder throughput against the line's 240 characters per second.
if(benchmark_FOUND)
    add_executable(bench_decoder ${CMAKE_CURRENT_LIST_DIR}/decoder_bench.cpp)
    target_link_libraries(bench_decoder PRIVATE acquisition benchmark::benchmark gramura_defaults)
    set_target_properties(bench_decoder PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()
