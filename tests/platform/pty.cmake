if(UNIX)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    gramura_add_gtest(platform_pty_test
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/pty_test.cpp
        LIBS platform Qt6::Test
        LABELS unit)
endif()
