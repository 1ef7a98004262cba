#pragma once

#include "albumstore/PictureLoader.h"

#include <QSize>
#include <QStringList>

#include <functional>
#include <optional>

class AlbumStore;

// A picture position of an album: page 1..10, picture 1..6.
struct SlidePosition
{
    int page = 1;
    int picture = 1;

    friend bool operator==(const SlidePosition &a, const SlidePosition &b)
    {
        return a.page == b.page && a.picture == b.picture;
    }
    friend bool operator!=(const SlidePosition &a, const SlidePosition &b) { return !(a == b); }
};

// What a search for the next slide found.
struct FoundSlide
{
    SlidePosition position;
    DecodedPicture picture;
    // The search ran past the last position of the album; the picture, if
    // any, is then the album's first one, to be shown only when the show
    // starts again.
    bool endReached = false;

    bool found() const { return !picture.isNull(); }
};

// The order a slideshow walks an album in: page by page, picture by picture,
// passing over positions that hold no picture that loads. A position shows
// what the album page shows there.
namespace SlideOrder {

// Decodes the picture of one position, ready for the screen; null when the
// position holds nothing that loads. Called on worker threads.
using Loader = std::function<DecodedPicture(const SlidePosition &)>;

constexpr SlidePosition first()
{
    return {1, 1};
}

// The position after p; none after the last picture of the last page.
std::optional<SlidePosition> after(const SlidePosition &p);

// Where a step back from p starts looking: the position before it, across a
// page boundary, or the first position when p is the first.
SlidePosition stepBackFrom(const SlidePosition &p);

// The first position from `from` on (none: past the end) that load() gives a
// picture for. When the end comes first and wrap is set, the search goes on
// from the first position of the album, and the result says the end was
// reached.
FoundSlide findFrom(std::optional<SlidePosition> from, const Loader &load, bool wrap);

// A loader for the pictures of an album, decoded and scaled in the worker to
// the size they are shown at on a screen of the given size (logical pixels,
// times the device pixel ratio), so that showing them costs no scaling.
Loader screenLoader(const AlbumStore &store, const QString &album, const QSize &screen, double devicePixelRatio);

}  // namespace SlideOrder
