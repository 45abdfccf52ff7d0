# Hand-over figures (not pass/fail): paste latency over 50 pastes, without and with a clipboard reader running,
# and idle CPU with the key watch active.
# Run with: cmake --build <dir> --target handover_bench
if(TARGET handover_x11_test AND TARGET gramura)
    add_custom_target(handover_bench
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/handover_bench.sh $<TARGET_FILE:handover_x11_test> $<TARGET_FILE:gramura>
                50 10
        DEPENDS handover_x11_test gramura
        USES_TERMINAL
        COMMENT "Hand-over: paste latency and idle CPU")
endif()
