#include "BenchPictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRandomGenerator>

namespace BenchPictures {

namespace {

QImage photoLike(const QSize &size, int seed)
{
    // A smooth picture enlarged, with fine grain on top: decodes like a photo
    // rather than like a flat colour.
    QImage base(QString::fromLatin1(KOLUMBRA_DATA "/P1I%1.jpg").arg(seed % 6));
    if (base.isNull()) {
        base = QImage(64, 48, QImage::Format_RGB32);
        base.fill(Qt::darkGreen);
    }
    QImage image =
        base.convertToFormat(QImage::Format_RGB32).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QRandomGenerator rng(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grain = int(rng.bounded(24)) - 12;
            const QRgb p = line[x];
            line[x] = qRgb(qBound(0, qRed(p) + grain, 255), qBound(0, qGreen(p) + grain, 255),
                           qBound(0, qBlue(p) + grain, 255));
        }
    }
    return image;
}

double statusMiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

}  // namespace

QStringList photos(int count, const QSize &size)
{
    const QString dir = QDir::temp().filePath(QStringLiteral("kolumbra-bench-pictures"));
    QDir().mkpath(dir);
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString path =
            QDir(dir).filePath(QStringLiteral("photo-%1x%2-%3.jpg").arg(size.width()).arg(size.height()).arg(i));
        if (!QFileInfo::exists(path))
            photoLike(size, i).save(path, "JPEG", 90);
        files << path;
    }
    return files;
}

double residentMiB()
{
    return statusMiB("VmRSS:");
}

double peakResidentMiB()
{
    return statusMiB("VmHWM:");
}

void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

}  // namespace BenchPictures
