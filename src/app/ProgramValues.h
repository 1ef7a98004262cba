#pragma once

#include "platform/Dialogs.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class PictureInfoDatabase;
class PictureRecordSet;

// The values the windows share: which album and page are open, which position
// was clicked, the album page's layout state and the edit-mode flags. One
// instance lives as long as the program; each window holds a reference.
struct ProgramValues
{
    // Album and page (album list and album page).
    QString AlbumName;
    int PageNumber = 1;
    QString AlbumKind;
    QString NewAlbumName;
    bool PageLoaded = false;
    int PictureNumber = 1;

    // Screen and album page layout.
    double ScreenRatio = 1.0;
    bool ResizeArmed = false;
    double LastScaleWidth = 1000.0;
    double LastScaleHeight = 1000.0;
    double PageScaleX = 1.0;
    double PageScaleY = 1.0;

    // Edit modes of the album page.
    bool ImgAddOn = false;
    bool FromClipOn = false;
    bool ToClipOn = false;
    bool ImgDeleteOn = false;
    bool ViewerExited = false;
    std::optional<Dialogs::Answer> EditAnswer;
    int PopupIndex = 1;

    // The descriptions database and record set the picture information window
    // and the database browser share; each opening replaces them.
    std::shared_ptr<PictureInfoDatabase> PictureDatabase;
    std::shared_ptr<PictureRecordSet> PictureRecords;
    // "Descriptions are not available" messages already shown in this run.
    QStringList DatabaseTroubleTold;

    // Printing from the single picture window.
    bool CancelPrint = false;

    static inline const QString kStoredAlbum = QStringLiteral("Stored Album");
    static inline const QString kNewAlbum = QStringLiteral("New Album");

    // Windows are laid out for a 640-pixel screen; on a wider one they centre
    // or grow by this ratio. Exactly 1.0 at 640 pixels or less.
    static double screenRatioFor(int screenWidthPixels);
};
