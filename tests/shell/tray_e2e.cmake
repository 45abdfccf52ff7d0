# The notification-area icon end to end: the real program under Xvfb with a real tray host, driven by
# xdotool. A case whose tools are missing reports itself skipped (77).
if(TARGET gramura)
    foreach(case restore menu menu_restore no_tray second_start)
        add_test(NAME shell_tray_e2e.${case}
                 COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tray_e2e.sh $<TARGET_FILE:gramura> ${case})
        set_tests_properties(shell_tray_e2e.${case} PROPERTIES
            LABELS x11
            TIMEOUT 120
            SKIP_RETURN_CODE 77)
    endforeach()
endif()
