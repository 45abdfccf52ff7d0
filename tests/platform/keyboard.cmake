# Keyboard state and keystroke adapters.
gramura_add_gtest(platform_keyboard_test
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/keyboard_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tastenabgleich_test.cpp
    LIBS platform
    LABELS unit)

if(GRAMURA_KEYBOARD_IMPL STREQUAL "x11")
    gramura_add_gtest(platform_x11keymap_test
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/x11keymap_test.cpp
        LIBS platform
        LABELS unit)

    find_package(X11 REQUIRED)
    find_program(GRAMURA_XVFB Xvfb)
    find_program(GRAMURA_SETXKBMAP setxkbmap)
    if(GRAMURA_XVFB AND GRAMURA_SETXKBMAP)
        add_executable(platform_x11keyboard_test ${CMAKE_CURRENT_LIST_DIR}/x11keyboard_test.cpp)
        target_link_libraries(platform_x11keyboard_test PRIVATE platform X11::X11 GTest::gtest_main gramura_defaults)
        add_test(NAME platform_x11keyboard_test
                 COMMAND ${CMAKE_SOURCE_DIR}/tests/handover/handover_xvfb.sh
                         $<TARGET_FILE:platform_x11keyboard_test>)
        set_tests_properties(platform_x11keyboard_test PROPERTIES LABELS x11 TIMEOUT 60)
    endif()
endif()
