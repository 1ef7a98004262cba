#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

// Files for the batch move tests: each holds its own name, so a test can tell
// which file landed at which position and that nothing was overwritten.
namespace BatchFiles {

inline void write(const QString &folder, const QString &name, const QByteArray &content)
{
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

inline void make(const QString &folder, const QStringList &names)
{
    for (const QString &name : names)
        write(folder, name, name.toUtf8());
}

inline QByteArray read(const QString &folder, const QString &name)
{
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every entry of a folder, hidden ones too, by name.
inline QStringList all(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// "img_01.JPG", "IMG_02.bmp", "img_03.BMP", …: a mix of extensions and letter case.
inline QStringList numbered(int count)
{
    const QStringList starts{"IMG_", "img_"};
    const QStringList endings{".jpg", ".JPG", ".bmp", ".BMP"};
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << starts[i % 2] + QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')) + endings[i % 4];
    return names;
}

}  // namespace BatchFiles
