# Weight hand-over in the window: the hotkey list and the key watch of Timer1.
target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/funktionstaste.h ${CMAKE_CURRENT_LIST_DIR}/funktionstaste.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tastenwache.h ${CMAKE_CURRENT_LIST_DIR}/tastenwache.cpp
)
target_link_libraries(shell PUBLIC handover handover_paste)
