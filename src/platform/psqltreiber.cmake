# Which file of the PostgreSQL driver is missing: Windows loads its chain of DLLs one by one, elsewhere Qt's
# plugin loader tells.
target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/psqltreiber.h)
if(WIN32)
    target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win/winpsqltreiber.cpp)
else()
    target_sources(platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/psqltreiber.cpp)
endif()
