# Win32 keyboard state and synthetic keys; the Linux build brings its own from the X11 directory.
target_sources(platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/winkeyboardstate.h ${CMAKE_CURRENT_LIST_DIR}/winkeyboardstate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/winkeystrokes.h ${CMAKE_CURRENT_LIST_DIR}/winkeystrokes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/strghaken.h ${CMAKE_CURRENT_LIST_DIR}/strghaken.cpp
    ${CMAKE_CURRENT_LIST_DIR}/linkestrg.h
)
target_compile_definitions(platform PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_libraries(platform PRIVATE user32)
