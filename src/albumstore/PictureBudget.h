#pragma once

#include "albumstore/PictureHeader.h"

#include <QSize>

// Whether a picture may be decoded, decided from its header before decoding
// starts: the memory the decoding would take, counting the decoder's own
// buffers and not only the picture it gives, must stay within one fixed
// budget, and the file must hold enough data for what its header declares.
// A header claiming gigapixels on a file of a few hundred bytes is refused at
// once instead of being decoded into seconds of grey.
namespace PictureBudget {

// The most one decoding may take, counted generously (what the decoder really
// takes has stayed below the count). One decoding so never raises the
// program's memory by more than 256 MiB, and the largest pictures people keep
// still fit: a 12000 x 3000 progressive panorama with its colour at full
// resolution keeps 206 MiB of coefficients, 240 MiB in all shown large on a
// 4K screen; a 50-megapixel progressive camera photo (colour at half
// resolution) keeps 144 MiB; a 100-megapixel baseline phone photo takes
// 31 MiB shown large and 216 MiB whole at 6/8 of its size. Beyond that, a
// progressive photo of 50 megapixels with colour at full resolution (288 MiB
// of coefficients alone) is refused.
constexpr qint64 kBytes = qint64(240) << 20;

// A file whose data could describe less than this share of its declared
// picture has lost most of it: it is refused rather than shown as the little
// that decodes and the grey or black the decoder fills the rest with.
constexpr double kLeastShareOfData = 0.5;

enum class Verdict {
    Decode,
    TooLarge,       // decoding it would take more than kBytes
    TooLittleData,  // the file ends long before its declared picture does
    NoPicture,      // the header declares no size
};

// What decoding the picture takes, in bytes: the decoder's own buffers (a
// progressive JPEG, or one whose components come in separate scans, keeps
// two bytes for every sample of the whole picture, whatever size it is
// decoded to), the picture as the decoder gives it, and the copies made to
// scale it to `size` and to turn it upright. `size` is as stored (before
// turning); an empty size means the full picture.
qint64 workingBytes(const PictureHeader &header, const QSize &size = {}, bool turned = false);

// The largest share of the declared picture the file's data can describe:
// exact for an uncompressed bitmap, an upper bound for coded data (a JPEG
// needs at least one bit for each 8 x 8 block of its first scan, two in a
// baseline scan, an eighth of a bit with arithmetic coding; run-length coding
// at least two bytes for 255 pixels). Above 1 when the data may well be
// complete.
double shareOfData(const PictureHeader &header);

Verdict judge(const PictureHeader &header, const QSize &size = {}, bool turned = false);

// The largest size, as stored, the picture can be decoded to within the
// budget: the full size when it fits, else for a JPEG the largest of the
// reduced sizes its decoder makes (7/8, 6/8 … 1/8). Invalid when none fits.
QSize largestWithin(const PictureHeader &header, bool turned = false);

}  // namespace PictureBudget
