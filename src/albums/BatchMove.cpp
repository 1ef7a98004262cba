#include "albums/BatchMove.h"

#include "albumstore/AlbumStore.h"
#include "albumstore/DesktopThumbnails.h"
#include "albumstore/PartFiles.h"
#include "albumstore/PictureBudget.h"
#include "albumstore/SourceFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <optional>

namespace {

using Error = FileOperations::Error;

QString sentence(QString text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return QStringLiteral("The system gave no reason.");
    text[0] = text[0].toUpper();
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

QString alreadyThere()
{
    return QStringLiteral("The album has a file of that name already.");
}

// A file's own extension is written in capitals (as cameras write ".JPG").
bool capitalExtension(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // A leading dot starts a (hidden) name, not an extension.
    if (dot <= 0 || dot == name.size() - 1)
        return false;
    const QString extension = name.mid(dot + 1);
    return extension == extension.toUpper() && extension != extension.toLower();
}

struct Kind
{
    PictureHeader::Format format = PictureHeader::Format::Unknown;
    std::optional<BatchMove::Left> left;
};

// Whether a file goes into the album, decided by its content: a JPEG or a
// bitmap that decodes within the budget at the smallest size the album
// draws. One refused even there would never show.
Kind kindOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {PictureHeader::Format::Unknown, BatchMove::Left::Unreadable};
    const PictureHeader header = PictureHeader::read(file);
    if (header.format == PictureHeader::Format::Unknown)
        return {header.format, BatchMove::Left::NotAPicture};
    switch (PictureBudget::judge(header, QSize(1, 1))) {
    case PictureBudget::Verdict::Decode:
        return {header.format, std::nullopt};
    case PictureBudget::Verdict::TooLarge:
        return {header.format, BatchMove::Left::TooLarge};
    case PictureBudget::Verdict::TooLittleData:
    case PictureBudget::Verdict::NoPicture:
        break;
    }
    return {header.format, BatchMove::Left::Damaged};
}

// "1 is not a JPEG or Windows bitmap picture", "2 are too large to show".
QString howMany(qsizetype count, BatchMove::Left why)
{
    const bool one = count == 1;
    const QString verb = one ? QStringLiteral("is") : QStringLiteral("are");
    switch (why) {
    case BatchMove::Left::NotAPicture:
        return one ? QStringLiteral("1 is not a JPEG or Windows bitmap picture")
                   : QStringLiteral("%1 are not JPEG or Windows bitmap pictures").arg(count);
    case BatchMove::Left::TooLarge:
        return QStringLiteral("%1 %2 too large to show").arg(count).arg(verb);
    case BatchMove::Left::Damaged:
        return QStringLiteral("%1 %2 damaged").arg(count).arg(verb);
    case BatchMove::Left::Unreadable:
        break;
    }
    return QStringLiteral("%1 could not be read").arg(count);
}

QString why(BatchMove::Left left)
{
    switch (left) {
    case BatchMove::Left::NotAPicture:
        return QStringLiteral("it is not a JPEG or Windows bitmap picture");
    case BatchMove::Left::TooLarge:
        return QStringLiteral("it is too large to show");
    case BatchMove::Left::Damaged:
        return QStringLiteral("it is damaged");
    case BatchMove::Left::Unreadable:
        break;
    }
    return QStringLiteral("it could not be read");
}

}  // namespace

BatchMove::BatchMove(QObject *parent)
    : QObject(parent)
    , m_ownOperations(std::make_unique<FileOperations>())
    , m_ops(*m_ownOperations)
{
}

BatchMove::BatchMove(FileOperations &operations, QObject *parent)
    : QObject(parent)
    , m_ops(operations)
{
}

BatchMove::~BatchMove()
{
    m_syncing.waitForFinished();
}

BatchMove::Source BatchMove::readSource(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoSymLinks, QDir::NoSort);
    SourceFolders::sortByName(names);
    Source source;
    for (const QString &name : std::as_const(names)) {
        const Kind kind = kindOf(QDir(folder).filePath(name));
        if (kind.left)
            source.left.push_back({name, *kind.left});
        else
            source.pictures << name;
    }
    return source;
}

QStringList BatchMove::sourceFiles(const QString &folder)
{
    return readSource(folder).pictures;
}

QString BatchMove::leftText(const QList<LeftFile> &left, const QString &folder)
{
    const QString where = QDir::toNativeSeparators(folder);
    if (left.isEmpty())
        return {};
    if (left.size() == 1)
        return QStringLiteral("%1 stays in %2: %3.").arg(left.first().name, where, why(left.first().why));
    QStringList parts;
    for (const Left kind : {Left::NotAPicture, Left::TooLarge, Left::Damaged, Left::Unreadable}) {
        const auto count =
            std::count_if(left.cbegin(), left.cend(), [kind](const LeftFile &f) { return f.why == kind; });
        if (count > 0)
            parts << howMany(count, kind);
    }
    QString list = parts.takeLast();
    if (!parts.isEmpty())
        list = parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + list;
    return QStringLiteral("%1 files stay in %2: %3.").arg(left.size()).arg(where, list);
}

QString BatchMove::targetName(const QString &sourceName, PictureHeader::Format format, int page, int picture)
{
    const bool capitals = capitalExtension(sourceName);
    const bool bitmap = format == PictureHeader::Format::Bitmap;
    const QString extension = bitmap ? (capitals ? QStringLiteral(".BMP") : QStringLiteral(".bmp"))
                                     : (capitals ? QStringLiteral(".JPG") : QStringLiteral(".jpg"));
    return AlbumStore::pictureFileName(page, picture, extension);
}

BatchMove::Outcome BatchMove::run(const QString &sourceFolder, const QStringList &files, const QString &albumFolder,
                                  int &page, int &picture)
{
    m_sourceFolder = sourceFolder;
    m_albumFolder = albumFolder;
    m_crossDevice = false;
    m_cancelled = false;
    m_moved = 0;
    m_total = int(files.size());
    m_copied.clear();
    m_copiedBytes = 0;
    m_syncingCount = 0;
    m_failedFile.clear();
    m_failedTarget.clear();
    m_reason.clear();
    m_left.clear();
    // A copy killed in the middle of an earlier run left its partial file.
    PartFiles::removeStale(albumFolder);
    for (const QString &name : files) {
        // Decided again now: the folder may have changed since it was read.
        const Kind kind = kindOf(QDir(m_sourceFolder).filePath(name));
        if (kind.left) {
            m_left.push_back({name, *kind.left});
            continue;
        }
        if (picture > AlbumStore::kPicturesPerPage) {
            picture = 1;
            ++page;
        }
        if (page > AlbumStore::kPages)
            return settle(page, picture) ? Outcome::AlbumFull : Outcome::Failed;
        if (m_cancelled)
            return settle(page, picture) ? Outcome::Cancelled : Outcome::Failed;
        const QString target = targetName(name, kind.format, page, picture);
        switch (moveOne(name, target, page, picture)) {
        case Step::Moved:
            moved();
            break;
        case Step::Copied:
            // The group copied goes to the disk while the next one is copied.
            if (m_copied.size() - m_syncingCount >= std::size_t(kGroupFiles) || m_copiedBytes >= kGroupBytes) {
                if (!release(page, picture))
                    return Outcome::Failed;
                startSync();
            }
            break;
        case Step::Failed: {
            // What was copied before this file is finished first, so that the
            // run stops with everything before it in the album.
            const QString reason = m_reason;
            if (!settle(page, picture))
                return Outcome::Failed;
            m_failedFile = name;
            m_failedTarget = target;
            m_reason = reason;
            return Outcome::Failed;
        }
        case Step::Cancelled:
            return settle(page, picture) ? Outcome::Cancelled : Outcome::Failed;
        }
        ++picture;
    }
    return settle(page, picture) ? Outcome::AllMoved : Outcome::Failed;
}

void BatchMove::moved()
{
    ++m_moved;
    emit progressed(m_moved, m_total);
}

BatchMove::Step BatchMove::fail(const QString &reason)
{
    m_reason = reason;
    return Step::Failed;
}

BatchMove::Step BatchMove::moveOne(const QString &name, const QString &targetName, int page, int picture)
{
    // Once one file had to be copied, the rest of the folder has to be too.
    if (m_crossDevice)
        return copyAcross(name, targetName, page, picture);
    const QString target = QDir(m_albumFolder).filePath(targetName);
    const FileOperations::Status renamed = m_ops.rename(QDir(m_sourceFolder).filePath(name), target);
    switch (renamed.error) {
    case Error::None:
        DesktopThumbnails::forget(target);
        return Step::Moved;
    case Error::Exists:
        return fail(alreadyThere());
    case Error::OtherDevice:
        m_crossDevice = true;
        return copyAcross(name, targetName, page, picture);
    case Error::Cancelled:
    case Error::Other:
        break;
    }
    return fail(sentence(renamed.reason));
}

BatchMove::Step BatchMove::copyAcross(const QString &name, const QString &targetName, int page, int picture)
{
    const QString source = QDir(m_sourceFolder).filePath(name);
    const QString target = QDir(m_albumFolder).filePath(targetName);
    if (m_ops.state(target).exists)
        return fail(alreadyThere());
    const FileOperations::FileState before = m_ops.state(source);
    if (!before.exists)
        return fail(QStringLiteral("It is no longer in its folder."));

    const FileOperations::Progress progress = [this, size = before.size](qint64 copied) {
        emit copying(copied, size);
        return !m_cancelled;
    };
    // Hidden, so that an album never shows half a picture; marked as being
    // written until it is named or removed, so that no sweep for stale
    // partial files takes it meanwhile.
    QString part;
    std::optional<PartFiles::Writing> writing;
    FileOperations::Status copied;
    for (int attempt = 0; attempt < 4; ++attempt) {
        part = PartFiles::nameFor(target);
        writing.emplace(part);
        copied = m_ops.copyNew(source, part, progress);
        if (copied.error != Error::Exists)
            break;
    }
    if (!copied.ok()) {
        // A name that was taken is someone else's file; anything else is
        // what this copy wrote.
        if (copied.error != Error::Exists)
            m_ops.remove(part);
        if (copied.error == Error::Cancelled)
            return Step::Cancelled;
        return fail(QStringLiteral("Copying it to the album failed: %1").arg(sentence(copied.reason)));
    }

    const FileOperations::FileState copy = m_ops.state(part);
    if (copy.size != before.size) {
        m_ops.remove(part);
        const QLocale locale;
        return fail(QStringLiteral("Its copy came out %1 bytes long instead of %2.")
                        .arg(locale.toString(copy.size), locale.toString(before.size)));
    }
    if (!(m_ops.state(source) == before)) {
        m_ops.remove(part);
        return fail(QStringLiteral("It changed while it was being copied."));
    }
    const FileOperations::Status named = m_ops.rename(part, target);
    if (!named.ok()) {
        m_ops.remove(part);
        return fail(named.error == Error::Exists ? alreadyThere() : sentence(named.reason));
    }
    DesktopThumbnails::forget(target);
    m_copied.push_back({name, source, target, before, page, picture});
    m_copiedBytes += before.size;
    return Step::Copied;
}

QStringList BatchMove::copiedTargets() const
{
    QStringList targets;
    for (const Copied &c : m_copied)
        targets << c.target;
    return targets;
}

void BatchMove::startSync()
{
    m_syncingCount = m_copied.size();
    m_copiedBytes = 0;
    m_syncing = QtConcurrent::run(
        [&ops = m_ops, targets = copiedTargets(), folder = m_albumFolder] { return ops.syncFiles(targets, folder); });
}

bool BatchMove::release(int &page, int &picture)
{
    if (m_syncingCount == 0)
        return true;
    const std::size_t count = m_syncingCount;
    m_syncingCount = 0;
    return removeOriginals(count, m_syncing.result(), page, picture);
}

bool BatchMove::settle(int &page, int &picture)
{
    if (!release(page, picture))
        return false;
    return m_copied.empty()
        || removeOriginals(m_copied.size(), m_ops.syncFiles(copiedTargets(), m_albumFolder), page, picture);
}

bool BatchMove::removeOriginals(std::size_t count, const FileOperations::Status &synced, int &page, int &picture)
{
    // Only copies that are on the disk, under their own names, let the
    // originals go.
    QString reason;
    std::size_t done = 0;
    if (!synced.ok())
        reason = QStringLiteral("Its copy could not be put on the disk: %1").arg(sentence(synced.reason));
    for (; synced.ok() && done < count; ++done) {
        const Copied &c = m_copied[done];
        const FileOperations::FileState now = m_ops.state(c.source);
        if (now.exists && !(now == c.original)) {
            reason = QStringLiteral("It changed after it was copied.");
            break;
        }
        const FileOperations::Status removed = m_ops.remove(c.source);
        // A removal reported as failed may still have happened.
        if (!removed.ok() && m_ops.state(c.source).exists) {
            reason = QStringLiteral("It could not be removed from its folder: %1").arg(sentence(removed.reason));
            break;
        }
        moved();
    }
    if (done == count) {
        m_copied.erase(m_copied.begin(), m_copied.begin() + std::ptrdiff_t(count));
        return true;
    }
    // The run stops at the first file not moved; it and every file copied
    // after it go back to how they were: in their folder only.
    const Copied &first = m_copied[done];
    m_failedFile = first.name;
    m_failedTarget = QFileInfo(first.target).fileName();
    page = first.page;
    picture = first.picture;
    for (std::size_t i = done; i < m_copied.size(); ++i)
        undo(m_copied[i], reason);
    m_reason = reason;
    m_copied.clear();
    m_copiedBytes = 0;
    return false;
}

void BatchMove::undo(const Copied &copy, QString &reason)
{
    // Without its original the copy is the file; it stays.
    if (!m_ops.state(copy.source).exists)
        return;
    const FileOperations::Status removed = m_ops.remove(copy.target);
    if (removed.ok())
        return;
    if (copy.name == m_failedFile)
        reason +=
            QStringLiteral(" Its copy in the album could not be removed either (%1), so it is in both places now.")
                .arg(sentence(removed.reason).chopped(1));
    else
        reason += QStringLiteral(" %1 could not be removed from the album again, so it is in both places now.")
                      .arg(QFileInfo(copy.target).fileName());
}
