#include "platform/laufwerk.h"
#include "platform/standardausgabe.h"

#include <gtest/gtest.h>

namespace {

// Windows' rules for names, checked on every build: the export writes a device directly, and a data folder on
// a share is refused.
TEST(WindowsPfade, GeraetenamenInJedemOrdnerUndMitEndung) {
    struct Fall {
        const char* pfad;
        bool geraet;
    };
    const Fall faelle[] = {
        {"NUL", true},
        {"nul", true},
        {"CON", true},
        {"con.csv", true},
        {"C:\\Export\\NUL", true},
        {"C:/Export/nul.csv", true},
        {"Z:nul", true},
        {"PRN", true},
        {"AUX ", true},
        {"COM1", true},
        {"lpt9.txt", true},
        {"CONOUT$", true},
        {"\\\\.\\COM10", true},
        {"COM10", false},
        {"COM0", false},
        {"CONSOLE", false},
        {"nulle.csv", false},
        {"gewichte.csv", false},
        {"C:\\NUL\\gewichte.csv", false},
        {"-", false},
        {"", false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(platform::windowsGeraetename(QString::fromUtf8(f.pfad)), f.geraet) << f.pfad;
}

TEST(WindowsPfade, FreigabenImNetzwerk) {
    struct Fall {
        const char* pfad;
        bool netz;
    };
    const Fall faelle[] = {
        {"\\\\server\\share\\waage", true},
        {"//server/share/waage", true},
        {"\\\\?\\UNC\\server\\share", true},
        {"\\\\?\\C:\\Daten", false},
        {"\\\\.\\COM10", false},
        {"C:\\Daten", false},
        {"C:/Users/anna/AppData/Local/Gramura", false},
        {"/home/anna/daten", false},
        {"daten", false},
        {"", false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(platform::windowsNetzwerkpfad(QString::fromUtf8(f.pfad)), f.netz) << f.pfad;
}

} // namespace
