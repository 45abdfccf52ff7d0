# The clipboard side of a paste: who fetches our content (told apart on X11 where the xcb headers and
# library are there, and on Windows; elsewhere every fetch is of unknown origin), whether the target can
# take synthetic keys at all, and the formats that keep a weight out of clipboard histories.
target_sources(platform PRIVATE abholererkennung.h null/nullabholererkennung.h zielpruefung.h ablagemarken.h)
find_package(X11 QUIET)
if(WIN32)
    target_sources(platform PRIVATE
        win/winabholererkennung.h win/winabholererkennung.cpp
        win/winzielpruefung.cpp
        win/winablagemarken.cpp)
    target_link_libraries(platform PRIVATE user32 advapi32)
elseif(UNIX AND NOT APPLE AND X11_FOUND AND X11_xcb_FOUND)
    target_sources(platform PRIVATE x11/x11abholererkennung.h x11/x11abholererkennung.cpp
        null/nullzielpruefung.cpp null/nullablagemarken.cpp)
    target_link_libraries(platform PRIVATE X11::xcb)
else()
    target_sources(platform PRIVATE null/nullabholererkennung.cpp null/nullzielpruefung.cpp
        null/nullablagemarken.cpp)
endif()
