# The clipboard around a paste: history markers, the operator's copy coming back, a clipboard held open
# (ablage.sh, with abfrage.c and einfuegeziel.cpp built by the script).
gramura_windows_test(ablage ablage.sh)
