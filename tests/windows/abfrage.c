/* What a test sees only from the Windows side, not from X: which window Windows has in front (wine without a
 * window manager gives no X focus to show it) and the text on the clipboard (how the Info page's data folder
 * is read, selected and copied as an operator would). Cross-built with mingw-w64 by abfrage_bauen in
 * wine_umgebung.sh; plain C and the system's DLLs only, so it runs in any prefix.
 * Usage: abfrage.exe vorn        the caption of the foreground window (exit 2: none)
 *        abfrage.exe ablage      the clipboard's text (exit 2: no text on it)
 * Output in UTF-8, without a line end. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static int ausgeben(const wchar_t* text) {
    const int laenge = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char* utf8 = malloc((size_t)laenge);
    if (laenge <= 0 || utf8 == NULL)
        return 1;
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, laenge, NULL, NULL);
    fwrite(utf8, 1, strlen(utf8), stdout);
    free(utf8);
    return 0;
}

static int vorn(void) {
    wchar_t titel[1024] = L"";
    const HWND fenster = GetForegroundWindow();
    if (fenster == NULL)
        return 2;
    GetWindowTextW(fenster, titel, (int)(sizeof titel / sizeof titel[0]));
    return ausgeben(titel);
}

static int ablage(void) {
    /* The program that copied may still hold the clipboard open for a moment. */
    int versuch;
    for (versuch = 0; !OpenClipboard(NULL); ++versuch) {
        if (versuch == 50)
            return 1;
        Sleep(100);
    }
    int ergebnis = 2;
    const HANDLE daten = GetClipboardData(CF_UNICODETEXT);
    if (daten != NULL) {
        const wchar_t* text = GlobalLock(daten);
        if (text != NULL) {
            ergebnis = ausgeben(text);
            GlobalUnlock(daten);
        }
    }
    CloseClipboard();
    return ergebnis;
}

int main(int argc, char** argv) {
    if (argc == 2 && strcmp(argv[1], "vorn") == 0)
        return vorn();
    if (argc == 2 && strcmp(argv[1], "ablage") == 0)
        return ablage();
    fputs("abfrage.exe vorn|ablage\n", stderr);
    return 64;
}
