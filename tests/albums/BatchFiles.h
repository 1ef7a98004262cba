#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

// Files for the batch move tests: each is a picture by its content (the
// batch moves nothing else) and holds its own name, so a test can tell which
// file landed at which position and that nothing was overwritten.
namespace BatchFiles {

// The least a file needs to be taken for a picture: the headers of a 1 x 1
// JPEG with one byte of data (28 bytes), or a 1 x 1 bitmap (58 bytes).
inline QByteArray jpegStart()
{
    return QByteArray::fromHex("ffd8"
                               "ffc0000b080001000101011100"
                               "ffda0008010100003f00"
                               "00"
                               "ffd9");
}

inline QByteArray bitmapStart()
{
    return QByteArray::fromHex("424d3a000000000000003600000028000000010000000100000001001800000000000400000000000000"
                               "0000000000000000000000000000ff00");
}

// A bitmap when the name says so, a JPEG otherwise.
inline QByteArray content(const QString &name)
{
    const bool bitmap = name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    return (bitmap ? bitmapStart() : jpegStart()) + name.toUtf8();
}

inline void write(const QString &folder, const QString &name, const QByteArray &content)
{
    QFile file(QDir(folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

inline void make(const QString &folder, const QStringList &names)
{
    for (const QString &name : names)
        write(folder, name, content(name));
}

inline QByteArray readAll(const QString &folder, const QString &name)
{
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// What a file holds after the picture start, if it has one: for a file made
// by make, its name.
inline QByteArray read(const QString &folder, const QString &name)
{
    const QByteArray all = readAll(folder, name);
    for (const QByteArray &start : {jpegStart(), bitmapStart()}) {
        if (all.startsWith(start))
            return all.mid(start.size());
    }
    return all;
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
