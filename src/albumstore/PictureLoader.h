#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

// A picture as the windows use it: the decoded image (upright, at the size it
// was asked for) and the picture's natural size (upright, from the header).
struct DecodedPicture
{
    QImage image;
    QSize naturalSize;
    QString path;

    bool isNull() const { return image.isNull(); }
};

// Decoding of picture files. The format is decided from the content, never the
// extension; EXIF orientation is applied; an allocation limit refuses files
// whose header claims an absurd size. Everything here may run on a worker
// thread.
namespace PictureLoader {

constexpr int kAllocationLimitMB = 1024;

// Given the upright natural size, the upright size to decode to. An empty size
// means the full picture.
using TargetSize = std::function<QSize(const QSize &natural)>;

// Decodes one file, at the size targetFor asks for (never larger than the
// picture itself). A file that does not decode gives a null picture.
DecodedPicture decode(const QString &path, const TargetSize &targetFor = {});

// The same for a picture held in memory.
DecodedPicture decodeData(const QByteArray &data, const TargetSize &targetFor = {});

// Decodes so that the picture fits inside bound with its proportions kept.
DecodedPicture decodeFitted(const QString &path, const QSize &bound);

// The upright natural size from the header alone; invalid when the file is not
// a picture this program can read.
QSize naturalSize(const QString &path);

// A position is looked up under several names; the last one in the given order
// that decodes is the one shown. Names that do not exist cost no decoding.
DecodedPicture decodeLastThatLoads(const QStringList &candidates, const TargetSize &targetFor = {});

// The size that fits inside bound with the proportions of size kept.
QSize fittedSize(const QSize &size, const QSize &bound);

}  // namespace PictureLoader
