# Who fetches the clipboard content: told apart on X11 where the xcb headers and library are there,
# otherwise every fetch counts as of unknown origin.
target_sources(platform PRIVATE abholererkennung.h null/nullabholererkennung.h)
find_package(X11 QUIET)
if(UNIX AND NOT APPLE AND X11_FOUND AND X11_xcb_FOUND)
    target_sources(platform PRIVATE x11/x11abholererkennung.h x11/x11abholererkennung.cpp)
    target_link_libraries(platform PRIVATE X11::xcb)
else()
    target_sources(platform PRIVATE null/nullabholererkennung.cpp)
endif()
