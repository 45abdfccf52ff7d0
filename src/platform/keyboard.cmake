# Keyboard state and synthetic keystrokes: X11 where Xlib and XTest are there, Win32 on Windows, otherwise a
# source whose set-up fails, so the program runs without the hotkey.
target_sources(platform PRIVATE
    keyevent.h keyboardstate.h keystrokes.h
    tastenabgleich.h tastenabgleich.cpp
    null/nullkeyboardstate.h null/nullkeyboardstate.cpp
    null/nullkeystrokes.h null/nullkeystrokes.cpp
)

set(gramura_keyboard_impl null)
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/win/win.cmake OPTIONAL RESULT_VARIABLE gramura_win_keyboard)
    if(gramura_win_keyboard)
        set(gramura_keyboard_impl win)
    endif()
elseif(UNIX)
    find_package(X11 QUIET)
    if(X11_FOUND AND X11_Xtst_FOUND)
        target_sources(platform PRIVATE
            x11/x11keymap.h x11/x11keymap.cpp
            x11/x11keyboardstate.h x11/x11keyboardstate.cpp
            x11/x11rohtasten.h
            x11/x11keystrokes.h x11/x11keystrokes.cpp
            x11/x11factory.cpp
        )
        target_link_libraries(platform PRIVATE X11::X11 X11::Xtst)
        # The keys' events need XInput 2; built without it, the hotkey is sampled at each tick.
        if(X11_Xi_FOUND)
            target_sources(platform PRIVATE x11/x11rohtasten.cpp)
            target_link_libraries(platform PRIVATE X11::Xi)
        else()
            target_sources(platform PRIVATE x11/x11rohtasten_ohne.cpp)
        endif()
        set(gramura_keyboard_impl x11)
    endif()
endif()
if(gramura_keyboard_impl STREQUAL "null")
    target_sources(platform PRIVATE null/nullfactory.cpp)
endif()
set(GRAMURA_KEYBOARD_IMPL ${gramura_keyboard_impl} CACHE INTERNAL "Keyboard adapters in use")
message(STATUS "Keyboard state and keystrokes: ${gramura_keyboard_impl}")
