#include "albumstore/JpegDecoder.h"

#include "albumstore/PictureBudget.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>  // the JPEG library's header needs it first
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

namespace JpegDecoder {

namespace {

// The library reports a fatal error by calling error_exit, which must not
// return: it jumps back to the setjmp of the phase that made the call. The
// jump skips destructors, so between a phase's setjmp and its last library
// call there is nothing with one: the phases below touch plain data only, and
// everything with a destructor lives in decode(), which the jump never
// reaches.
struct ErrorManager
{
    jpeg_error_mgr library;  // first: the library knows only this part
    std::jmp_buf jump;
};

struct Decompression
{
    jpeg_decompress_struct info;
    ErrorManager errors;
};

void jumpBack(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

// Warnings (data that ends early, a damaged block) do not stop the library:
// it fills in what is missing and the picture shows, as with QImageReader.
void keepQuiet(j_common_ptr) { }

// QImage::Format_RGB32 is 0xffRRGGBB in native byte order. The library leaves
// the fourth byte of its "X" layouts undefined; its alpha layouts set it to
// 0xff at the same speed.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kRgb32 = JCS_EXT_BGRA;
#else
constexpr J_COLOR_SPACE kRgb32 = JCS_EXT_ARGB;
#endif

// An application segment holding a piece of an ICC profile: its name, then
// the piece's number and the count of pieces. A piece no longer than a
// profile's own header is not taken, as QImageReader does not take it.
// Where the compressed data comes from: bytes in memory, or a file read in
// pieces as the library asks for them. Plain data: it lives through jumps.
struct Input
{
    const uchar *data = nullptr;
    unsigned long length = 0;
    QIODevice *file = nullptr;
};

// A file is read in pieces large enough that the library's fast path (which
// wants a few kilobytes ahead of it) runs almost throughout: as fast as the
// whole file in memory, without holding it there, and with nothing mapped
// that a file shortened meanwhile, or a disk pulled out, could turn into a
// bus error.
constexpr std::size_t kPieceBytes = 256 * 1024;

struct FileSource
{
    jpeg_source_mgr library;  // first: the library knows only this part
    QIODevice *file;
    JOCTET *piece;
};

void startReading(j_decompress_ptr) { }
void endReading(j_decompress_ptr) { }

boolean readPiece(j_decompress_ptr info)
{
    auto *source = reinterpret_cast<FileSource *>(info->src);
    qint64 got = source->file->read(reinterpret_cast<char *>(source->piece), qint64(kPieceBytes));
    if (got <= 0) {
        // A file that ends early ends in an end marker, as with the
        // library's own sources: the part that decoded shows.
        WARNMS(info, JWRN_JPEG_EOF);
        source->piece[0] = JOCTET(0xFF);
        source->piece[1] = JOCTET(JPEG_EOI);
        got = 2;
    }
    source->library.next_input_byte = source->piece;
    source->library.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void skipBytes(j_decompress_ptr info, long count)
{
    jpeg_source_mgr &source = *info->src;
    while (count > 0 && std::size_t(count) > source.bytes_in_buffer) {
        count -= long(source.bytes_in_buffer);
        readPiece(info);
    }
    if (count > 0) {
        source.next_input_byte += count;
        source.bytes_in_buffer -= std::size_t(count);
    }
}

// Called once the decompression exists; its memory is the library's, freed
// with it, so a jump leaves nothing behind.
void useFile(j_decompress_ptr info, QIODevice *file)
{
    auto *source = static_cast<FileSource *>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(FileSource)));
    source->piece = static_cast<JOCTET *>(
        (*info->mem->alloc_large)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, kPieceBytes));
    source->file = file;
    source->library.init_source = startReading;
    source->library.fill_input_buffer = readPiece;
    source->library.skip_input_data = skipBytes;
    source->library.resync_to_restart = jpeg_resync_to_restart;
    source->library.term_source = endReading;
    source->library.bytes_in_buffer = 0;
    source->library.next_input_byte = nullptr;
    info->src = &source->library;
}

constexpr char kIccName[] = "ICC_PROFILE";
constexpr unsigned kIccHeader = sizeof(kIccName) + 2;
constexpr unsigned kShortestIccPiece = kIccHeader + 128 + 4;

int eighthsFor(const QSize &full, const QSize &wanted)
{
    if (wanted.isEmpty() || wanted.width() >= full.width() || wanted.height() >= full.height())
        return 8;
    // The library's output side is the full side times M/8, rounded up.
    const auto covers = [](int full, int wanted, int eighths) { return (qint64(full) * eighths + 7) / 8 >= wanted; };
    int eighths = 1;
    while (eighths < 8
           && !(covers(full.width(), wanted.width(), eighths) && covers(full.height(), wanted.height(), eighths)))
        ++eighths;
    return eighths;
}

// Reads the header and settles what the library is to give: grey or 32-bit
// colour, at eighths/8 of each side.
Outcome readHeader(Decompression &d, const Input &input, int wantedWidth, int wantedHeight)
{
    if (setjmp(d.errors.jump))
        return Outcome::Failed;
    jpeg_create_decompress(&d.info);
    if (input.file)
        useFile(&d.info, input.file);
    else
        jpeg_mem_src(&d.info, input.data, input.length);
    jpeg_save_markers(&d.info, JPEG_APP0 + 2, 0xFFFF);
    jpeg_read_header(&d.info, TRUE);
    switch (d.info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        d.info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_YCbCr:
    case JCS_RGB:
        d.info.out_color_space = kRgb32;
        break;
    default:
        return Outcome::NotHandled;
    }
    const QSize full(int(d.info.image_width), int(d.info.image_height));
    d.info.scale_num = unsigned(eighthsFor(full, QSize(wantedWidth, wantedHeight)));
    d.info.scale_denom = 8;
    // The library's defaults are what QImageReader decodes with: the accurate
    // inverse transform, smooth colour upsampling, and block smoothing where a
    // progressive picture lacks its later scans.
    jpeg_calc_output_dimensions(&d.info);
    return Outcome::Decoded;
}

// Decodes into rows of bytesPerLine bytes from bits on.
bool readPixels(Decompression &d, uchar *bits, qsizetype bytesPerLine)
{
    if (setjmp(d.errors.jump))
        return false;
    jpeg_start_decompress(&d.info);
    constexpr JDIMENSION kRowsAtOnce = 16;
    JSAMPROW rows[kRowsAtOnce];
    while (d.info.output_scanline < d.info.output_height) {
        const JDIMENSION first = d.info.output_scanline;
        const JDIMENSION count = std::min(kRowsAtOnce, d.info.output_height - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = bits + qsizetype(first + i) * bytesPerLine;
        // The sources never run dry mid-call; no progress is a broken library.
        if (jpeg_read_scanlines(&d.info, rows, count) == 0)
            return false;
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

// The profile's pieces in the order the file holds them, as QImageReader
// puts them together.
QByteArray iccProfile(const jpeg_decompress_struct &info)
{
    QByteArray profile;
    for (jpeg_saved_marker_ptr m = info.marker_list; m; m = m->next) {
        if (m->marker == JPEG_APP0 + 2 && m->data_length > kShortestIccPiece
            && std::memcmp(m->data, kIccName, sizeof(kIccName)) == 0)
            profile.append(reinterpret_cast<const char *>(m->data) + kIccHeader, m->data_length - kIccHeader);
    }
    return profile;
}

void takeDensity(const jpeg_decompress_struct &info, QImage &image)
{
    constexpr double kCentimetresPerInch = 2.54;
    if (info.density_unit == 1) {
        image.setDotsPerMeterX(int(100. * info.X_density / kCentimetresPerInch));
        image.setDotsPerMeterY(int(100. * info.Y_density / kCentimetresPerInch));
    } else if (info.density_unit == 2) {
        image.setDotsPerMeterX(int(100. * info.X_density));
        image.setDotsPerMeterY(int(100. * info.Y_density));
    }
}

class Destroyer
{
public:
    explicit Destroyer(jpeg_decompress_struct &info)
        : m_info(info)
    {
    }
    ~Destroyer() { jpeg_destroy_decompress(&m_info); }
    Destroyer(const Destroyer &) = delete;
    Destroyer &operator=(const Destroyer &) = delete;

private:
    jpeg_decompress_struct &m_info;
};

Result decodeFrom(const Input &input, const QSize &wanted)
{
    Result result;
    Decompression d;
    std::memset(&d, 0, sizeof d);
    d.info.err = jpeg_std_error(&d.errors.library);
    d.errors.library.error_exit = jumpBack;
    d.errors.library.output_message = keepQuiet;
    // Safe even when creating failed half-way: the structure starts zeroed.
    const Destroyer destroyer(d.info);

    result.outcome = readHeader(d, input, wanted.width(), wanted.height());
    if (result.outcome != Outcome::Decoded)
        return result;
    result.outcome = Outcome::Failed;

    const bool grey = d.info.out_color_space == JCS_GRAYSCALE;
    // The same limit QImageReader is given, behind the budget's own check;
    // rows are padded to four bytes.
    const qint64 rowBytes = (qint64(d.info.output_width) * (grey ? 1 : 4) + 3) / 4 * 4;
    if (rowBytes * d.info.output_height > PictureBudget::kBytes)
        return result;
    QImage image(int(d.info.output_width), int(d.info.output_height),
                 grey ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (image.isNull())
        return result;
    const QByteArray profile = iccProfile(d.info);
    if (!readPixels(d, image.bits(), image.bytesPerLine()))
        return result;

    takeDensity(d.info, image);
    if (!profile.isEmpty())
        image.setColorSpace(QColorSpace::fromIccProfile(profile));
    if (!wanted.isEmpty() && image.size() != wanted)
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    result.image = std::move(image);
    result.outcome = Outcome::Decoded;
    return result;
}

}  // namespace

QSize decodedSize(const QSize &full, const QSize &wanted)
{
    const int eighths = eighthsFor(full, wanted);
    return QSize(int((qint64(full.width()) * eighths + 7) / 8), int((qint64(full.height()) * eighths + 7) / 8));
}

Result decode(const uchar *data, qint64 length, const QSize &wanted)
{
    if (!data || length <= 0 || quint64(length) > ULONG_MAX)
        return {};
    Input input;
    input.data = data;
    input.length = (unsigned long)length;
    return decodeFrom(input, wanted);
}

Result decode(QIODevice &device, const QSize &wanted)
{
    if (const auto *buffer = qobject_cast<const QBuffer *>(&device)) {
        const QByteArray &bytes = buffer->data();
        return decode(reinterpret_cast<const uchar *>(bytes.constData()), bytes.size(), wanted);
    }
    auto *file = qobject_cast<QFile *>(&device);
    if (!file)
        return {};
    const qint64 at = file->pos();
    if (!file->seek(0))
        return {};
    Input input;
    input.file = file;
    Result result = decodeFrom(input, wanted);
    file->seek(at);
    return result;
}

}  // namespace JpegDecoder
