; (UTF-8 with a byte order mark: NSIS reads files without one in the system code page.)
; Runs inside the installation section: the central store's PostgreSQL client (libpq.dll and its TLS libraries)
; is built with Microsoft's compiler and loads VCRUNTIME140.dll from the system folder, where Microsoft's
; Visual C++ redistributable puts it. Everything else runs without it, so a missing runtime is told, not
; a reason to stop; silent installs (/S) only note it in the installation log.
; Asked the way the program's driver will ask: load it from System32 alone (LOAD_LIBRARY_SEARCH_SYSTEM32).
System::Call 'kernel32::LoadLibraryExW(w "vcruntime140.dll", p 0, i 0x800) p .r0'
StrCmp $0 0 gramura_vc_fehlt
System::Call 'kernel32::FreeLibrary(p r0)'
DetailPrint "Visual C++ Laufzeit (VCRUNTIME140.dll) vorhanden"
Goto gramura_vc_weiter
gramura_vc_fehlt:
DetailPrint "Visual C++ Laufzeit (VCRUNTIME140.dll) fehlt: keine Verbindung zur Zentrale"
MessageBox MB_OK|MB_ICONINFORMATION "Auf diesem Rechner fehlt die Visual C++ Laufzeit von Microsoft \
(VCRUNTIME140.dll).$\n$\nNur die Verbindung zur Zentrale (PostgreSQL-Server) braucht sie: Anzeige, Übergabe und \
Aufzeichnung der Gewichte arbeiten ohne sie.$\n$\nWer an eine Zentrale senden will, installiert \
„Microsoft Visual C++ Redistributable 2015-2022 (x64)“ (vc_redist.x64.exe, von Microsoft) und startet das \
Programm neu." /SD IDOK
gramura_vc_weiter:
