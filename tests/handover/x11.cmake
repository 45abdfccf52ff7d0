# End to end on a real X server (Xvfb of its own per test, German layout): the target program and the
# hand-over tests that drive it.
if(GRAMURA_KEYBOARD_IMPL STREQUAL "x11")
    find_package(Qt6 REQUIRED COMPONENTS Test)
    find_package(X11 REQUIRED)
    find_program(GRAMURA_XVFB Xvfb)
    find_program(GRAMURA_SETXKBMAP setxkbmap)

    add_executable(handover_zielfeld ${CMAKE_CURRENT_LIST_DIR}/zielfeld.cpp)
    target_link_libraries(handover_zielfeld PRIVATE Qt6::Widgets gramura_defaults)
    # A clipboard manager's stand-in: reads each new clipboard content at once.
    add_executable(handover_ablageleser ${CMAKE_CURRENT_LIST_DIR}/ablageleser.cpp)
    target_link_libraries(handover_ablageleser PRIVATE X11::X11 X11::Xfixes gramura_defaults)

    if(GRAMURA_XVFB AND GRAMURA_SETXKBMAP)
        add_executable(handover_x11_test
            ${CMAKE_CURRENT_LIST_DIR}/handover_x11_test.cpp ${CMAKE_CURRENT_LIST_DIR}/handover_x11_umfeld_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/handover_x11_fixture.h
            ${CMAKE_CURRENT_LIST_DIR}/tastenwiederholung.h ${CMAKE_CURRENT_LIST_DIR}/tastenwiederholung.cpp)
        target_link_libraries(handover_x11_test PRIVATE shell gramura_fakes gramura_test_main_gui Qt6::Test X11::X11
                                                        GTest::gtest gramura_defaults)
        target_compile_definitions(handover_x11_test PRIVATE ZIELFELD_PFAD="$<TARGET_FILE:handover_zielfeld>"
                                                             ABLAGELESER_PFAD="$<TARGET_FILE:handover_ablageleser>")
        add_dependencies(handover_x11_test handover_zielfeld handover_ablageleser)
        # Each case on an X server of its own.
        foreach(fall HandoverX11.StandardtasteStrgYFuegtDasGewichtEin HandoverX11.F5MitUmschaltFuegtEin
                     HandoverX11.ZwanzigTippsVon30msFuegenJeEinmalEin HandoverX11.ZwanzigDrueckeVon150msFuegenJeEinmalEin
                     HandoverX11.KurzeTippsJederTastengruppe HandoverX11.GehaltenWiederholtErstNachDerVerzoegerung
                     HandoverX11.KontrolleEinAltTippOeffnetDasMenue
                     HandoverX11.AltTasteFuegtEinUndSpaeteresAltLoslassenOeffnetKeinMenue
                     HandoverX11.OhneGewichtWirdNichtsEingefuegt HandoverX11.WiederholtesEinfuegenKommtJedesMalAn
                     HandoverX11Abfrage.JederDruckUeberEinenTickFuegtEinmalEin HandoverX11Abfrage.WiederholtesEinfuegenKommtJedesMalAn
                     HandoverX11MitLeser.KurzerDruckErreichtEinLangsamesZielGenauEinmal
                     HandoverX11MitLeser.WasDerBedienerKopierteKommtNachDemEinfuegenZurueck)
            add_test(NAME ${fall}
                     COMMAND ${CMAKE_CURRENT_LIST_DIR}/handover_xvfb.sh $<TARGET_FILE:handover_x11_test>
                             --gtest_filter=${fall})
            set_tests_properties(${fall} PROPERTIES LABELS x11 TIMEOUT 120)
        endforeach()
        # On Dvorak the key QWERTY prints V on types k: the paste must take the key of v from the layout.
        add_test(NAME HandoverX11Dvorak.StrgVMitDemVDerBelegung
                 COMMAND ${CMAKE_CURRENT_LIST_DIR}/handover_xvfb.sh $<TARGET_FILE:handover_x11_test>
                         --gtest_filter=HandoverX11Dvorak.StrgVMitDemVDerBelegung)
        set_tests_properties(HandoverX11Dvorak.StrgVMitDemVDerBelegung PROPERTIES
            LABELS x11 TIMEOUT 120 ENVIRONMENT "HANDOVER_XKB=-layout us -variant dvorak")
    endif()
endif()
