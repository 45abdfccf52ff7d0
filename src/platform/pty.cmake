# Pseudo-terminals stand in for serial lines: the stand-alone indicator simulator and the serial tests use them.
target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pty.h)
if(UNIX)
    target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pty.cpp)
    target_link_libraries(platform PUBLIC util)
else()
    target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pty_unavailable.cpp)
endif()
