#include "albums/BatchMove.h"

#include "albums/SourceFolders.h"
#include "albumstore/AlbumStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>

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

} // namespace

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

BatchMove::~BatchMove() = default;

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
    m_cancelled = false;
    m_moved = 0;
    m_failedFile.clear();
    m_failedTarget.clear();
    m_reason.clear();
    const QDir source(sourceFolder);
    const QDir album(albumFolder);
    const int total = int(files.size());
    for (const QString &name : files) {
        if (picture > AlbumStore::kPicturesPerPage) {
            picture = 1;
            ++page;
        }
        if (page > AlbumStore::kPages)
            return Outcome::AlbumFull;
        if (m_cancelled)
            return Outcome::Cancelled;
        const QString target = targetName(name, page, picture);
        switch (moveOne(source.filePath(name), album.filePath(target))) {
        case Step::Moved:
            break;
        case Step::Failed:
            m_failedFile = name;
            m_failedTarget = target;
            return Outcome::Failed;
        case Step::Cancelled:
            return Outcome::Cancelled;
        }
        ++m_moved;
        ++picture;
        emit progressed(m_moved, total);
    }
    return Outcome::AllMoved;
}

BatchMove::Step BatchMove::fail(const QString &reason)
{
    m_reason = reason;
    return Step::Failed;
}

BatchMove::Step BatchMove::moveOne(const QString &source, const QString &target)
{
    const FileOperations::Status renamed = m_ops.rename(source, target);
    switch (renamed.error) {
    case Error::None:
        return Step::Moved;
    case Error::Exists:
        return fail(alreadyThere());
    case Error::OtherDevice:
        return copyAcross(source, target);
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

BatchMove::Step BatchMove::copyAcross(const QString &source, const QString &target)
{
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

    // Only a copy that is safely on the disk, under its own name, lets the
    // original go.
    const FileOperations::Status synced = m_ops.syncFolder(QFileInfo(target).absolutePath());
    const FileOperations::Status removed =
        synced.ok() ? m_ops.remove(source) : FileOperations::Status{};
    if (synced.ok() && removed.ok())
        return Step::Moved;
    const bool originalStays = m_ops.state(source).exists;
    if (synced.ok() && !originalStays)
        return Step::Moved;  // the removal was reported as failed, but it is gone
    const QString why = synced.ok()
        ? QStringLiteral("It could not be removed from its folder: %1").arg(sentence(removed.reason))
        : QStringLiteral("The album folder could not be put on the disk: %1").arg(sentence(synced.reason));
    if (!originalStays)
        return fail(why + QStringLiteral(" The file is in the album."));
    const FileOperations::Status undone = m_ops.remove(target);
    if (!undone.ok())
        return fail(why + QStringLiteral(" Its copy in the album could not be removed either (%1), so it is in both "
                                         "places now.")
                              .arg(sentence(undone.reason).chopped(1)));
    return fail(why + QStringLiteral(" It stays where it was."));
}
