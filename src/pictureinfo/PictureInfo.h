#pragma once

#include "pictureinfo/PictureInfoDatabase.h"
#include "pictureinfo/PictureRecordSet.h"
#include "pictureinfo/RecordQuery.h"

class AlbumStore;
class Dialogs;
struct ProgramValues;

// How the windows reach the descriptions: the database file of the program
// folder is opened afresh into the shared PictureDatabase (the handle held
// before is let go), and a record set into the shared PictureRecords.
//
// Trouble goes to the user in a "WARNING" box: descriptions that are not
// available are told once per program run (the same trouble is not told
// again); a change that cannot be made is told every time.
namespace PictureInfo {

PictureInfoDatabase &openDatabase(ProgramValues &values, const AlbumStore &store, Dialogs &dialogs);
PictureRecordSet &openRecords(ProgramValues &values, const AlbumStore &store, Dialogs &dialogs,
                              const RecordQuery &query);

}  // namespace PictureInfo
