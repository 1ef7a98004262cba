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
// extension; EXIF orientation is applied. Before decoding starts, the header
// decides whether the picture fits the working-memory budget (PictureBudget):
// a picture refused there gives a null picture, as one that does not decode
// does. Everything here may run on a worker thread.
namespace PictureLoader {

// No side of a picture as drawn is thinner than this many pixels (when the
// room it is drawn in allows): a 1000 x 1 picture is still seen and clicked.
// Pictures up to 1 : 25 keep their proportions exactly.
constexpr int kThinnestSide = 6;

// Given the upright natural size, the upright size to decode to. An empty size
// means the full picture.
using TargetSize = std::function<QSize(const QSize &natural)>;

// A picture fitted inside bound with its proportions kept (see fittedSize).
TargetSize fittedInside(const QSize &bound);

// Decodes one file, at the size targetFor asks for, never larger than the
// picture itself: except that a target out of the picture's proportions (a
// thin picture given kThinnestSide) is met exactly. A file that does not
// decode, or that the budget refuses, gives a null picture.
DecodedPicture decode(const QString &path, const TargetSize &targetFor = {});

// How a file is decoded: decode, or a way that may avoid it (a thumbnail cache).
using Decoder = std::function<DecodedPicture(const QString &path, const TargetSize &targetFor)>;

// The same for a picture held in memory.
DecodedPicture decodeData(const QByteArray &data, const TargetSize &targetFor = {});

// Decodes so that the picture fits inside bound with its proportions kept.
DecodedPicture decodeFitted(const QString &path, const QSize &bound);

// The whole picture when decoding it fits the budget, else the largest
// reduced one that does (for a JPEG, 7/8 of each side, 6/8, …); null when not
// even the smallest fits or the file does not decode.
DecodedPicture decodeLargest(const QString &path);

// The upright natural size from the header alone; invalid when the file is not
// a picture this program can read.
QSize naturalSize(const QString &path);

// A position is looked up under several names; the last one in the given order
// that decodes is the one shown. Names that do not exist cost no decoding.
DecodedPicture decodeLastThatLoads(const QStringList &candidates, const TargetSize &targetFor = {},
                                   const Decoder &decoder = decode);

// The size a picture of the given upright size is drawn at when targetFor
// asked for target: the target, unless the picture is smaller (see decode).
QSize drawnSize(const QSize &upright, const QSize &target);

// The size that fits inside bound with the proportions of size kept, but
// never thinner than kThinnestSide (nor than the bound).
QSize fittedSize(const QSize &size, const QSize &bound);

// A side of a drawn picture, made no thinner than `least` (the thinnest side
// at the scale it is drawn at) nor thicker than `room`.
double thickened(double side, double least, double room);

}  // namespace PictureLoader
