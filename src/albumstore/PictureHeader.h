#pragma once

#include <QSize>
#include <QString>

#include <vector>

class QIODevice;

// What a JPEG or Windows bitmap file says about itself before a single pixel
// is decoded: the size it declares, how its data is coded, and where that data
// starts. Read from the first bytes of the file (a JPEG's markers up to its
// first scan, a bitmap's two headers), so it is cheap whatever the file claims.
struct PictureHeader
{
    enum class Format {
        Unknown,  // neither a JPEG nor a Windows bitmap by its content
        Jpeg,
        Bitmap,
    };

    // A JPEG colour component and how often it is sampled, relative to the
    // others (a 4:2:0 photo has 2 x 2 for brightness and 1 x 1 for colour).
    struct Component
    {
        int horizontal = 1;
        int vertical = 1;
    };

    Format format = Format::Unknown;
    // The size the header declares, as stored (before EXIF orientation); a
    // bitmap stored top-down still has a positive height. Invalid when the
    // header is broken or does not say.
    QSize size;
    qint64 fileBytes = 0;
    // Where the coded pixels start: a JPEG's first scan, a bitmap's pixels.
    // The file's length when there are none.
    qint64 dataStart = 0;

    // JPEG
    bool progressive = false;
    bool arithmetic = false;  // arithmetic coding instead of Huffman coding
    // The first scan codes only some of the components, so the decoder keeps
    // the coefficients of the whole picture, as for a progressive one.
    bool componentsInSeparateScans = false;
    std::vector<Component> components;

    // Bitmap
    int bitsPerPixel = 0;
    int compression = 0;  // as the header gives it: 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    static constexpr int kRle8 = 1;
    static constexpr int kRle4 = 2;

    bool hasSize() const { return size.isValid() && !size.isEmpty(); }
    qint64 dataBytes() const { return fileBytes > dataStart ? fileBytes - dataStart : 0; }

    // Reads from the start of the device and leaves it at the start again.
    static PictureHeader read(QIODevice &device);
    static PictureHeader read(const QString &path);
};
