#include "albumstore/AlbumName.h"

#include <QFile>
#include <QStringList>

namespace {

const QString kWindowsForbidden = QStringLiteral("<>:\"|?*");

bool isReservedByWindows(const QString &name)
{
    // Windows keeps these for devices, with any extension and in any case.
    QString base = name.section(QLatin1Char('.'), 0, 0);
    while (base.endsWith(QLatin1Char(' ')))
        base.chop(1);
    base = base.toUpper();
    static const QStringList devices = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                        QStringLiteral("NUL")};
    if (devices.contains(base))
        return true;
    if (base.size() == 4 && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT"))))
        return base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9');
    return false;
}

QString shown(QChar c)
{
    return QStringLiteral("'") + c + QStringLiteral("'");
}

}  // namespace

std::optional<QString> AlbumName::problem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("An album name needs at least one letter, digit or sign other than a space.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("'%1' cannot be an album name: the file system keeps it for a folder of its own.")
            .arg(name);
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("An album name cannot contain '/' or '\\': they separate the folders of a path.");
    for (const QChar c : name) {
        if (c.unicode() < 0x20)
            return QStringLiteral("An album name cannot contain a line break, a tab or another control character.");
        if (kWindowsForbidden.contains(c))
            return QStringLiteral("An album name cannot contain the sign %1: Windows does not allow any of "
                                  "< > : \" | ? * in folder names.")
                .arg(shown(c));
    }
    if (!name.isValidUtf16())
        return QStringLiteral("The album name holds a character that cannot be stored in a folder name.");
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("An album name cannot begin with a dot: the folder would be hidden, and the album "
                              "list would not show it.");
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("An album name cannot end with a dot or a space: Windows drops them from folder "
                              "names.");
    if (isReservedByWindows(name))
        return QStringLiteral("'%1' cannot be an album name: Windows keeps that name for a device.")
            .arg(name.section(QLatin1Char('.'), 0, 0).trimmed());
    if (name.size() > kMaxLength)
        return QStringLiteral("The album name is too long for a folder name: it has %1 characters, and at most %2 "
                              "are possible.")
            .arg(name.size())
            .arg(kMaxLength);
    const qsizetype bytes = QFile::encodeName(name).size();
    if (bytes > kMaxLength)
        return QStringLiteral("The album name is too long for a folder name: its letters take %1 bytes on disk, "
                              "and at most %2 are possible. Please choose a shorter name.")
            .arg(bytes)
            .arg(kMaxLength);
    return std::nullopt;
}
