#include "slideshow/SlideOrder.h"

#include "albumstore/AlbumStore.h"
#include "slideshow/SlideFit.h"

#include <cmath>

namespace SlideOrder {

std::optional<SlidePosition> after(const SlidePosition &p)
{
    if (p.picture < AlbumStore::kPicturesPerPage)
        return SlidePosition{p.page, p.picture + 1};
    if (p.page < AlbumStore::kPages)
        return SlidePosition{p.page + 1, 1};
    return std::nullopt;
}

SlidePosition stepBackFrom(const SlidePosition &p)
{
    if (p.picture > 1)
        return {p.page, p.picture - 1};
    if (p.page > 1)
        return {p.page - 1, AlbumStore::kPicturesPerPage};
    return first();
}

FoundSlide findFrom(std::optional<SlidePosition> from, const Loader &load, bool wrap)
{
    FoundSlide result;
    for (std::optional<SlidePosition> p = from; p; p = after(*p)) {
        DecodedPicture picture = load(*p);
        if (!picture.isNull()) {
            result.position = *p;
            result.picture = std::move(picture);
            return result;
        }
    }
    result.endReached = true;
    if (wrap && from != std::optional<SlidePosition>(first())) {
        FoundSlide again = findFrom(first(), load, false);
        again.endReached = true;
        return again;
    }
    return result;
}

Loader screenLoader(const AlbumStore &store, const QString &album, const QSize &screen, double devicePixelRatio)
{
    return [store, album, screen, devicePixelRatio](const SlidePosition &p) {
        const auto target = [&](const QSize &natural) {
            const QSize shown = SlideFit::slideRect(natural, screen).size();
            return QSize(int(std::lround(shown.width() * devicePixelRatio)),
                         int(std::lround(shown.height() * devicePixelRatio)));
        };
        DecodedPicture picture =
            PictureLoader::decodeLastThatLoads(store.candidatePaths(album, p.page, p.picture), target);
        if (picture.isNull())
            return picture;
        // Small pictures come back at their own size, and bitmaps in whatever
        // format they were stored in; both are made ready to be copied to the
        // screen as they are.
        const QSize wanted = target(picture.naturalSize);
        if (picture.image.size() != wanted)
            picture.image = picture.image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QImage::Format fast =
            picture.image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
        if (picture.image.format() != fast)
            picture.image.convertTo(fast);
        return picture;
    };
}

}  // namespace SlideOrder
