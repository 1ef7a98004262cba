#include "app/Settings.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kApplication = QStringLiteral("KoLumbra");
const QString kSection = QStringLiteral("Startup");

// The entry of dir whose name equals name ignoring letter case, else name.
QString matchingEntry(const QDir &dir, const QString &name, QDir::Filters filters)
{
    const QStringList entries = dir.entryList(filters | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}

}  // namespace

Settings::Settings(const QString &configDir)
{
    const QString base =
        configDir.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) : configDir;
    const QDir baseDir(base);
    const QDir appDir(baseDir.filePath(matchingEntry(baseDir, kApplication, QDir::Dirs)));
    const QString file = appDir.filePath(matchingEntry(appDir, kApplication + QStringLiteral(".ini"), QDir::Files));
    m_settings = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

Settings::~Settings() = default;

QString Settings::fileName() const
{
    return m_settings->fileName();
}

QString Settings::storedKey(const QString &key) const
{
    const QStringList groups = m_settings->childGroups();
    QString section = kSection;
    for (const QString &g : groups) {
        if (g.compare(kSection, Qt::CaseInsensitive) == 0)
            section = g;
    }
    m_settings->beginGroup(section);
    QString stored = key;
    const QStringList keys = m_settings->childKeys();
    for (const QString &k : keys) {
        if (k.compare(key, Qt::CaseInsensitive) == 0) {
            stored = k;
            break;
        }
    }
    m_settings->endGroup();
    return section + QLatin1Char('/') + stored;
}

QString Settings::value(const QString &key, const QString &defaultValue) const
{
    const QVariant v = m_settings->value(storedKey(key));
    if (!v.isValid())
        return defaultValue;
    // A hand-edited file may hold an unquoted comma, which the INI reader
    // turns into a list; the value is still one text.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", "));
    return v.toString();
}

void Settings::setValue(const QString &key, const QString &value)
{
    m_settings->setValue(storedKey(key), value);
    m_settings->sync();
}
