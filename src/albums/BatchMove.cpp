#include "albums/BatchMove.h"

#include "albumstore/AlbumStore.h"
#include "albumstore/SourceFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QtConcurrent/QtConcurrentRun>

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

QString extensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // A leading dot starts a (hidden) name, not an extension.
    if (dot <= 0 || dot == name.size() - 1)
        return {};
    const QString extension = name.mid(dot);
    if (extension.compare(QLatin1String(".jpeg"), Qt::CaseInsensitive) != 0)
        return extension;
    return extension == QLatin1String(".JPEG") ? QStringLiteral(".JPG") : QStringLiteral(".jpg");
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

QStringList BatchMove::sourceFiles(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::NoSymLinks, QDir::NoSort);
    SourceFolders::sortByName(names);
    return names;
}

QString BatchMove::targetName(const QString &sourceName, int page, int picture)
{
    return AlbumStore::pictureFileName(page, picture, extensionOf(sourceName));
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
    for (const QString &name : files) {
        if (picture > AlbumStore::kPicturesPerPage) {
            picture = 1;
            ++page;
        }
        if (page > AlbumStore::kPages)
            return settle(page, picture) ? Outcome::AlbumFull : Outcome::Failed;
        if (m_cancelled)
            return settle(page, picture) ? Outcome::Cancelled : Outcome::Failed;
        switch (moveOne(name, page, picture)) {
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
            m_failedTarget = targetName(name, page, picture);
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

BatchMove::Step BatchMove::moveOne(const QString &name, int page, int picture)
{
    // Once one file had to be copied, the rest of the folder has to be too.
    if (m_crossDevice)
        return copyAcross(name, page, picture);
    const QString target = QDir(m_albumFolder).filePath(targetName(name, page, picture));
    const FileOperations::Status renamed = m_ops.rename(QDir(m_sourceFolder).filePath(name), target);
    switch (renamed.error) {
    case Error::None:
        return Step::Moved;
    case Error::Exists:
        return fail(alreadyThere());
    case Error::OtherDevice:
        m_crossDevice = true;
        return copyAcross(name, page, picture);
    case Error::Cancelled:
    case Error::Other:
        break;
    }
    return fail(sentence(renamed.reason));
}

QString BatchMove::partName(const QString &target) const
{
    // Hidden, so that an album never shows half a picture, and unlike any
    // name a user would give.
    const QFileInfo info(target);
    return info.dir().filePath(QStringLiteral(".%1.%2.kolumbra-part")
                                   .arg(info.fileName())
                                   .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
}

BatchMove::Step BatchMove::copyAcross(const QString &name, int page, int picture)
{
    const QString source = QDir(m_sourceFolder).filePath(name);
    const QString target = QDir(m_albumFolder).filePath(targetName(name, page, picture));
    if (m_ops.state(target).exists)
        return fail(alreadyThere());
    const FileOperations::FileState before = m_ops.state(source);
    if (!before.exists)
        return fail(QStringLiteral("It is no longer in its folder."));

    const FileOperations::Progress progress = [this, size = before.size](qint64 copied) {
        emit copying(copied, size);
        return !m_cancelled;
    };
    QString part;
    FileOperations::Status copied;
    for (int attempt = 0; attempt < 4; ++attempt) {
        part = partName(target);
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
