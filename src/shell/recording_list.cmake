# Page "Aufzeichnung": the record list and the button that empties the database.
target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/pankenn.h ${CMAKE_CURRENT_LIST_DIR}/pankenn.cpp
)
target_link_libraries(shell PUBLIC recording_store)
target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/listenfenster.h ${CMAKE_CURRENT_LIST_DIR}/listenfenster.cpp
    ${CMAKE_CURRENT_LIST_DIR}/gewichteraster.h ${CMAKE_CURRENT_LIST_DIR}/gewichteraster.cpp
)
