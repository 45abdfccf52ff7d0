#include "qsettingsstore.h"

#include <QStandardPaths>

namespace platform {

namespace {
const auto kApplication = QStringLiteral("Gramura");

QString sectionKey(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}
} // namespace

std::unique_ptr<QSettingsStore> QSettingsStore::forCurrentUser() {
#ifdef Q_OS_WIN
    return std::unique_ptr<QSettingsStore>(new QSettingsStore(std::make_unique<QSettings>(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\") + kApplication,
        QSettings::NativeFormat)));
#else
    // Resolved on every call rather than through QSettings' process-wide path cache, so the location
    // always follows XDG_CONFIG_HOME.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::make_unique<QSettingsStore>(folder + QLatin1Char('/') + kApplication + QLatin1Char('/') + kApplication +
                                            QStringLiteral(".conf"));
#endif
}

QSettingsStore::QSettingsStore(const QString& iniPath)
    : QSettingsStore(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

QSettingsStore::QSettingsStore(std::unique_ptr<QSettings> settings) : m_settings(std::move(settings)) {}

QString QSettingsStore::read(const QString& section, const QString& key, const QString& fallback) const {
    const QVariant value = m_settings->value(sectionKey(section, key));
    if (!value.isValid())
        return fallback;
    // A hand-edited INI line with a bare comma reads back as a list; take it as the text it was.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void QSettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings->setValue(sectionKey(section, key), value);
    m_settings->sync();
}

} // namespace platform
