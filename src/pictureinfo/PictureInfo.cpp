#include "pictureinfo/PictureInfo.h"

#include "albumstore/AlbumStore.h"
#include "app/ProgramValues.h"
#include "platform/Dialogs.h"

namespace PictureInfo {

PictureInfoDatabase &openDatabase(ProgramValues &values, const AlbumStore &store, Dialogs &dialogs)
{
    auto tell = [&values, &dialogs](const PictureInfoDatabase::Notice &notice) {
        if (notice.kind == PictureInfoDatabase::Notice::Kind::Unavailable) {
            // Every window reopens the file when it comes up; one box per
            // trouble is enough.
            if (values.DatabaseTroubleTold.contains(notice.text))
                return;
            values.DatabaseTroubleTold << notice.text;
        }
        dialogs.message(notice.text, QStringLiteral("WARNING"), Dialogs::Icon::Warning);
    };
    values.PictureDatabase = PictureInfoDatabase::open(store.databasePath(), tell);
    return *values.PictureDatabase;
}

PictureRecordSet &openRecords(ProgramValues &values, const AlbumStore &store, Dialogs &dialogs,
                              const RecordQuery &query)
{
    openDatabase(values, store, dialogs);
    values.PictureRecords = std::make_shared<PictureRecordSet>(values.PictureDatabase, query);
    return *values.PictureRecords;
}

}  // namespace PictureInfo
