gramura_windows_test(zentrale_dialog zentrale_dialog.sh)
set_property(TEST windows_zentrale_dialog APPEND PROPERTY ENVIRONMENT "GRAMURA_PGDIENST=$<TARGET_FILE:gramura_pgdienst>")
set_property(TEST windows_zentrale_dialog APPEND PROPERTY LABELS central)
