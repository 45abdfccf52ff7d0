target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/systray.h ${CMAKE_CURRENT_LIST_DIR}/systray.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trayfenster.h ${CMAKE_CURRENT_LIST_DIR}/trayfenster.cpp
    ${CMAKE_CURRENT_LIST_DIR}/programmicon.h ${CMAKE_CURRENT_LIST_DIR}/programmicon.cpp
)
target_sources(shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/fensterlayout.h ${CMAKE_CURRENT_LIST_DIR}/fensterlayout.cpp)
