#include "pictureinfo/Descriptions.h"

#include "albumstore/AlbumStore.h"
#include "platform/Dialogs.h"

Descriptions::Descriptions(const AlbumStore &store, Dialogs &dialogs)
    : m_store(store)
    , m_dialogs(dialogs)
{
}

std::shared_ptr<PictureInfoDatabase> Descriptions::open()
{
    auto tell = [this](const PictureInfoDatabase::Notice &notice) {
        if (notice.kind == PictureInfoDatabase::Notice::Kind::Unavailable) {
            if (m_troubleTold.contains(notice.text))
                return;
            m_troubleTold << notice.text;
        }
        m_dialogs.message(notice.text, Dialogs::kWarning, Dialogs::Icon::Warning);
    };
    return PictureInfoDatabase::open(m_store.databasePath(), tell);
}

std::unique_ptr<PictureRecordSet> Descriptions::records(const RecordQuery &query)
{
    return std::make_unique<PictureRecordSet>(open(), query);
}
