# zel.mdb held by another program as a virus scanner holds a fresh file: "&Löschen" waits for it about a second,
# else says why in Windows' own words; the replaced file in the Papierkorb, and "Rückgängig" (dateien.sh).
gramura_windows_test(dateien dateien.sh)
