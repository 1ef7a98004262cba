#include "pictureinfo/DatabaseBrowserControls.h"

#include "pictureinfo/PictureRecordSet.h"
#include "pictureinfo/RecordPictureView.h"
#include "widgets/AlbumListBox.h"
#include "widgets/WindowKit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

using Controls = DatabaseBrowserControls;

QColor buttonGreen()
{
    return QColor(0, 192, 0);
}

// A button that cannot be pressed loses its green; its caption stays dark
// enough to be read (about 5 : 1 on the grey).
QColor disabledFace()
{
    return QColor(216, 216, 216);
}

QColor disabledCaption()
{
    return QColor(88, 88, 88);
}

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QPushButton *addButton(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                       const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setFont(WindowKit::arial(10, true));
    QPalette pal = button->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Button, buttonGreen());
        // Black whatever the desktop's scheme: a light caption would not
        // read on the green.
        pal.setColor(group, QPalette::ButtonText, Qt::black);
    }
    pal.setColor(QPalette::Disabled, QPalette::Button, disabledFace());
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, disabledCaption());
    button->setPalette(pal);
    button->setGeometry(geometry);
    return button;
}

// The text boxes are light green while they only show a value and white while
// they may be typed in. Shown values stay black, so that they can be read.
void colourBox(QWidget *box, const QColor &colour)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, colour);
    pal.setColor(QPalette::Disabled, QPalette::Base, colour);
    pal.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    box->setPalette(pal);
}

QLineEdit *addField(QWidget *parent, const char *name, const QString &accessibleName, const QRect &geometry)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setEnabled(false);
    colourBox(box, Controls::lightGreen());
    WindowKit::describe(box, accessibleName);
    return box;
}

// A radio button that can be cleared again: the two search fields are chosen
// one at a time and both cleared after a search.
QRadioButton *addOption(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                        const QRect &geometry)
{
    auto *option = new QRadioButton(caption, parent);
    option->setObjectName(QLatin1String(name));
    option->setToolTip(tip);
    option->setAutoExclusive(false);
    option->setGeometry(geometry);
    option->hide();
    return option;
}

}  // namespace

void DatabaseBrowserControls::setEditable(QWidget *box, bool editable)
{
    box->setEnabled(editable);
    colourBox(box, editable ? QColor(Qt::white) : lightGreen());
}

DatabaseBrowserControls DatabaseBrowserControls::create(QWidget *window)
{
    DatabaseBrowserControls c;
    addLabel(window, "lblAlbumName", QStringLiteral("Album Name          :"), QRect(12, 14, 150, 22));
    addLabel(window, "lblPage", QStringLiteral("Page Number         :"), QRect(12, 46, 150, 22));
    addLabel(window, "lblImgNum", QStringLiteral("Image Number       :"), QRect(12, 78, 150, 22));
    c.albumName = addField(window, "txtAlbumName", QStringLiteral("Album name"), QRect(165, 12, 300, 26));
    c.page = addField(window, "txtPage", QStringLiteral("Page number"), QRect(165, 44, 60, 26));
    c.imageNumber = addField(window, "txtImageNumber", QStringLiteral("Image number"), QRect(165, 76, 60, 26));
    c.found = addLabel(window, "lblFound", QStringLiteral("Found        Records"), QRect(240, 46, 225, 22));
    c.current = addLabel(window, "lblCurrent", QStringLiteral("Current Record =     "), QRect(240, 78, 225, 22));

    c.movePrevious = addButton(window, "cmdMovePrevious", QStringLiteral("Move &Previous < - - "),
                               QStringLiteral("Click to move to the next previous discription in the active database"),
                               QRect(12, 114, 222, 32));
    c.moveNext = addButton(window, "cmdMoveNext", QStringLiteral("    Move &Next          - - > "),
                           QStringLiteral("Click to go to the next discription in the active database"),
                           QRect(243, 114, 222, 32));
    c.moveFirst = addButton(window, "cmdMoveFirst", QStringLiteral("  Move &First    < - -   < - -"),
                            QStringLiteral("Click to move to the first discription in the active database"),
                            QRect(12, 150, 222, 32));
    c.moveLast = addButton(window, "cmdMoveLast", QStringLiteral("  Move &Last     - - >  - - >"),
                           QStringLiteral("Click to go to the last discription in the active database"),
                           QRect(243, 150, 222, 32));

    addLabel(window, "lblData", QStringLiteral("Picture Information :"), QRect(42, 192, 183, 20));
    addLabel(window, "lblPicInfo", QStringLiteral("Picture information :"), QRect(240, 192, 225, 20));
    c.picture = new RecordPictureView(window);
    c.picture->setObjectName(QStringLiteral("Image1"));
    WindowKit::describe(c.picture, QStringLiteral("Picture"));
    c.description = new QPlainTextEdit(window);
    c.description->setObjectName(QStringLiteral("txtDiscription"));
    c.description->setGeometry(240, 214, 225, 183);
    WindowKit::describe(c.description, QStringLiteral("Description"));
    c.searchingMessage =
        addLabel(window, "lblSearchMsg", QStringLiteral("Searching - - Please Wait - -"), QRect(12, 401, 453, 22));
    c.searchingMessage->setAlignment(Qt::AlignCenter);
    c.searchingMessage->setFont(WindowKit::arial(10, true));

    c.close =
        addButton(window, "cmdClose", QStringLiteral("&Close"),
                  QStringLiteral("Click to return to the Select Album Display or Save data"), QRect(484, 12, 136, 34));
    c.cancel = addButton(window, "cmdCancel", QStringLiteral("Ca&ncel"),
                         QStringLiteral("Click to cancel Edit or Search"), QRect(484, 52, 136, 34));
    c.edit = addButton(window, "cmdEdit", QStringLiteral("&Edit"), QStringLiteral("Click to edit the active data"),
                       QRect(484, 92, 136, 34));
    c.addNew = addButton(window, "cmdAddNew", QStringLiteral("&Add New"),
                         QStringLiteral("Click to enter a new discription"), QRect(484, 132, 136, 34));
    c.deleteRecord = addButton(window, "cmdDelete", QStringLiteral("&Delete"),
                               QStringLiteral("Click to delete the active discription"), QRect(484, 172, 136, 34));
    c.search =
        addButton(window, "cmdSearch", QStringLiteral("&Search"),
                  QStringLiteral("Click to search for a album or picture discription"), QRect(484, 212, 136, 34));

    c.searchPrompt =
        addLabel(window, "lblSearch", QStringLiteral("Enter a word or phrase to search for"), QRect(476, 252, 152, 50));
    c.searchPrompt->setAlignment(Qt::AlignCenter);
    c.searchPrompt->setWordWrap(true);
    c.searchAlbums = addOption(window, "optAlb", QStringLiteral("Album &Name"),
                               QStringLiteral("Click to select a Album Name type search"), QRect(484, 306, 140, 22));
    c.searchDescriptions =
        addOption(window, "optDisc", QStringLiteral("&Discription"),
                  QStringLiteral("Click to select a search for a discription"), QRect(484, 330, 140, 22));
    c.searchText = new QLineEdit(window);
    c.searchText->setObjectName(QStringLiteral("TxtSearch"));
    c.searchText->setGeometry(476, 306, 152, 26);
    WindowKit::describe(c.searchText, QStringLiteral("Search text"));

    // The album chooser of Add New covers the empty picture and description.
    c.albumsLabel = addLabel(window, "lblList", QStringLiteral("Double click the Album with the picture."),
                             QRect(42, 190, 423, 22));
    WindowKit::setBackground(c.albumsLabel, lightGreen());
    c.albumsLabel->setFont(WindowKit::arial(10, true));
    c.albums = new AlbumListBox(window);
    c.albums->setObjectName(QStringLiteral("List1"));
    c.albums->setGeometry(42, 214, 423, 183);
    WindowKit::describe(c.albums, QStringLiteral("Albums"));

    c.noDataTimer = new QTimer(window);
    c.noDataTimer->setObjectName(QStringLiteral("Timer1"));
    c.noDataTimer->setSingleShot(true);
    c.noDataTimer->setInterval(3000);
    return c;
}

void DatabaseBrowserControls::showFields(const PictureRecordSet &set) const
{
    albumName->setText(set.field(PictureRecord::kAlbumName).toString());
    page->setText(set.field(PictureRecord::kPage).toString());
    imageNumber->setText(set.field(PictureRecord::kImageNumber).toString());
    description->setPlainText(set.field(PictureRecord::kDiscription).toString());
}

void DatabaseBrowserControls::clearFields() const
{
    albumName->clear();
    page->clear();
    imageNumber->clear();
    description->clear();
}

void DatabaseBrowserControls::setDescriptionEditable(bool editable) const
{
    setEditable(description, editable);
}

void DatabaseBrowserControls::enableButtons(const BrowserRules::Buttons &buttons) const
{
    close->setEnabled(buttons.close);
    cancel->setEnabled(buttons.cancel);
    edit->setEnabled(buttons.edit);
    addNew->setEnabled(buttons.addNew);
    deleteRecord->setEnabled(buttons.deleteRecord);
    search->setEnabled(buttons.search);
    enableMoveButtons(buttons.moves);
}

void DatabaseBrowserControls::enableMoveButtons(const BrowserRules::MoveButtons &moves) const
{
    moveFirst->setEnabled(moves.first);
    movePrevious->setEnabled(moves.previous);
    moveNext->setEnabled(moves.next);
    moveLast->setEnabled(moves.last);
}

void DatabaseBrowserControls::resetSearch() const
{
    searchText->clear();
    searchText->setEnabled(false);
    searchAlbums->hide();
    searchDescriptions->hide();
    searchAlbums->setChecked(false);
    searchDescriptions->setChecked(false);
}
