# The recording settings frame and the recording tick of the main window.
target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/intervallkasten.h ${CMAKE_CURRENT_LIST_DIR}/intervallkasten.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schwellenfeld.h ${CMAKE_CURRENT_LIST_DIR}/schwellenfeld.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmzusatzsalden.h ${CMAKE_CURRENT_LIST_DIR}/frmzusatzsalden.cpp
    ${CMAKE_CURRENT_LIST_DIR}/aufzeichnung.h ${CMAKE_CURRENT_LIST_DIR}/aufzeichnung.cpp
)
target_link_libraries(shell PUBLIC recording_rules)
