#include "albumpage/PictureFiles.h"

#include "albumstore/AlbumStore.h"
#include "albumstore/DesktopThumbnails.h"
#include "albumstore/PartFiles.h"
#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QScopeGuard>

#include <algorithm>
#include <utility>
#include <vector>

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

// The files a picture written to target takes the place of: target itself,
// and the position's picture under another extension, which the album page
// would otherwise go on finding.
QStringList replacedBy(const QString &target)
{
    const QFileInfo info(target);
    const auto &extensions = AlbumStore::extensions();
    const QString suffix = QLatin1Char('.') + info.suffix();
    if (std::none_of(extensions.begin(), extensions.end(),
                     [&suffix](const QString &e) { return e.compare(suffix, Qt::CaseInsensitive) == 0; }))
        return {info.filePath()};
    QStringList files;
    for (const QString &extension : extensions)
        files << info.dir().filePath(info.completeBaseName() + extension);
    return files;
}

// The complete new picture takes the old one's place. The old one goes to
// the trash first, with its own name, so that a replacement can be undone;
// should the new one then fail to take its name, the old one comes back.
Result commit(QSaveFile &out, const QString &target)
{
    const QStringList replaced = replacedBy(target);
    // The new picture may keep the old one's time and size: the desktop's
    // thumbnail of the old one must go, whatever happens here.
    const auto forgetThumbnails = qScopeGuard([&replaced] {
        for (const QString &old : replaced)
            DesktopThumbnails::forget(old);
    });
    std::vector<std::pair<QString, QString>> trashed;  // where it was, where it is
    for (const QString &old : replaced) {
        // A link stays: the new picture is written through it, into the file
        // it names, as it always was.
        const QFileInfo info(old);
        if (!info.isFile() || info.isSymLink())
            continue;
        if (const std::optional<QString> inTrash = Trash::moveToTrash(old))
            trashed.emplace_back(old, *inTrash);
    }
    if (out.commit())
        return {};
    Result failed = notWritten(target, out.errorString());
    for (const auto &[original, inTrash] : trashed)
        Trash::putBack(inTrash, original);
    return failed;
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
        const QString path = dir.filePath(name);
        const Trash::Result discarded = Trash::discard(path);
        DesktopThumbnails::forget(path);
        if (!discarded.ok) {
            result.ok = false;
            result.reason +=
                QStringLiteral("%1 could not be deleted: %2\n").arg(QDir::toNativeSeparators(path), discarded.error);
        }
    }
    result.reason = result.reason.trimmed();
    return result;
}

}  // namespace PictureFiles
