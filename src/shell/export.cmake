# The weights leaving the window: the export from page "Aufzeichnung" and the page "Verlauf" with its chart.
target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/exportdialog.h ${CMAKE_CURRENT_LIST_DIR}/exportdialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exportlauf.h ${CMAKE_CURRENT_LIST_DIR}/exportlauf.cpp
    ${CMAKE_CURRENT_LIST_DIR}/verlaufsdiagramm.h ${CMAKE_CURRENT_LIST_DIR}/verlaufsdiagramm.cpp
    ${CMAKE_CURRENT_LIST_DIR}/panverlauf.h ${CMAKE_CURRENT_LIST_DIR}/panverlauf.cpp
)
target_link_libraries(shell PUBLIC recording_store)
