#include "albumstore/PictureBudget.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace PictureBudget {

namespace {

using Format = PictureHeader::Format;

// Sizes are worked out in floating point: a header may declare 2^31 pixels on
// each side, whose product in bytes no integer of ours holds.
double area(const QSize &s)
{
    return double(s.width()) * double(s.height());
}

double rowBytes(double width, double bitsPerPixel)
{
    return std::ceil(width * bitsPerPixel / 32.0) * 4.0;
}

qint64 toBytes(double bytes)
{
    // Far beyond any budget, and still a number a qint64 holds.
    constexpr qint64 kMost = std::numeric_limits<qint64>::max() / 2;
    return bytes >= double(kMost) ? kMost : qint64(std::ceil(bytes));
}

bool smallerBothWays(const QSize &size, const QSize &full)
{
    return size.isValid() && !size.isEmpty() && size.width() < full.width() && size.height() < full.height();
}

struct Sampling
{
    int horizontal = 1;
    int vertical = 1;
};

Sampling largestSampling(const PictureHeader &header)
{
    Sampling most;
    for (const PictureHeader::Component &c : header.components) {
        most.horizontal = std::max(most.horizontal, c.horizontal);
        most.vertical = std::max(most.vertical, c.vertical);
    }
    return most;
}

// 8 x 8 blocks of each component, as the decoder counts them: a component
// sampled less often covers the picture with fewer samples.
double blocks(const PictureHeader &header, bool wholeUnits)
{
    const Sampling most = largestSampling(header);
    double total = 0;
    for (const PictureHeader::Component &c : header.components) {
        const double width = std::ceil(double(header.size.width()) * c.horizontal / most.horizontal);
        const double height = std::ceil(double(header.size.height()) * c.vertical / most.vertical);
        double across = std::ceil(width / 8.0);
        double down = std::ceil(height / 8.0);
        if (wholeUnits) {
            across = std::ceil(across / c.horizontal) * c.horizontal;
            down = std::ceil(down / c.vertical) * c.vertical;
        }
        total += across * down;
    }
    return total;
}

// The size a JPEG decoder gives when asked for `size`: it decodes at M/8 of
// the full size, the smallest M that is not smaller than asked, and the
// picture is scaled the rest of the way afterwards.
QSize jpegDecodedSize(const QSize &full, const QSize &size)
{
    if (!smallerBothWays(size, full))
        return full;
    const double factor = std::min(double(full.width()) / size.width(), double(full.height()) / size.height());
    const int eighths = std::clamp(int(std::ceil(8.0 / factor)), 1, 8);
    return QSize(int(std::ceil(double(full.width()) * eighths / 8.0)),
                 int(std::ceil(double(full.height()) * eighths / 8.0)));
}

double jpegBytes(const PictureHeader &header, const QSize &size, bool turned)
{
    const QSize decoded = jpegDecodedSize(header.size, size);
    const QSize result = size.isValid() && !size.isEmpty() ? size : decoded;
    const bool grey = header.components.size() == 1;
    double bytes = rowBytes(decoded.width(), grey ? 8 : 32) * decoded.height();
    if (result != decoded) {
        // Smooth scaling works on 32-bit pixels: a grey picture is converted first.
        bytes += area(result) * 4 + (grey ? area(decoded) * 4 : 0);
    }
    if (turned)
        bytes += area(result) * 4;
    // A progressive picture, or one whose components come in separate scans,
    // is decoded into 64 coefficients of two bytes for every block of the
    // whole picture before any of it is output.
    if (header.progressive || header.componentsInSeparateScans)
        bytes += blocks(header, true) * 64 * 2;
    // Rows of samples on their way through upsampling and colour conversion.
    const Sampling most = largestSampling(header);
    bytes +=
        (double(decoded.width()) + 64) * std::max<double>(3, double(header.components.size())) * most.vertical * 8 * 4;
    return bytes;
}

double bitmapBytes(const PictureHeader &header, const QSize &size, bool turned)
{
    const QSize full = header.size;
    const int bits = header.bitsPerPixel;
    // 1-bit pictures stay 1-bit, 4- and 8-bit ones become 8-bit with a
    // palette, all others 32-bit.
    const double stored = bits == 1 ? 1 : (bits == 4 || bits == 8) ? 8 : 32;
    double bytes = rowBytes(full.width(), stored) * full.height();
    const QSize result = size.isValid() && !size.isEmpty() ? size : full;
    if (result != full)
        bytes += area(result) * 4 + (stored < 32 ? area(full) * 4 : 0);
    if (turned)
        bytes += area(result) * 4;
    // One row as read from the file.
    bytes += double(full.width()) * 4;
    return bytes;
}

// Other formats are decoded whole by decoders whose buffers are not known
// here: counted as a second copy of the picture.
double otherBytes(const PictureHeader &header, const QSize &size, bool turned)
{
    const QSize result = size.isValid() && !size.isEmpty() ? size : header.size;
    double bytes = area(header.size) * 4 * 2;
    if (result != header.size)
        bytes += area(result) * 4;
    if (turned)
        bytes += area(result) * 4;
    return bytes;
}

}  // namespace

qint64 workingBytes(const PictureHeader &header, const QSize &size, bool turned)
{
    if (!header.hasSize())
        return 0;
    switch (header.format) {
    case Format::Jpeg:
        return toBytes(jpegBytes(header, size, turned));
    case Format::Bitmap:
        return toBytes(bitmapBytes(header, size, turned));
    case Format::Unknown:
        break;
    }
    return toBytes(otherBytes(header, size, turned));
}

double shareOfData(const PictureHeader &header)
{
    constexpr double kEverything = std::numeric_limits<double>::infinity();
    if (!header.hasSize())
        return 0;
    const double data = double(header.dataBytes());
    switch (header.format) {
    case Format::Jpeg: {
        // Huffman coding takes at least one bit for a block's DC value and, in
        // a baseline scan, one more for its AC values. Arithmetic coding can
        // go below a bit for a flat block; a photo takes dozens of bits even
        // there, so an eighth of a bit still leaves out only flat colour.
        const double bitsPerBlock = header.arithmetic ? 0.125 : header.progressive ? 1 : 2;
        return data * 8 / (blocks(header, false) * bitsPerBlock);
    }
    case Format::Bitmap: {
        const QSize s = header.size;
        if (header.compression == PictureHeader::kRle8 || header.compression == PictureHeader::kRle4)
            return data / (std::ceil(s.width() / 255.0) * 2 * s.height());
        return data / (rowBytes(s.width(), std::max(1, header.bitsPerPixel)) * s.height());
    }
    case Format::Unknown:
        break;
    }
    return kEverything;
}

Verdict judge(const PictureHeader &header, const QSize &size, bool turned)
{
    if (!header.hasSize())
        return Verdict::NoPicture;
    if (workingBytes(header, size, turned) > kBytes)
        return Verdict::TooLarge;
    if (shareOfData(header) < kLeastShareOfData)
        return Verdict::TooLittleData;
    return Verdict::Decode;
}

QSize largestWithin(const PictureHeader &header, bool turned)
{
    if (!header.hasSize())
        return {};
    if (workingBytes(header, {}, turned) <= kBytes)
        return header.size;
    if (header.format != Format::Jpeg)
        return {};
    for (int eighths = 7; eighths >= 1; --eighths) {
        const QSize reduced(int(std::ceil(double(header.size.width()) * eighths / 8.0)),
                            int(std::ceil(double(header.size.height()) * eighths / 8.0)));
        if (reduced.isEmpty())
            break;
        if (workingBytes(header, reduced, turned) <= kBytes)
            return reduced;
    }
    return {};
}

}  // namespace PictureBudget
