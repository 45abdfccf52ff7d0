#include "syskey.h"

#include <array>
#include <string_view>

namespace handover {

namespace {

struct Katalogeintrag {
    std::string_view name;
    int code;
};

// In search order; the letters sit where the German layout prints them (Y at 44, Z at 21).
constexpr std::array<Katalogeintrag, 49> kKatalog{{
    {"1", 2},   {"2", 3},    {"3", 4},    {"4", 5},    {"5", 6},   {"6", 7},   {"7", 8},   {"8", 9},   {"9", 10},
    {"0", 11},  {"Tab", 15}, {"Q", 16},   {"W", 17},   {"E", 18},  {"R", 19},  {"T", 20},  {"Y", 44},  {"U", 22},
    {"I", 23},  {"O", 24},   {"P", 25},   {"A", 30},   {"S", 31},  {"D", 32},  {"F", 33},  {"G", 34},  {"H", 35},
    {"J", 36},  {"K", 37},   {"L", 38},   {"Z", 21},   {"X", 45},  {"C", 46},  {"V", 47},  {"B", 48},  {"N", 49},
    {"M", 50},  {"F1", 59},  {"F2", 60},  {"F3", 61},  {"F4", 62}, {"F5", 63}, {"F6", 64}, {"F7", 65}, {"F8", 66},
    {"F9", 67}, {"F10", 68}, {"F11", 87}, {"F12", 88},
}};

constexpr int kStrgLinks = 29;
constexpr int kStrgRechts = 157;
constexpr int kAltLinks = 56;
constexpr int kAltGr = 184;

bool unten(const platform::KeyStateBytes& state, int code) {
    return code > 0 && code < static_cast<int>(state.size()) && state[static_cast<std::size_t>(code)] != 0;
}

} // namespace

QString SysKey::eintrag(int index) {
    if (index < kErsteStrg)
        return QStringLiteral("F%1").arg(index + 1);
    if (index < kErsteAlt)
        return QStringLiteral("STR - ") + QChar(index + 53);
    return QStringLiteral("ALT - ") + QChar(index + 27);
}

QStringList SysKey::eintraege() {
    QStringList list;
    for (int i = 0; i < kEintraege; ++i)
        list << eintrag(i);
    return list;
}

QString SysKey::tastenname(int index) {
    if (index < kErsteStrg)
        return QStringLiteral("F%1").arg(index + 1);
    if (index < kErsteAlt)
        return QStringLiteral("STRG+") + QChar(index + 53);
    return QStringLiteral("ALT+") + QChar(index + 27);
}

int SysKey::tastencode(const QString& aktuelletaste, int index) {
    QString name;
    if (index < 9)
        name = QStringLiteral("F") + aktuelletaste.right(1);
    else if (index < kErsteStrg)
        name = QStringLiteral("F") + aktuelletaste.right(2);
    else
        name = aktuelletaste.right(1);
    const QByteArray gesucht = name.toLatin1();
    for (const auto& eintrag : kKatalog) {
        if (std::string_view(gesucht.constData(), static_cast<std::size_t>(gesucht.size())) == eintrag.name)
            return eintrag.code;
    }
    return 0;
}

bool SysKey::tastegedrueckt(const platform::KeyStateBytes& state, int index, int aktuellercode) {
    // Code 0 belongs to no key: nothing selected never fires, whatever a source reports there.
    if (!unten(state, aktuellercode))
        return false;
    if (index < kErsteStrg)
        return true;
    if (index < kErsteAlt)
        return unten(state, kStrgRechts) || unten(state, kStrgLinks);
    return unten(state, kAltGr) || unten(state, kAltLinks);
}

void SysKey::festlegen(int namensIndex, int index) {
    m_aktuelletaste = tastenname(namensIndex);
    m_aktuellercode = tastencode(m_aktuelletaste, index);
}

} // namespace handover
