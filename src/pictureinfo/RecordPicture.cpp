#include "pictureinfo/RecordPicture.h"

#include "albumstore/AlbumStore.h"
#include "albumstore/DesktopThumbnails.h"
#include "platform/Twips.h"

#include <algorithm>
#include <cmath>

namespace RecordPicture {

namespace {

bool isDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

}  // namespace

QStringList candidates(const AlbumStore &store, const QString &album, const QString &pageText,
                       const QString &imageNumberText)
{
    if (!AlbumStore::isAlbumFolderName(album) || !isDigits(pageText) || !isDigits(imageNumberText))
        return {};
    bool pageOk = false;
    bool pictureOk = false;
    const int page = pageText.toInt(&pageOk);
    const int picture = imageNumberText.toInt(&pictureOk);
    if (!pageOk || !pictureOk || picture < 1)
        return {};
    return store.candidatePaths(album, page, picture);
}

DecodedPicture load(const QStringList &candidates, const QSize &bound)
{
    return DesktopThumbnails::decodeLastThatLoads(candidates, PictureLoader::fittedInside(bound));
}

QRectF fitted(const QSize &natural)
{
    if (natural.isEmpty())
        return QRectF(kLeft, kTop, kSide, kSide);
    const double ratio = double(natural.height()) / double(natural.width());
    const double thinnest = Twips::fromPixels(PictureLoader::kThinnestSide);
    if (ratio > 1.0) {
        const double width = std::max(kSide / ratio, thinnest);
        return QRectF(kLeft + (kSide - width) / 2.0, kTop, width, kSide);
    }
    if (ratio < 1.0) {
        const double height = std::max(kSide * ratio, thinnest);
        return QRectF(kLeft, kTop + (kSide - height) / 2.0, kSide, height);
    }
    return QRectF(kLeft, kTop, kSide, kSide);
}

QRectF emptySquare()
{
    return QRectF(kEmptyLeft, kTop, kSide, kSide);
}

QRect toPixels(const QRectF &twips)
{
    const auto px = [](double t) { return int(std::lround(Twips::toPixels(t))); };
    const int left = px(twips.left());
    const int top = px(twips.top());
    // A sliver of a picture still gets a pixel.
    const int width = std::max(1, px(twips.right()) - left);
    const int height = std::max(1, px(twips.bottom()) - top);
    return QRect(left, top, width, height);
}

}  // namespace RecordPicture
