target_sources(shell PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/systray.h ${CMAKE_CURRENT_LIST_DIR}/systray.cpp
    ${CMAKE_CURRENT_LIST_DIR}/trayfenster.h ${CMAKE_CURRENT_LIST_DIR}/trayfenster.cpp
    ${CMAKE_CURRENT_LIST_DIR}/programmicon.h ${CMAKE_CURRENT_LIST_DIR}/programmicon.cpp
)
# One program per user and data folder: a later start hands over to the running one.
find_package(Qt6 REQUIRED COMPONENTS Network)
target_sources(shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/einzelstart.h ${CMAKE_CURRENT_LIST_DIR}/einzelstart.cpp)
target_link_libraries(shell PUBLIC Qt6::Network)
target_sources(shell PRIVATE ${CMAKE_CURRENT_LIST_DIR}/fensterlayout.h ${CMAKE_CURRENT_LIST_DIR}/fensterlayout.cpp)
