gramura_windows_test(start start.sh)
