#pragma once

#include "pictureinfo/PictureRecord.h"

#include <QString>

#include <optional>

class AlbumStore;
class Dialogs;

// The questions of "&Add New" in the database browser, once the user has
// double-clicked an album: which page, which picture, and, when that
// position holds no picture, whether to try another. What it settles is the
// record to add, once the description is typed.
class AddNewFlow
{
public:
    AddNewFlow(const AlbumStore &store, Dialogs &dialogs);

    enum class Step {
        Cancelled,           // the user gave up
        ChooseAnotherAlbum,  // no picture there; the user wants to try another
        PositionChosen,      // position() holds a position with a picture
    };
    Step askPosition(const QString &album);

    // The position chosen last, without a description.
    const PictureRecord &position() const { return m_position; }
    // The record to add for the chosen position.
    PictureRecord recordFor(const QString &description) const;

private:
    // Asks until a number from 1 to highest is typed; nothing when the user
    // gives up. `typed` receives the reply as typed.
    std::optional<int> askNumber(const QString &prompt, const QString &title, int highest, QString *typed = nullptr);
    // Whether one of the position's files is a picture that loads. The page
    // is looked up as typed.
    bool holdsPicture(const QString &album, const QString &pageText, int picture) const;

    const AlbumStore &m_store;
    Dialogs &m_dialogs;
    PictureRecord m_position;
};
