# The recording rules: pure logic on Qt Core, fed by the window's tick.
add_library(recording_rules STATIC
    ${CMAKE_CURRENT_LIST_DIR}/zahlentext.h ${CMAKE_CURRENT_LIST_DIR}/zahlentext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/festkomma.h ${CMAKE_CURRENT_LIST_DIR}/festkomma.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schwellentext.h ${CMAKE_CURRENT_LIST_DIR}/schwellentext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/intervall.h ${CMAKE_CURRENT_LIST_DIR}/intervall.cpp
    ${CMAKE_CURRENT_LIST_DIR}/aufzeichnungsregeln.h ${CMAKE_CURRENT_LIST_DIR}/aufzeichnungsregeln.cpp
    ${CMAKE_CURRENT_LIST_DIR}/speicher.h ${CMAKE_CURRENT_LIST_DIR}/keinspeicher.h
    ${CMAKE_CURRENT_LIST_DIR}/uhr.h ${CMAKE_CURRENT_LIST_DIR}/systemuhr.h
)
target_include_directories(recording_rules PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(recording_rules PUBLIC Qt6::Core PRIVATE gramura_defaults)
