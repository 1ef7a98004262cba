#pragma once

#include "pictureinfo/PictureInfoDatabase.h"
#include "pictureinfo/PictureRecordSet.h"
#include "pictureinfo/RecordQuery.h"

#include <QStringList>

#include <memory>

class AlbumStore;
class Dialogs;

// How the windows reach the descriptions: each opening reads the database
// file of the program folder afresh, and each window gets a record set of its
// own, so that a change it makes goes to the row it shows.
//
// Trouble goes to the user in a "WARNING" box: descriptions that are not
// available are told once per program run (every window opens the file when
// it comes up; one box per trouble is enough); a change that cannot be made
// is told every time.
class Descriptions
{
public:
    Descriptions(const AlbumStore &store, Dialogs &dialogs);

    std::shared_ptr<PictureInfoDatabase> open();
    std::unique_ptr<PictureRecordSet> records(const RecordQuery &query);

private:
    const AlbumStore &m_store;
    Dialogs &m_dialogs;
    QStringList m_troubleTold;
};
