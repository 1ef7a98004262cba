#pragma once

#include <QImage>
#include <QSize>

class QIODevice;

// Decodes a JPEG (in memory, or a file read in large pieces) straight through
// the JPEG library, reduced while decoding (the library decodes at M/8 of each
// side) and then smoothly scaled the rest of the way. The picture comes out as
// it is stored: EXIF orientation is left to the caller.
//
// QImageReader decodes the same pictures to the same pixels, but feeds the
// library from a 4 KB buffer that keeps it mostly on its slow path, and
// converts each row after; a camera photo's thumbnail takes about a tenth
// longer there. Colour models other than grey and RGB/YCbCr are left to
// QImageReader, which knows their quirks.
namespace JpegDecoder {

enum class Outcome {
    Decoded,
    NotHandled,  // CMYK, YCCK or an odd colour model; or a device neither file nor buffer
    Failed,      // the data does not decode (QImageReader fails on it too)
};

struct Result
{
    Outcome outcome = Outcome::NotHandled;
    // Format_RGB32 for colour, Format_Grayscale8 for grey ones at their
    // decoded size; Format_RGB32 for grey ones smoothly scaled after that.
    QImage image;
};

// The size the library decodes a picture of `full` pixels at, asked for
// `wanted`: the smallest of its M/8 reductions that is at least `wanted` on
// both sides; `full` when wanted is empty or not smaller both ways.
QSize decodedSize(const QSize &full, const QSize &wanted);

// Decodes `length` bytes at `data` to exactly `wanted` (as stored), or whole
// when wanted is empty. Warnings about damaged data (a file that ends early,
// a broken block) are ignored: what decoded is kept, the rest filled the way
// the library fills it.
Result decode(const uchar *data, qint64 length, const QSize &wanted = {});

// The same for the whole content of a file (read in large pieces) or a
// buffer; any other device is not handled. The device's position is left
// alone.
Result decode(QIODevice &device, const QSize &wanted = {});

}  // namespace JpegDecoder
