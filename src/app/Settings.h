#pragma once

#include <QString>

#include <memory>

class QSettings;

// The per-user settings store: application "KoLumbra", section "Startup",
// values are text. Names are matched without regard to letter case, and so is
// the application's own folder and file, as users of the old registry store
// expect.
class Settings
{
public:
    // configDir: the per-user configuration folder; empty means the platform's
    // ($XDG_CONFIG_HOME on Linux).
    explicit Settings(const QString &configDir = {});
    ~Settings();

    QString value(const QString &key, const QString &defaultValue = {}) const;
    void setValue(const QString &key, const QString &value);
    QString fileName() const;

    static inline const QString kTime = QStringLiteral("Time");
    static inline const QString kRepeat = QStringLiteral("Repeat");
    static inline const QString kFirstRunDone = QStringLiteral("FirstRunDone");

private:
    QString storedKey(const QString &key) const;

    std::unique_ptr<QSettings> m_settings;
};
