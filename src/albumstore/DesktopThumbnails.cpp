#include "albumstore/DesktopThumbnails.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QImageWriter>
#include <QMutex>
#include <QTemporaryFile>
#include <QThreadPool>
#include <QWaitCondition>

#include <deque>
#include <filesystem>
#include <system_error>

namespace DesktopThumbnails {

namespace {

// No entry is larger than 1024 x 1024; anything claiming more is not one.
constexpr int kEntryAllocationLimitMB = 16;

// What an entry must agree with: the file's time of change (whole seconds, as
// every program on the desktop writes it) and its size.
struct Stamp
{
    qint64 seconds = 0;
    qint64 size = -1;
    bool operator==(const Stamp &o) const { return seconds == o.seconds && size == o.size; }
    bool operator!=(const Stamp &o) const { return !(*this == o); }
};

Stamp stampOf(const QFileInfo &info)
{
    if (!info.isFile())
        return {};
    return Stamp{info.lastModified().toSecsSinceEpoch(), info.size()};
}

// Failure entries are the program's own: another program failing on a file
// says nothing about whether this one can draw it, and this one's next version
// may succeed.
QString failureSubfolder()
{
    return QStringLiteral("fail/kolumbra-") + QStringLiteral(KOLUMBRA_VERSION);
}

QString failureFolder()
{
    return folder() + QLatin1Char('/') + failureSubfolder();
}

QString sizeFolderPath(const SizeFolder &size)
{
    return folder() + QLatin1Char('/') + QLatin1String(size.name);
}

DecodedPicture nothing(const QString &path)
{
    DecodedPicture none;
    none.path = path;
    return none;
}

// An entry's picture when it was made from this very file as it is now.
QImage readEntry(const QString &entry, const QString &address, const Stamp &stamp)
{
    if (!QFileInfo::exists(entry))
        return {};
    QImageReader reader(entry, "png");
    reader.setAllocationLimit(kEntryAllocationLimitMB);
    QImage image = reader.read();
    if (image.isNull() || image.text(QStringLiteral("Thumb::URI")) != address)
        return {};
    bool timeOk = false;
    const qint64 seconds = image.text(QStringLiteral("Thumb::MTime")).trimmed().toLongLong(&timeOk);
    if (!timeOk || seconds != stamp.seconds)
        return {};
    const QString size = image.text(QStringLiteral("Thumb::Size")).trimmed();
    if (!size.isEmpty() && size.toLongLong() != stamp.size)
        return {};
    return image;
}

bool hasFailed(const QString &address, const QString &entryName, const Stamp &stamp)
{
    return !readEntry(failureFolder() + QLatin1Char('/') + entryName, address, stamp).isNull();
}

// A thumbnail holds a drawing when it is at least as large; a pixel short of a
// side is rounding, not a reason to decode. (What is needed is never more than
// the picture, so a small picture's thumbnail, the picture itself, holds it.)
bool holds(const QSize &thumbnail, const QSize &needed)
{
    return thumbnail.width() + 1 >= needed.width() && thumbnail.height() + 1 >= needed.height();
}

QImage lookUp(const QString &address, const QString &entryName, const Stamp &stamp, const QSize &needed,
              int smallestSide)
{
    for (const SizeFolder &size : kSizeFolders) {
        if (size.side < smallestSide)
            continue;
        QImage image = readEntry(sizeFolderPath(size) + QLatin1Char('/') + entryName, address, stamp);
        if (!image.isNull() && holds(image.size(), needed))
            return image;
    }
    return {};
}

QImage reducedTo(const QImage &image, const QSize &size)
{
    if (image.isNull() || size.isEmpty() || image.size() == size)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---- writing, on a worker, one entry at a time ----

struct Job
{
    QString path;
    QString address;
    QString root;       // the cache, as it was when the file was read
    QString subfolder;  // where in it the entry goes
    Stamp stamp;
    QImage image;  // null: a failure entry
    QSize natural;
    quint64 seen = 0;  // the count of forgettings when the file was read
};

struct Writer
{
    QMutex mutex;
    QWaitCondition idle;
    std::deque<Job> jobs;
    int holds = 0;
    bool draining = false;
    quint64 forgettings = 0;
    QHash<QString, quint64> forgottenAt;  // address -> forgettings then
};

Writer &writer()
{
    static Writer w;
    return w;
}

quint64 forgettingsNow()
{
    Writer &w = writer();
    QMutexLocker lock(&w.mutex);
    return w.forgettings;
}

bool makePrivateFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    return QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Every folder from the cache down to its subfolder, made private to the user.
bool makeFolders(const QString &root, const QString &subfolder)
{
    const QString cacheHome = QFileInfo(root).path();
    if (!QFileInfo(cacheHome).isDir() && !QDir().mkpath(cacheHome))
        return false;
    QString path = root;
    if (!makePrivateFolder(path))
        return false;
    const QStringList steps = subfolder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        path += QLatin1Char('/') + step;
        if (!makePrivateFolder(path))
            return false;
    }
    return true;
}

QByteArray encode(const Job &job)
{
    QImage image = job.image.isNull() ? QImage(1, 1, QImage::Format_ARGB32) : job.image;
    if (job.image.isNull())
        image.fill(Qt::transparent);
    image.setText(QStringLiteral("Thumb::URI"), job.address);
    image.setText(QStringLiteral("Thumb::MTime"), QString::number(job.stamp.seconds));
    image.setText(QStringLiteral("Thumb::Size"), QString::number(job.stamp.size));
    if (!job.natural.isEmpty()) {
        image.setText(QStringLiteral("Thumb::Image::Width"), QString::number(job.natural.width()));
        image.setText(QStringLiteral("Thumb::Image::Height"), QString::number(job.natural.height()));
    }
    image.setText(QStringLiteral("Software"), QStringLiteral("KoLumbra ") + QStringLiteral(KOLUMBRA_VERSION));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter out(&buffer, "png");
    // Entries are small and read far more often than written: the fastest
    // compression costs a few kilobytes and saves most of the writing time.
    out.setCompression(1);
    if (!out.write(image))
        return {};
    return buffer.data();
}

// Written whole under a temporary name and renamed into place, private to the
// user, so that no program ever reads half an entry.
void writeEntry(const Job &job, const QByteArray &png)
{
    if (png.isEmpty() || !makeFolders(job.root, job.subfolder))
        return;
    const QString entryFolder = job.root + QLatin1Char('/') + job.subfolder;
    const QString entryName = entryNameOf(job.path);
    QTemporaryFile temporary(entryFolder + QStringLiteral("/.kolumbra-XXXXXX.png"));
    if (!temporary.open())
        return;
    const bool written = temporary.write(png) == png.size() && temporary.flush();
    temporary.close();
    if (!written)
        return;
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(temporary.fileName().toStdU16String()),
                            std::filesystem::path((entryFolder + QLatin1Char('/') + entryName).toStdU16String()), ec);
    if (!ec)
        temporary.setAutoRemove(false);
}

void drain()
{
    Writer &w = writer();
    QMutexLocker lock(&w.mutex);
    while (!w.jobs.empty() && w.holds == 0) {
        const Job job = std::move(w.jobs.front());
        w.jobs.pop_front();
        lock.unlock();
        const QByteArray png = encode(job);
        lock.relock();
        // Forgotten or changed while it was decoded or encoded: the entry
        // would describe a file that is no longer there.
        if (w.forgottenAt.value(job.address, 0) > job.seen || stampOf(QFileInfo(job.path)) != job.stamp)
            continue;
        writeEntry(job, png);
    }
    w.draining = false;
    w.idle.wakeAll();
}

// Starts the worker when there is work and nothing holds it back. Called with
// the writer's mutex held.
void startDraining(Writer &w)
{
    if (w.draining || w.holds > 0 || w.jobs.empty())
        return;
    w.draining = true;
    QThreadPool::globalInstance()->start(drain);
}

void queue(Job job)
{
    Writer &w = writer();
    QMutexLocker lock(&w.mutex);
    w.jobs.push_back(std::move(job));
    startDraining(w);
}

// A file that does not decode gets a failure entry only when it could be
// read: one that is merely out of reach now (no permission, a disk gone)
// must be tried again once it is back, although its time has not changed.
void queueFailure(const QString &path, const QString &address, const Stamp &stamp, quint64 seen)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    queue(Job{path, address, folder(), failureSubfolder(), stamp, QImage(), QSize(), seen});
}

bool isUnreserved(char c)
{
    // The characters a file address keeps as they are, as the desktop's file
    // managers write it; every other byte is escaped as %XX.
    static const QByteArray kept = QByteArrayLiteral("!$&'()*+,-./:=@_~");
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || kept.contains(c);
}

}  // namespace

QString folder()
{
    QString cacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cacheHome.isEmpty() || QDir::isRelativePath(cacheHome))
        cacheHome = QDir::homePath() + QStringLiteral("/.cache");
    return QDir::cleanPath(cacheHome) + QStringLiteral("/thumbnails");
}

QString addressOf(const QString &path)
{
    QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!absolute.startsWith(QLatin1Char('/')))
        absolute.prepend(QLatin1Char('/'));  // a drive letter: file:///C:/…
    const QByteArray bytes = QFile::encodeName(absolute);
    QByteArray address = QByteArrayLiteral("file://");
    for (const char c : bytes) {
        if (isUnreserved(c)) {
            address += c;
        } else {
            address += '%';
            address += QByteArray::number(uchar(c), 16).rightJustified(2, '0').toUpper();
        }
    }
    return QString::fromLatin1(address);
}

QString entryNameOf(const QString &path)
{
    return QString::fromLatin1(QCryptographicHash::hash(addressOf(path).toUtf8(), QCryptographicHash::Md5).toHex())
        + QStringLiteral(".png");
}

std::optional<SizeFolder> folderFor(const QSize &needed)
{
    const int longest = std::max(needed.width(), needed.height());
    for (const SizeFolder &size : kSizeFolders) {
        if (longest <= size.side)
            return size;
    }
    return std::nullopt;
}

QSize thumbnailSize(const QSize &natural, int side)
{
    if (natural.isEmpty())
        return {};
    if (natural.width() <= side && natural.height() <= side)
        return natural;
    return natural.scaled(side, side, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

DecodedPicture decode(const QString &path, const PictureLoader::TargetSize &targetFor,
                      const PictureLoader::Decoder &decoder)
{
    const QFileInfo info(path);
    if (!targetFor || !info.isFile())
        return decoder(path, targetFor);
    const quint64 seen = forgettingsNow();
    const Stamp stamp = stampOf(info);
    const QString address = addressOf(path);
    const QString entryName = entryNameOf(path);

    // A header that does not read: no size to choose a folder by, but a
    // failure entry still spares the decoding.
    const QSize natural = PictureLoader::naturalSize(path);
    if (natural.isEmpty()) {
        if (hasFailed(address, entryName, stamp))
            return nothing(path);
        DecodedPicture decoded = decoder(path, targetFor);
        if (decoded.isNull())
            queueFailure(path, address, stamp, seen);
        return decoded;
    }

    const QSize drawn = PictureLoader::drawnSize(natural, targetFor(natural));
    const QSize needed = drawn.boundedTo(natural);
    const std::optional<SizeFolder> size = folderFor(needed);
    if (!size)
        return decoder(path, targetFor);
    if (hasFailed(address, entryName, stamp))
        return nothing(path);
    const QImage thumbnail = lookUp(address, entryName, stamp, needed, size->side);
    if (!thumbnail.isNull())
        return DecodedPicture{reducedTo(thumbnail, drawn), natural, path};

    const int side = size->side;
    DecodedPicture decoded = decoder(path, [side](const QSize &n) { return thumbnailSize(n, side); });
    if (decoded.isNull()) {
        queueFailure(path, address, stamp, seen);
        return decoded;
    }
    queue(Job{path, address, folder(), QLatin1String(size->name), stamp,
              reducedTo(decoded.image, thumbnailSize(decoded.naturalSize, side)), decoded.naturalSize, seen});
    decoded.image = reducedTo(decoded.image, drawn);
    return decoded;
}

DecodedPicture decodeLastThatLoads(const QStringList &candidates, const PictureLoader::TargetSize &targetFor)
{
    return PictureLoader::decodeLastThatLoads(
        candidates, targetFor,
        [](const QString &path, const PictureLoader::TargetSize &target) { return decode(path, target); });
}

DecodedPicture decodeFitted(const QString &path, const QSize &bound)
{
    return decode(path, PictureLoader::fittedInside(bound));
}

void forget(const QString &path)
{
    const QString address = addressOf(path);
    const QString entryName = entryNameOf(path);
    Writer &w = writer();
    QMutexLocker lock(&w.mutex);
    w.forgottenAt.insert(address, ++w.forgettings);
    w.jobs.erase(
        std::remove_if(w.jobs.begin(), w.jobs.end(), [&address](const Job &job) { return job.address == address; }),
        w.jobs.end());
    for (const SizeFolder &size : kSizeFolders)
        QFile::remove(sizeFolderPath(size) + QLatin1Char('/') + entryName);
    QFile::remove(failureFolder() + QLatin1Char('/') + entryName);
}

void forgetFolder(const QString &folderPath)
{
    const QFileInfoList files = QDir(folderPath).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &file : files)
        forget(file.absoluteFilePath());
}

WritesHeld::WritesHeld()
{
    Writer &w = writer();
    QMutexLocker lock(&w.mutex);
    ++w.holds;
}

WritesHeld::~WritesHeld()
{
    Writer &w = writer();
    QMutexLocker lock(&w.mutex);
    --w.holds;
    startDraining(w);
}

void waitForWrites()
{
    Writer &w = writer();
    QMutexLocker lock(&w.mutex);
    while (w.draining || (w.holds == 0 && !w.jobs.empty()))
        w.idle.wait(&w.mutex);
}

}  // namespace DesktopThumbnails
