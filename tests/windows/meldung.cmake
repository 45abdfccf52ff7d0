gramura_windows_test(meldung meldung.sh)
