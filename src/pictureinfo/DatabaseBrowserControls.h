#pragma once

#include "pictureinfo/BrowserRules.h"

#include <QColor>

class AlbumListBox;
class PictureRecordSet;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;
class RecordPictureView;

// The controls of the database browser, made and laid out in its window.
struct DatabaseBrowserControls
{
    QLineEdit *albumName = nullptr;
    QLineEdit *page = nullptr;
    QLineEdit *imageNumber = nullptr;
    QPlainTextEdit *description = nullptr;
    QLabel *found = nullptr;
    QLabel *current = nullptr;
    QLabel *searchingMessage = nullptr;
    QLabel *searchPrompt = nullptr;
    QLineEdit *searchText = nullptr;
    QRadioButton *searchAlbums = nullptr;
    QRadioButton *searchDescriptions = nullptr;
    QPushButton *moveFirst = nullptr;
    QPushButton *movePrevious = nullptr;
    QPushButton *moveNext = nullptr;
    QPushButton *moveLast = nullptr;
    QPushButton *close = nullptr;
    QPushButton *cancel = nullptr;
    QPushButton *edit = nullptr;
    QPushButton *addNew = nullptr;
    QPushButton *deleteRecord = nullptr;
    QPushButton *search = nullptr;
    RecordPictureView *picture = nullptr;
    AlbumListBox *albums = nullptr;
    QLabel *albumsLabel = nullptr;
    // Brings the whole table back a while after a search found nothing.
    QTimer *noDataTimer = nullptr;

    static DatabaseBrowserControls create(QWidget *window);

    // The four fields of the current row of a set, or none.
    void showFields(const PictureRecordSet &set) const;
    void clearFields() const;
    void setDescriptionEditable(bool editable) const;
    void enableButtons(const BrowserRules::Buttons &buttons) const;
    void enableMoveButtons(const BrowserRules::MoveButtons &moves) const;
    // No search field chosen, no search text.
    void resetSearch() const;

    // The window's background, and the boxes that only show a value.
    static QColor lightGreen() { return QColor(192, 255, 192); }
    // The text boxes are light green while they only show a value and white
    // while they may be typed in.
    static void setEditable(QWidget *box, bool editable);
};
