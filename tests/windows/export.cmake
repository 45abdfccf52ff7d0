gramura_windows_test(export export.sh)
