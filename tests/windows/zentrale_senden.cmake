gramura_windows_test(zentrale_senden zentrale_senden.sh)
set_property(TEST windows_zentrale_senden APPEND PROPERTY ENVIRONMENT "GRAMURA_PGDIENST=$<TARGET_FILE:gramura_pgdienst>")
set_property(TEST windows_zentrale_senden APPEND PROPERTY LABELS central)
