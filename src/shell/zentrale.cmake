# The central store's state in the window: a line in the status band and in the tray icon's tip.
target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/zentraleanzeige.h ${CMAKE_CURRENT_LIST_DIR}/zentraleanzeige.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentralestart.h ${CMAKE_CURRENT_LIST_DIR}/zentralestart.cpp
)
target_link_libraries(shell PUBLIC recording_store zentrale)
