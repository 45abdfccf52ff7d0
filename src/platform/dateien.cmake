# Files that another program may hold for a moment: each attempt in the system's own calls, the patience
# around them the same on every system.
target_sources(platform PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/geduld.h ${CMAKE_CURRENT_LIST_DIR}/geduld.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dateiwechsel.h ${CMAKE_CURRENT_LIST_DIR}/dateiwechsel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dateiaufruf.h
)
if(WIN32)
    target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win/windateiaufruf.cpp)
else()
    target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/posix/posixdateiaufruf.cpp)
endif()
