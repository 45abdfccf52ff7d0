gramura_windows_test(ressourcen ressourcen.sh)
