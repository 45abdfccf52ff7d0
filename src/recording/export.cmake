# The weights leaving the store: the CSV export (window and command line) and the chart's reading of a day.
target_sources(recording_store PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/zeitraum.h ${CMAKE_CURRENT_LIST_DIR}/zeitraum.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csvformat.h ${CMAKE_CURRENT_LIST_DIR}/csvformat.cpp
    ${CMAKE_CURRENT_LIST_DIR}/csvexport.h ${CMAKE_CURRENT_LIST_DIR}/csvexport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/exportbefehl.h ${CMAKE_CURRENT_LIST_DIR}/exportbefehl.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tagesverlauf.h ${CMAKE_CURRENT_LIST_DIR}/tagesverlauf.cpp
)
