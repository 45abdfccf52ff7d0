# The central store in the window: its state in the status band and the tray icon's tip, the dialog that
# sets it up, and the sender following what is saved there.
target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/zentraleanzeige.h ${CMAKE_CURRENT_LIST_DIR}/zentraleanzeige.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentralestart.h ${CMAKE_CURRENT_LIST_DIR}/zentralestart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmzentrale.h ${CMAKE_CURRENT_LIST_DIR}/frmzentrale.cpp
    ${CMAKE_CURRENT_LIST_DIR}/zentralesteuerung.h ${CMAKE_CURRENT_LIST_DIR}/zentralesteuerung.cpp
)
target_link_libraries(shell PUBLIC recording_store zentrale)
