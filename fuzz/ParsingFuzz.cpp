// Feeds arbitrary text to everything that reads what a user typed or what a
// settings file holds: the slideshow time, album names, and the numbers asked
// for in prompts. Nothing may crash, and the answers must stay in range.

#include "albumstore/AlbumName.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/TypedNumber.h"
#include "slideshow/SlideTime.h"

#include <QString>

#include <cstdint>

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));

    const int ms = SlideTime::intervalMs(text);
    check(ms >= 1000 && ms <= SlideTime::kMaxSeconds * 1000LL);
    const int number = SlideTime::leadingNumber(text);
    check(!SlideTime::isAcceptableReply(text) || number >= 1);

    // The page and picture number prompts of a new description.
    for (const int highest : {AlbumStore::kPages, AlbumStore::kPicturesPerPage}) {
        const TypedNumber::Answer answer = TypedNumber::parse(text, highest);
        check(!answer.accepted() || (answer.number >= 1 && answer.number <= highest));
        check(answer.kind != TypedNumber::Answer::Kind::Empty || text.isEmpty());
    }

    // An album name either has a problem or can be a folder name here.
    if (!AlbumName::problem(text)) {
        check(!text.contains(QLatin1Char('/')) && !text.contains(QLatin1Char('\\')));
        check(text != QLatin1String(".") && text != QLatin1String(".."));
        check(text.toUtf8().size() <= 255);
    }
    return 0;
}
