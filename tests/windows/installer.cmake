# The installer itself (skipped where wine cannot run it), and the installed layout without it.
gramura_windows_test(installer installer.sh nsis)
gramura_windows_test(datenordner installer.sh kopie)
