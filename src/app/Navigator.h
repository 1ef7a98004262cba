#pragma once

class PictureView;
class QWidget;

// How a window asks for another: by what it wants shown, never by including
// the other window. The window owner implements it; it creates each window on
// first use, shows and hides them, and is the one place the program ends.
class Navigator
{
public:
    virtual ~Navigator() = default;

    // The album list, the program's home window.
    virtual void showAlbumList() = 0;
    virtual void hideAlbumList() = 0;
    virtual bool albumListShown() const = 0;
    // The album page for the album the session names, loading its first page
    // afresh (a new choice from the album list).
    virtual void openChosenAlbum() = 0;
    // Back to the album page as it was left.
    virtual void showAlbumPage() = 0;
    // The picture of a thumbnail, large.
    virtual void showPicture(const PictureView &thumbnail) = 0;
    // The description of the session's position.
    virtual void showPictureInfo() = 0;
    virtual void showDatabaseBrowser() = 0;
    virtual void showBatchCreator() = 0;
    virtual void showSlideshowChooser() = 0;
    virtual bool slideshowChooserShown() const = 0;
    // Plays the album the session names, full screen.
    virtual void playSlideshow() = 0;
    // The start-up screen, whose timer starts now; and its going away once the
    // album list has the keyboard.
    virtual void showStartUpScreen() = 0;
    virtual void hideStartUpScreen() = 0;

    // The help key of every window: help in the format chosen on the album list.
    virtual void openHelp() = 0;
    // Binds F12, with any modifier, to openHelp for the whole window.
    virtual void installHelpKey(QWidget *window) = 0;

    // Ends the program at once: every window closes, nothing is asked.
    virtual void endProgram() = 0;
    virtual bool programEnded() const = 0;
};
