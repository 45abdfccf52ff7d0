#pragma once

#include <QMap>
#include <QString>

namespace platform {
class SettingsStore;
}

namespace acquisition {

// Which device stands behind "COM n" of the port list: a one-run override (--device COMn=PATH), else the
// settings store's section "Ports" (key "COMn"), else the platform's usual name for it.
class PortMapping {
public:
    explicit PortMapping(const platform::SettingsStore& store) : m_store(store) {}

    // "COM3=/dev/ttyUSB0"; returns false for a text of another form.
    bool addOverride(const QString& assignment);
    void setOverride(int number, const QString& device) { m_overrides.insert(number, device); }

    QString device(int number) const;

    // A device chosen by its own name rather than as "COM n" can be put elsewhere for one run as well
    // (--demo puts the simulator in its place); geraet() is the device to open for it.
    void setGeraetOverride(const QString& geraet, const QString& device) { m_geraetOverrides.insert(geraet, device); }
    QString geraet(const QString& geraet) const { return m_geraetOverrides.value(geraet, geraet); }

private:
    const platform::SettingsStore& m_store;
    QMap<int, QString> m_overrides;
    QMap<QString, QString> m_geraetOverrides;
};

} // namespace acquisition
