# Every text of the five pages read whole: one run of all its tests per scale and per set of Debian's fonts,
# since the scale and the fonts fontconfig offers are fixed for the life of a process.
find_package(Qt6 REQUIRED COMPONENTS Test)
add_executable(shell_beschriftung_test
    ${CMAKE_CURRENT_LIST_DIR}/beschriftung_test.cpp ${CMAKE_CURRENT_LIST_DIR}/textraum_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/textpruefer.h ${CMAKE_CURRENT_LIST_DIR}/textpruefer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schriftbestand.h ${CMAKE_CURRENT_LIST_DIR}/hauptfenster_fixture.h
    ${CMAKE_CURRENT_LIST_DIR}/fakeeinfueger.h ${CMAKE_CURRENT_LIST_DIR}/fakeeinfueger.cpp)
target_link_libraries(shell_beschriftung_test PRIVATE gramura_defaults gramura_test_main_gui GTest::gtest GTest::gmock
                                                      shell recording_store gramura_fakes Qt6::Test)
target_include_directories(shell_beschriftung_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../recording)
# debian: the fonts as installed (fonts-liberation, fonts-dejavu-extra); the others hide some of them from
# fontconfig, as on a computer without those packages.
foreach(_bestand debian nur-dejavu dejavu-ohne-schmal)
    foreach(_skala 100 150 200)
        if(_skala EQUAL 100)
            set(_faktor 1)
        elseif(_skala EQUAL 150)
            set(_faktor 1.5)
        else()
            set(_faktor 2)
        endif()
        set(_umgebung QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=${_faktor} GRAMURA_SCHRIFTBESTAND=${_bestand})
        if(NOT _bestand STREQUAL "debian")
            list(APPEND _umgebung FONTCONFIG_FILE=${CMAKE_CURRENT_LIST_DIR}/schriften/${_bestand}.conf)
        endif()
        set(_name shell_beschriftung_${_skala}_${_bestand})
        add_test(NAME ${_name} COMMAND shell_beschriftung_test)
        set_tests_properties(${_name} PROPERTIES LABELS gui TIMEOUT 120 ENVIRONMENT "${_umgebung}")
    endforeach()
endforeach()
