#include "qsettingsstore.h"

#include <QDir>
#include <QStandardPaths>

namespace platform {

namespace {
const auto kApplication = QStringLiteral("Gramura");

QString sectionKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

// Invalid when the store does not hold the key.
QVariant wert(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    // A hand-edited INI line with a bare comma reads back as a list; take it as the text it was.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value;
}

#ifndef Q_OS_WIN
QString iniIn(const QString& folder) {
    return folder + QLatin1Char('/') + kApplication + QLatin1Char('/') + kApplication + QStringLiteral(".conf");
}

// As the XDG base directory rules have it: relative entries are ignored, an empty or unset variable means
// /etc/xdg. Read from the variable itself, not through QStandardPaths, so the store follows it as set now.
QStringList xdgConfigDirs() {
    QStringList ordner;
    for (const QString& eintrag : qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(eintrag))
            ordner << QDir::cleanPath(eintrag);
    if (ordner.isEmpty())
        ordner << QStringLiteral("/etc/xdg");
    return ordner;
}
#endif
} // namespace

std::unique_ptr<QSettingsStore> QSettingsStore::forCurrentUser() {
#ifdef Q_OS_WIN
    std::unique_ptr<QSettingsStore> store(new QSettingsStore(std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + kApplication,
        QSettings::NativeFormat)));
    // A roll-out tool that writes as a 32-bit program lands in the registry's 32-bit view (WOW6432Node), which
    // this 64-bit program does not see by itself: the 64-bit view first, then that one.
    for (const QSettings::Format ansicht : {QSettings::Registry64Format, QSettings::Registry32Format})
        store->m_system.push_back(
            std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\") + kApplication, ansicht));
#else
    // Resolved on every call rather than through QSettings' process-wide path cache, so the location
    // always follows XDG_CONFIG_HOME.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    auto store = std::make_unique<QSettingsStore>(iniIn(folder));
    for (const QString& ordner : xdgConfigDirs()) {
        // The operator's own file is not read a second time as a default of itself.
        if (QDir::cleanPath(ordner) != QDir::cleanPath(folder))
            store->m_system.push_back(std::make_unique<QSettings>(iniIn(ordner), QSettings::IniFormat));
    }
#endif
    return store;
}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : QSettingsStore(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QSettingsStore::QSettingsStore(std::unique_ptr<QSettings> settings) : m_settings(std::move(settings)) {}

QSettingsStore::~QSettingsStore() = default;

QStringList QSettingsStore::systemLocations() const {
    QStringList orte;
    for (const auto& system : m_system)
        orte << system->fileName();
    return orte;
}

QString QSettingsStore::read(const QString& section, const QString& key, const QString& fallback) const {
    const QString name = sectionKey(section, key);
    QVariant value = wert(*m_settings, name);
    for (auto system = m_system.cbegin(); !value.isValid() && system != m_system.cend(); ++system)
        value = wert(**system, name);
    return value.isValid() ? value.toString() : fallback;
}

void QSettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(sectionKey(section, key), value);
    m_settings->sync();
}

} // namespace platform
