gramura_windows_test(seiten seiten.sh)
