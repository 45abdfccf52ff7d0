gramura_windows_test(serial serial.sh)
