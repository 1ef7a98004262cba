#include "editing/PictureFiles.h"

#include "albumstore/PartFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace PictureFiles {

namespace {

Result notRead(const QString &source, const QString &why)
{
    return Result{false, QStringLiteral("%1 could not be read: %2").arg(QDir::toNativeSeparators(source), why)};
}

Result notWritten(const QString &target, const QString &why)
{
    return Result{false, QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(target), why)};
}

// Takes the temporary file away; why is read before that, which would clear it.
Result abandon(QSaveFile &out, const QString &target, const QString &why)
{
    out.cancelWriting();
    return notWritten(target, why);
}

// A batch move killed while it copied into this album left its partial file.
void sweep(const QString &target)
{
    PartFiles::removeStale(QFileInfo(target).absolutePath());
}

Result commit(QSaveFile &out, const QString &target)
{
    if (!out.commit())
        return notWritten(target, out.errorString());
    return {};
}

}  // namespace

Result copyInto(const QString &source, const QString &target)
{
    sweep(target);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return notRead(source, in.errorString());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return notWritten(target, out.errorString());
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray data = in.read(kChunk);
        if (data.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            return notRead(source, in.errorString());
        }
        if (out.write(data) != data.size())
            return abandon(out, target, out.errorString());
    }
    return commit(out, target);
}

Result saveBitmap(const QImage &image, const QString &target)
{
    sweep(target);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return notWritten(target, out.errorString());
    QImageWriter writer(&out, "bmp");
    if (!writer.write(image))
        return abandon(out, target, writer.errorString());
    return commit(out, target);
}

Result removePosition(const QString &albumFolder, int page, int picture)
{
    PartFiles::removeStale(albumFolder);
    const QDir dir(albumFolder);
    const QString pattern = QStringLiteral("P%1I%2.*").arg(page).arg(picture - 1);
    const QStringList files = dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System);
    Result result;
    for (const QString &name : files) {
        QFile file(dir.filePath(name));
        if (!file.remove()) {
            result.ok = false;
            result.reason += QStringLiteral("%1 could not be deleted: %2\n")
                                 .arg(QDir::toNativeSeparators(file.fileName()), file.errorString());
        }
    }
    result.reason = result.reason.trimmed();
    return result;
}

}  // namespace PictureFiles
