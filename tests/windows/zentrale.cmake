gramura_windows_test(zentrale zentrale.sh)
