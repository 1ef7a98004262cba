#include "pictureinfo/AddNewFlow.h"

#include "albumstore/AlbumStore.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/TypedNumber.h"
#include "platform/Dialogs.h"

#include <QFileInfo>

namespace {

const QString kContinueAdding = QStringLiteral("You either did not enter anything or you pressed <cancel>.\r\n"
                                               "      Do you want to continue adding a new record ?");

}  // namespace

AddNewFlow::AddNewFlow(const AlbumStore &store, Dialogs &dialogs)
    : m_store(store)
    , m_dialogs(dialogs)
{
}

AddNewFlow::Step AddNewFlow::askPosition(const QString &album)
{
    QString pageText;
    const std::optional<int> page = askNumber(QStringLiteral("Input the page number of the picture  (1 to 10)"),
                                              QStringLiteral("Page Number"), AlbumStore::kPages, &pageText);
    if (!page)
        return Step::Cancelled;
    const std::optional<int> picture = askNumber(QStringLiteral("Input the picture number of the page  (1 to 6)"),
                                                 QStringLiteral("Picture Number"), AlbumStore::kPicturesPerPage);
    if (!picture)
        return Step::Cancelled;
    if (!holdsPicture(album, pageText, *picture)) {
        const Dialogs::Answer again =
            m_dialogs.askYesNo(QStringLiteral("That Picture location does not exist in your album.\r\n"
                                              "You can not have data for a picture that does not exist.\r\n"
                                              "Do you want to try another picture location?"),
                               Dialogs::kWarning);
        return again == Dialogs::Answer::Yes ? Step::ChooseAnotherAlbum : Step::Cancelled;
    }
    m_position = PictureRecord{album, *page, *picture, QString()};
    return Step::PositionChosen;
}

PictureRecord AddNewFlow::recordFor(const QString &description) const
{
    PictureRecord record = m_position;
    record.description = description;
    return record;
}

std::optional<int> AddNewFlow::askNumber(const QString &prompt, const QString &title, int highest, QString *typed)
{
    for (;;) {
        const QString reply = m_dialogs.input(prompt, title);
        const TypedNumber::Answer answer = TypedNumber::parse(reply, highest);
        switch (answer.kind) {
        case TypedNumber::Answer::Kind::Empty:
            if (m_dialogs.askYesNo(kContinueAdding, Dialogs::kWarning) != Dialogs::Answer::Yes)
                return std::nullopt;
            break;
        case TypedNumber::Answer::Kind::OutOfRange:
            m_dialogs.message(QStringLiteral("The number must be between 1 and %1").arg(highest), Dialogs::kWarning,
                              Dialogs::Icon::Warning);
            break;
        case TypedNumber::Answer::Kind::Accepted:
            if (typed)
                *typed = reply;
            return answer.number;
        }
    }
}

bool AddNewFlow::holdsPicture(const QString &album, const QString &pageText, int picture) const
{
    // A small decode tells a picture from a file that is none.
    const QSize probe(64, 64);
    const QStringList files = m_store.candidatePaths(album, pageText, picture);
    for (const QString &path : files) {
        if (QFileInfo::exists(path) && !PictureLoader::decodeFitted(path, probe).isNull())
            return true;
    }
    return false;
}
