gramura_windows_test(sprache sprache.sh)
