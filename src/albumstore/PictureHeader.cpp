#include "albumstore/PictureHeader.h"

#include <QFile>
#include <QIODevice>

#include <algorithm>
#include <cstdlib>

namespace {

// A JPEG decoder passes over bytes that are no marker; this many between two
// markers is no picture any more.
constexpr qint64 kMostStrayBytes = 1 << 20;

class Bytes
{
public:
    explicit Bytes(QIODevice &device)
        : m_device(device)
    {
    }

    bool byte(int &value)
    {
        char c = 0;
        if (!m_device.getChar(&c))
            return false;
        value = uchar(c);
        return true;
    }

    bool bigEndian16(int &value)
    {
        int high = 0;
        int low = 0;
        if (!byte(high) || !byte(low))
            return false;
        value = high << 8 | low;
        return true;
    }

    template <typename T> bool littleEndian(T &value, int bytes)
    {
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i) {
            int b = 0;
            if (!byte(b))
                return false;
            v |= quint64(b) << (8 * i);
        }
        value = T(v);
        return true;
    }

    qint64 pos() const { return m_device.pos(); }
    bool seek(qint64 to) { return to <= m_device.size() && m_device.seek(to); }

private:
    QIODevice &m_device;
};

bool isStartOfFrame(int marker)
{
    // C4 (Huffman tables), C8 (reserved) and CC (arithmetic conditioning)
    // share the range.
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The next marker code, passing over stray bytes and fill bytes as a decoder
// does; -1 at the end of the file or after too much that is no marker.
int nextMarker(Bytes &in)
{
    qint64 stray = 0;
    int b = 0;
    if (!in.byte(b))
        return -1;
    for (;;) {
        while (b != 0xFF) {
            if (++stray > kMostStrayBytes || !in.byte(b))
                return -1;
        }
        do {
            if (!in.byte(b))
                return -1;
        } while (b == 0xFF);
        if (b != 0)
            return b;
        // FF 00 is a coded FF byte, not a marker.
        if (++stray > kMostStrayBytes || !in.byte(b))
            return -1;
    }
}

PictureHeader broken(PictureHeader header)
{
    header.size = QSize();
    return header;
}

PictureHeader readJpeg(Bytes &in, PictureHeader header)
{
    bool frameSeen = false;
    for (;;) {
        const int marker = nextMarker(in);
        if (marker < 0 || marker == 0xD9)  // the end, before any scan
            return header;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))  // markers without a length
            continue;
        if (marker == 0xD8)  // a second start: the decoder stops there
            return broken(header);
        int length = 0;
        if (!in.bigEndian16(length))
            return broken(header);
        // A length too short to count itself skips nothing: the decoder goes
        // on looking for the next marker right after it.
        const qint64 next = in.pos() + std::max(0, length - 2);
        if (isStartOfFrame(marker)) {
            if (frameSeen)
                return broken(header);
            frameSeen = true;
            int precision = 0;
            int height = 0;
            int width = 0;
            int count = 0;
            if (!in.byte(precision) || !in.bigEndian16(height) || !in.bigEndian16(width) || !in.byte(count)
                || count < 1)
                return broken(header);
            header.size = QSize(width, height);
            header.progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            header.arithmetic = marker >= 0xC9;
            for (int i = 0; i < count; ++i) {
                int id = 0;
                int sampling = 0;
                int table = 0;
                if (!in.byte(id) || !in.byte(sampling) || !in.byte(table))
                    return broken(header);
                const PictureHeader::Component c{sampling >> 4, sampling & 0x0F};
                if (c.horizontal < 1 || c.horizontal > 4 || c.vertical < 1 || c.vertical > 4)
                    return broken(header);
                header.components.push_back(c);
            }
        } else if (marker == 0xDA) {
            int count = 0;
            if (!frameSeen || !in.byte(count))
                return broken(header);
            header.componentsInSeparateScans = count < int(header.components.size());
            header.dataStart = next;
            return header;
        }
        if (!in.seek(next))
            return header;
    }
}

PictureHeader readBitmap(Bytes &in, PictureHeader header)
{
    quint32 fileSize = 0;
    quint32 reserved = 0;
    quint32 pixelsAt = 0;
    quint32 infoSize = 0;
    if (!in.littleEndian(fileSize, 4) || !in.littleEndian(reserved, 4) || !in.littleEndian(pixelsAt, 4)
        || !in.littleEndian(infoSize, 4))
        return header;
    qint64 width = 0;
    qint64 height = 0;
    quint16 planes = 0;
    quint16 bits = 0;
    quint32 compression = 0;
    if (infoSize >= 40) {
        qint32 w = 0;
        qint32 h = 0;
        if (!in.littleEndian(w, 4) || !in.littleEndian(h, 4) || !in.littleEndian(planes, 2) || !in.littleEndian(bits, 2)
            || !in.littleEndian(compression, 4))
            return header;
        width = w;
        height = h;
    } else if (infoSize == 12) {
        // The oldest header has 16-bit sizes.
        qint16 w = 0;
        qint16 h = 0;
        if (!in.littleEndian(w, 2) || !in.littleEndian(h, 2) || !in.littleEndian(planes, 2)
            || !in.littleEndian(bits, 2))
            return header;
        width = w;
        height = h;
    } else {
        return header;
    }
    height = std::abs(height);
    if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return header;
    header.size = QSize(int(width), int(height));
    header.bitsPerPixel = bits;
    header.compression = int(compression);
    // A pixel offset pointing into the headers is taken as pointing past them.
    header.dataStart = std::min(header.fileBytes, std::max<qint64>(pixelsAt, 14 + qint64(infoSize)));
    return header;
}

}  // namespace

PictureHeader PictureHeader::read(QIODevice &device)
{
    PictureHeader header;
    if (!device.isOpen() || !device.isReadable() || device.isSequential() || !device.seek(0))
        return header;
    header.fileBytes = device.size();
    header.dataStart = header.fileBytes;
    Bytes in(device);
    int first = 0;
    int second = 0;
    if (in.byte(first) && in.byte(second)) {
        if (first == 0xFF && second == 0xD8) {
            header.format = Format::Jpeg;
            header = readJpeg(in, header);
        } else if (first == 'B' && second == 'M') {
            header.format = Format::Bitmap;
            header = readBitmap(in, header);
        }
    }
    device.seek(0);
    return header;
}

PictureHeader PictureHeader::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return read(file);
}
