/* What a test sees only from the Windows side, not from X: which window Windows has in front (wine without a
 * window manager gives no X focus to show it) and the text on the clipboard (how the Info page's data folder
 * is read, selected and copied as an operator would). Cross-built with mingw-w64 by abfrage_bauen in
 * wine_umgebung.sh; plain C and the system's DLLs only, so it runs in any prefix.
 * Usage: abfrage.exe vorn        the caption of the foreground window (exit 2: none)
 *        abfrage.exe texte       the texts of the foreground window's controls, one a line: a message box's
 *                                message and button, a wizard page's heading and buttons (exit 2: no window)
 *        abfrage.exe ablage      the clipboard's text (exit 2: no text on it)
 *        abfrage.exe setzen TEXT puts TEXT on the clipboard, as the operator's copying does
 *        abfrage.exe halten MS   holds the clipboard open for MS milliseconds, as a clipboard manager or an
 *                                office suite may; says "HAELT" once it does
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

static BOOL CALLBACK kind_ausgeben(HWND kind, LPARAM erstes) {
    wchar_t text[4096] = L"";
    /* WM_GETTEXT, not GetWindowTextW: that one does not ask a control of another process for its text. */
    SendMessageTimeoutW(kind, WM_GETTEXT, sizeof text / sizeof text[0], (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
    if (text[0] == L'\0')
        return TRUE;
    if (!*(int*)erstes)
        fputs("\n", stdout);
    *(int*)erstes = 0;
    ausgeben(text);
    return TRUE;
}

static int texte(void) {
    const HWND fenster = GetForegroundWindow();
    if (fenster == NULL)
        return 2;
    int erstes = 1;
    EnumChildWindows(fenster, kind_ausgeben, (LPARAM)&erstes);
    return 0;
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

static int oeffnen(HWND fenster) {
    int versuch;
    for (versuch = 0; !OpenClipboard(fenster); ++versuch) {
        if (versuch == 50)
            return 0;
        Sleep(100);
    }
    return 1;
}

static int setzen(const char* utf8) {
    const int laenge = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
    const HGLOBAL daten = GlobalAlloc(GMEM_MOVEABLE, (size_t)laenge * sizeof(wchar_t));
    if (laenge <= 0 || daten == NULL || !oeffnen(NULL))
        return 1;
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, GlobalLock(daten), laenge);
    GlobalUnlock(daten);
    EmptyClipboard();
    const int ergebnis = SetClipboardData(CF_UNICODETEXT, daten) != NULL ? 0 : 1;
    CloseClipboard();
    return ergebnis;
}

static int halten(int ms) {
    if (!oeffnen(NULL))
        return 1;
    fputs("HAELT\n", stdout);
    fflush(stdout);
    Sleep((DWORD)ms);
    CloseClipboard();
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "setzen") == 0)
        return setzen(argv[2]);
    if (argc == 3 && strcmp(argv[1], "halten") == 0)
        return halten(atoi(argv[2]));
    if (argc == 2 && strcmp(argv[1], "texte") == 0)
        return texte();
    if (argc == 2 && strcmp(argv[1], "vorn") == 0)
        return vorn();
    if (argc == 2 && strcmp(argv[1], "ablage") == 0)
        return ablage();
    fputs("abfrage.exe vorn|texte|ablage|setzen TEXT|halten MS\n", stderr);
    return 64;
}
