/* Holds a file open for a while as a virus scanner or an indexer does with a file just written: reading,
 * sharing reading and writing but not deletion, so that Windows refuses to rename, replace or remove it
 * meanwhile. Cross-built with mingw-w64 by halten_bauen in wine_umgebung.sh; plain C and the system's DLLs.
 * Usage: halten.exe DATEI MS ORDNER
 *                                opens DATEI, prints "offen", holds it MS milliseconds, prints "im ordner N" with
 *                                the number of files zel-*.mdb in ORDNER by then, closes it and prints "zu"
 *                                (exit 1: could not open it)
 *        halten.exe meldung NR   the system's own words for error NR, as FormatMessageW gives them in this
 *                                prefix's language
 * Output in UTF-8. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void ausgeben(const wchar_t* text) {
    const int laenge = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char* utf8 = laenge > 0 ? malloc((size_t)laenge) : NULL;
    if (utf8 == NULL)
        return;
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, laenge, NULL, NULL);
    fputs(utf8, stdout);
    fflush(stdout);
    free(utf8);
}

static int meldung(DWORD nummer) {
    wchar_t text[1024] = L"";
    if (FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, nummer, 0, text,
                       (DWORD)(sizeof text / sizeof text[0]), NULL) == 0)
        return 1;
    ausgeben(text);
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && wcscmp(argv[1], L"meldung") == 0)
        return meldung((DWORD)wcstoul(argv[2], NULL, 10));
    if (argc != 4)
        return 2;
    const HANDLE datei = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, NULL);
    if (datei == INVALID_HANDLE_VALUE) {
        fprintf(stderr, "CreateFileW: %lu\n", GetLastError());
        return 1;
    }
    ausgeben(L"offen\n");
    Sleep((DWORD)wcstoul(argv[2], NULL, 10));
    /* A file the program put into its Papierkorb meanwhile shows that it came as far as replacing DATEI. */
    wchar_t muster[MAX_PATH];
    WIN32_FIND_DATAW gefunden;
    unsigned anzahl = 0;
    _snwprintf(muster, MAX_PATH, L"%ls\\zel-*.mdb", argv[3]);
    muster[MAX_PATH - 1] = L'\0';
    const HANDLE suche = FindFirstFileW(muster, &gefunden);
    if (suche != INVALID_HANDLE_VALUE) {
        do
            ++anzahl;
        while (FindNextFileW(suche, &gefunden));
        FindClose(suche);
    }
    printf("im ordner %u\n", anzahl);
    fflush(stdout);
    CloseHandle(datei);
    ausgeben(L"zu\n");
    return 0;
}
