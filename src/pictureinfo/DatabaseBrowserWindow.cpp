#include "pictureinfo/DatabaseBrowserWindow.h"

#include "albums/AlbumListWindow.h"
#include "albumstore/AlbumStore.h"
#include "app/ProgramValues.h"
#include "app/WindowOwner.h"
#include "pictureinfo/AddNewChecks.h"
#include "pictureinfo/PictureInfo.h"
#include "pictureinfo/RecordPicture.h"
#include "platform/Dialogs.h"
#include "platform/ScreenMetrics.h"
#include "widgets/AlbumListBox.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace {

const QString kWarning = QStringLiteral("WARNING");
const QString kClose = QStringLiteral("&Close");
const QString kSave = QStringLiteral("&Save");
const QString kSearch = QStringLiteral("&Search");
const QString kStartSearch = QStringLiteral("Start &Search");
const QString kContinueAdding = QStringLiteral("You either did not enter anything or you pressed <cancel>.\r\n"
                                               "      Do you want to continue adding a new record ?");
constexpr int kNoDataMs = 3000;
// The screen the window was designed on: there it keeps its place.
constexpr int kDesignScreenWidth = 640;

QColor lightGreen()
{
    return QColor(192, 255, 192);
}
QColor buttonGreen()
{
    return QColor(0, 192, 0);
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
    pal.setColor(QPalette::Button, buttonGreen());
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
    colourBox(box, lightGreen());
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

DatabaseBrowserWindow::DatabaseBrowserWindow(WindowOwner &owner)
    : QWidget(nullptr, Qt::Window)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("frmDatabase"));
    setWindowTitle(QStringLiteral("Picture Database"));
    WindowKit::setBackground(this, lightGreen());
    setFont(WindowKit::arial(10));
    // 9480 by 6405 twips.
    setFixedSize(632, 427);
    buildControls();
    m_owner.installHelpKey(this);
    reset();
}

DatabaseBrowserWindow::~DatabaseBrowserWindow()
{
    m_decoder->waitForFinished();
}

void DatabaseBrowserWindow::buildControls()
{
    addLabel(this, "lblAlbumName", QStringLiteral("Album Name          :"), QRect(12, 14, 150, 22));
    addLabel(this, "lblPage", QStringLiteral("Page Number         :"), QRect(12, 46, 150, 22));
    addLabel(this, "lblImgNum", QStringLiteral("Image Number       :"), QRect(12, 78, 150, 22));
    m_txtAlbumName = addField(this, "txtAlbumName", QStringLiteral("Album name"), QRect(165, 12, 300, 26));
    m_txtPage = addField(this, "txtPage", QStringLiteral("Page number"), QRect(165, 44, 60, 26));
    m_txtImageNumber = addField(this, "txtImageNumber", QStringLiteral("Image number"), QRect(165, 76, 60, 26));
    m_lblFound = addLabel(this, "lblFound", QStringLiteral("Found        Records"), QRect(240, 46, 225, 22));
    m_lblCurrent = addLabel(this, "lblCurrent", QStringLiteral("Current Record =     "), QRect(240, 78, 225, 22));

    m_cmdMovePrevious =
        addButton(this, "cmdMovePrevious", QStringLiteral("Move &Previous < - - "),
                  QStringLiteral("Click to move to the next previous discription in the active database"),
                  QRect(12, 114, 222, 32));
    m_cmdMoveNext = addButton(this, "cmdMoveNext", QStringLiteral("    Move &Next          - - > "),
                              QStringLiteral("Click to go to the next discription in the active database"),
                              QRect(243, 114, 222, 32));
    m_cmdMoveFirst = addButton(this, "cmdMoveFirst", QStringLiteral("  Move &First    < - -   < - -"),
                               QStringLiteral("Click to move to the first discription in the active database"),
                               QRect(12, 150, 222, 32));
    m_cmdMoveLast = addButton(this, "cmdMoveLast", QStringLiteral("  Move &Last     - - >  - - >"),
                              QStringLiteral("Click to go to the last discription in the active database"),
                              QRect(243, 150, 222, 32));
    connect(m_cmdMoveFirst, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdMoveFirst_Click);
    connect(m_cmdMovePrevious, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdMovePrevious_Click);
    connect(m_cmdMoveNext, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdMoveNext_Click);
    connect(m_cmdMoveLast, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdMoveLast_Click);

    addLabel(this, "lblData", QStringLiteral("Picture Information :"), QRect(42, 192, 183, 20));
    addLabel(this, "lblPicInfo", QStringLiteral("Picture information :"), QRect(240, 192, 225, 20));
    m_image1 = new PictureView(this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    WindowKit::describe(m_image1, QStringLiteral("Picture"));
    m_txtDiscription = new QPlainTextEdit(this);
    m_txtDiscription->setObjectName(QStringLiteral("txtDiscription"));
    m_txtDiscription->setGeometry(240, 214, 225, 183);
    WindowKit::describe(m_txtDiscription, QStringLiteral("Description"));
    m_lblSearchMsg =
        addLabel(this, "lblSearchMsg", QStringLiteral("Searching - - Please Wait - -"), QRect(12, 401, 453, 22));
    m_lblSearchMsg->setAlignment(Qt::AlignCenter);
    m_lblSearchMsg->setFont(WindowKit::arial(10, true));

    m_cmdClose =
        addButton(this, "cmdClose", kClose, QStringLiteral("Click to return to the Select Album Display or Save data"),
                  QRect(484, 12, 136, 34));
    m_cmdCancel = addButton(this, "cmdCancel", QStringLiteral("Ca&ncel"),
                            QStringLiteral("Click to cancel Edit or Search"), QRect(484, 52, 136, 34));
    m_cmdEdit = addButton(this, "cmdEdit", QStringLiteral("&Edit"), QStringLiteral("Click to edit the active data"),
                          QRect(484, 92, 136, 34));
    m_cmdAddNew = addButton(this, "cmdAddNew", QStringLiteral("&Add New"),
                            QStringLiteral("Click to enter a new discription"), QRect(484, 132, 136, 34));
    m_cmdDelete = addButton(this, "cmdDelete", QStringLiteral("&Delete"),
                            QStringLiteral("Click to delete the active discription"), QRect(484, 172, 136, 34));
    m_cmdSearch =
        addButton(this, "cmdSearch", kSearch, QStringLiteral("Click to search for a album or picture discription"),
                  QRect(484, 212, 136, 34));
    connect(m_cmdClose, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdClose_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdCancel_Click);
    connect(m_cmdEdit, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdEdit_Click);
    connect(m_cmdAddNew, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdAddNew_Click);
    connect(m_cmdDelete, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdDelete_Click);
    connect(m_cmdSearch, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdSearch_Click);

    m_lblSearch =
        addLabel(this, "lblSearch", QStringLiteral("Enter a word or phrase to search for"), QRect(476, 252, 152, 50));
    m_lblSearch->setAlignment(Qt::AlignCenter);
    m_lblSearch->setWordWrap(true);
    m_optAlb = addOption(this, "optAlb", QStringLiteral("Album &Name"),
                         QStringLiteral("Click to select a Album Name type search"), QRect(484, 306, 140, 22));
    m_optDisc = addOption(this, "optDisc", QStringLiteral("&Discription"),
                          QStringLiteral("Click to select a search for a discription"), QRect(484, 330, 140, 22));
    connect(m_optAlb, &QRadioButton::clicked, this, &DatabaseBrowserWindow::optAlb_Click);
    connect(m_optDisc, &QRadioButton::clicked, this, &DatabaseBrowserWindow::optDisc_Click);
    m_TxtSearch = new QLineEdit(this);
    m_TxtSearch->setObjectName(QStringLiteral("TxtSearch"));
    m_TxtSearch->setGeometry(476, 306, 152, 26);
    WindowKit::describe(m_TxtSearch, QStringLiteral("Search text"));
    connect(m_TxtSearch, &QLineEdit::returnPressed, m_cmdSearch, &QPushButton::animateClick);

    // The album chooser of Add New covers the empty picture and description.
    m_lblList =
        addLabel(this, "lblList", QStringLiteral("Double click the Album with the picture."), QRect(42, 190, 423, 22));
    WindowKit::setBackground(m_lblList, lightGreen());
    m_lblList->setFont(WindowKit::arial(10, true));
    m_list1 = new AlbumListBox(this);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setGeometry(42, 214, 423, 183);
    WindowKit::describe(m_list1, QStringLiteral("Albums"));
    connect(m_list1, &AlbumListBox::opened, this, &DatabaseBrowserWindow::List1_DblClick);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setInterval(kNoDataMs);
    connect(m_timer1, &QTimer::timeout, this, &DatabaseBrowserWindow::noDataShown);

    m_decoder = new QFutureWatcher<DecodedPicture>(this);
    connect(m_decoder, &QFutureWatcherBase::finished, this, &DatabaseBrowserWindow::pictureDecoded);

    WindowKit::addCancelButton(this, this, QStringLiteral("cmdExc"), QStringLiteral("cmdExc"),
                               [this] { cmdExc_Click(); });
}

void DatabaseBrowserWindow::reset()
{
    const ScreenMetrics &screen = m_owner.context().screen;
    if (screen.screenSize().width() != kDesignScreenWidth)
        WindowKit::centreOnScreen(this, screen);
    m_timer1->stop();
    EditOn = AddNewOn = DeleteOn = SearchOn = false;
    m_positionChosen = false;
    m_lookup.reset();
    ClearFields();
    setDescriptionEditable(false);
    m_lblFound->setText(QStringLiteral("Found        Records"));
    m_lblCurrent->setText(QStringLiteral("Current Record =     "));
    m_lblSearchMsg->show();
    resetSearchControls();
    m_lblList->hide();
    m_list1->hide();
    m_cmdClose->setText(kClose);
    applyButtons(BrowserRules::initialButtons(0, 0));
    PictureOff();
    m_loaded = true;
}

void DatabaseBrowserWindow::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        reset();
    QWidget::showEvent(event);
}

// ---------------------------------------------------------------------------
// Browsing

bool DatabaseBrowserWindow::searchBeingEntered() const
{
    // Cancel is enabled only while the search field and text are chosen;
    // once the search runs it is disabled again.
    return SearchOn && m_cmdCancel->isEnabled();
}

bool DatabaseBrowserWindow::userIsBusy() const
{
    return EditOn || AddNewOn || searchBeingEntered();
}

void DatabaseBrowserWindow::activated()
{
    if (userIsBusy())
        return;
    activate();
}

void DatabaseBrowserWindow::activate()
{
    m_timer1->stop();
    EditOn = AddNewOn = DeleteOn = SearchOn = false;
    resetSearchControls();
    PictureOff();
    m_lblSearchMsg->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    showTable(std::nullopt);
}

void DatabaseBrowserWindow::openRecords(const RecordQuery &query)
{
    AppContext &c = m_owner.context();
    PictureInfo::openRecords(c.values, c.store, c.dialogs, query);
    m_database = c.values.PictureDatabase;
    m_records = c.values.PictureRecords;
}

void DatabaseBrowserWindow::showTable(std::optional<qint64> row)
{
    openRecords(RecordQuery::all());
    if (m_records->isEmpty()) {
        CurrentRecord = 0;
        NoAlbumButtons();
        ClearFields();
        UpdateCount();
        m_lblSearchMsg->hide();
        return;
    }
    const int at = row ? m_records->positionOf(*row) : -1;
    m_records->moveTo(at >= 0 ? at : 0);
    CurrentRecord = m_records->position() + 1;
    FillFields();
    InitialButtons();
    UpdateCount();
}

void DatabaseBrowserWindow::showFields(const PictureRecordSet &set)
{
    m_txtAlbumName->setText(set.field(PictureRecord::kAlbumName).toString());
    m_txtPage->setText(set.field(PictureRecord::kPage).toString());
    m_txtImageNumber->setText(set.field(PictureRecord::kImageNumber).toString());
    m_txtDiscription->setPlainText(set.field(PictureRecord::kDiscription).toString());
}

void DatabaseBrowserWindow::FillFields()
{
    if (!m_records || (m_records->isEmpty() && DeleteOn))
        return;
    showFields(*m_records);
    m_lblSearchMsg->hide();
    ShowPicture();
}

void DatabaseBrowserWindow::ClearFields()
{
    m_txtAlbumName->clear();
    m_txtPage->clear();
    m_txtImageNumber->clear();
    m_txtDiscription->clear();
}

int DatabaseBrowserWindow::rowCount() const
{
    return m_records ? m_records->count() : 0;
}

void DatabaseBrowserWindow::UpdateCount()
{
    m_lblFound->setText(BrowserRules::foundText(rowCount()));
    m_lblCurrent->setText(BrowserRules::currentText(CurrentRecord));
}

void DatabaseBrowserWindow::applyButtons(const BrowserRules::Buttons &b)
{
    m_cmdClose->setEnabled(b.close);
    m_cmdCancel->setEnabled(b.cancel);
    m_cmdEdit->setEnabled(b.edit);
    m_cmdAddNew->setEnabled(b.addNew);
    m_cmdDelete->setEnabled(b.deleteRecord);
    m_cmdSearch->setEnabled(b.search);
    setMoveButtons(b.moves);
}

void DatabaseBrowserWindow::setMoveButtons(const BrowserRules::MoveButtons &moves)
{
    m_cmdMoveFirst->setEnabled(moves.first);
    m_cmdMovePrevious->setEnabled(moves.previous);
    m_cmdMoveNext->setEnabled(moves.next);
    m_cmdMoveLast->setEnabled(moves.last);
}

void DatabaseBrowserWindow::InitialButtons()
{
    // With no row shown (the last one deleted, an addition to an empty table
    // cancelled) Edit and Delete would have nothing to act on.
    applyButtons(BrowserRules::browsing(rowCount(), CurrentRecord));
    m_cmdClose->setText(kClose);
    m_lblSearch->hide();
}

void DatabaseBrowserWindow::NoAlbumButtons()
{
    applyButtons(BrowserRules::noAlbumButtons());
}

void DatabaseBrowserWindow::ButtonsOff()
{
    applyButtons(BrowserRules::buttonsOff());
    m_lblSearch->hide();
    m_TxtSearch->hide();
}

void DatabaseBrowserWindow::updateMoveButtons()
{
    setMoveButtons(BrowserRules::movesAt(rowCount(), CurrentRecord));
}

void DatabaseBrowserWindow::moveBy(BrowserRules::Move button)
{
    if (!m_records)
        return;
    const BrowserRules::MoveOutcome outcome = BrowserRules::move(button, m_records->count(), CurrentRecord);
    if (!outcome.acts || !m_records->moveTo(outcome.current - 1))
        return;
    CurrentRecord = outcome.current;
    setMoveButtons(outcome.moves);
    FillFields();
    UpdateCount();
}

void DatabaseBrowserWindow::cmdMoveFirst_Click()
{
    moveBy(BrowserRules::Move::First);
}
void DatabaseBrowserWindow::cmdMovePrevious_Click()
{
    moveBy(BrowserRules::Move::Previous);
}
void DatabaseBrowserWindow::cmdMoveNext_Click()
{
    moveBy(BrowserRules::Move::Next);
}
void DatabaseBrowserWindow::cmdMoveLast_Click()
{
    moveBy(BrowserRules::Move::Last);
}

void DatabaseBrowserWindow::CloseDatabase()
{
    // A hidden window has no reload waiting: it would replace the record set
    // the picture information window may be working on.
    m_timer1->stop();
    hide();
    if (m_owner.hasAlbumList() && m_owner.albumList().isVisible())
        m_owner.present(m_owner.albumList());
}

void DatabaseBrowserWindow::cmdExc_Click()
{
    // Esc leaves the window; whatever was begun is abandoned, not stored.
    if (userIsBusy())
        cmdCancel_Click();
    CloseDatabase();
}

void DatabaseBrowserWindow::closeEvent(QCloseEvent *event)
{
    if (AddNewOn && !m_positionChosen) {
        // Nothing to store yet: the addition is abandoned.
        cmdCancel_Click();
    } else if (EditOn || AddNewOn) {
        cmdClose_Click();
        if (EditOn || AddNewOn) {
            // Not stored (the user has been told why): the text stays.
            event->ignore();
            return;
        }
    } else if (searchBeingEntered()) {
        cmdCancel_Click();
    }
    event->accept();
    CloseDatabase();
    // Shown again, the window starts afresh as a newly opened one.
    m_loaded = false;
}

// ---------------------------------------------------------------------------
// The picture of the row

void DatabaseBrowserWindow::ShowPicture()
{
    const quint64 serial = ++m_pictureSerial;
    m_nextPicture.reset();
    // The square is emptied first: a row without a picture must not keep the
    // one of the row or the position shown before it.
    const QRect square = RecordPicture::toPixels(RecordPicture::fitted({}));
    m_image1->hide();
    m_image1->clearPicture();
    m_image1->setGeometry(square);
    m_image1->show();
    const QStringList files = RecordPicture::candidates(m_owner.context().store, m_txtAlbumName->text(),
                                                        m_txtPage->text(), m_txtImageNumber->text());
    const QSize bound = square.size() * devicePixelRatioF();
    // Empty when none of the files exists: most rows of a large table may
    // have no picture, and those cost no trip to a worker.
    const QString key =
        ThumbnailCache::keyFor(files, QStringLiteral("browser %1x%2").arg(bound.width()).arg(bound.height()));
    if (key.isEmpty())
        return;
    if (const DecodedPicture *seen = m_pictures.find(key)) {
        placePicture(*seen);
        return;
    }
    m_nextPicture = PictureRequest{serial, files, bound, key};
    if (m_decodingSerial == 0)
        decodeNext();
}

void DatabaseBrowserWindow::decodeNext()
{
    if (!m_nextPicture)
        return;
    const PictureRequest request = *std::exchange(m_nextPicture, std::nullopt);
    m_decodingSerial = request.serial;
    m_decodingKey = request.key;
    m_decoder->setFuture(QtConcurrent::run(RecordPicture::load, request.files, request.bound));
}

void DatabaseBrowserWindow::pictureDecoded()
{
    const quint64 done = std::exchange(m_decodingSerial, 0);
    const DecodedPicture picture = m_decoder->result();
    m_pictures.insert(m_decodingKey, picture);
    if (done == m_pictureSerial)
        placePicture(picture);
    decodeNext();
}

void DatabaseBrowserWindow::placePicture(const DecodedPicture &picture)
{
    if (picture.isNull())
        return;
    m_image1->hide();
    m_image1->setGeometry(RecordPicture::toPixels(RecordPicture::fitted(picture.naturalSize)));
    m_image1->setPicture(picture);
    m_image1->show();
}

bool DatabaseBrowserWindow::pictureLoading() const
{
    return m_nextPicture.has_value() || (m_decodingSerial != 0 && m_decodingSerial == m_pictureSerial);
}

void DatabaseBrowserWindow::PictureOff()
{
    ++m_pictureSerial;
    m_nextPicture.reset();
    m_image1->clearPicture();
    m_image1->setGeometry(RecordPicture::toPixels(RecordPicture::emptySquare()));
}

// ---------------------------------------------------------------------------
// Edit, Save, Cancel

void DatabaseBrowserWindow::setDescriptionEditable(bool editable)
{
    m_txtDiscription->setEnabled(editable);
    colourBox(m_txtDiscription, editable ? QColor(Qt::white) : lightGreen());
}

void DatabaseBrowserWindow::cmdEdit_Click()
{
    ButtonsOff();
    m_cmdClose->setEnabled(true);
    m_cmdClose->setText(kSave);
    m_cmdCancel->setEnabled(true);
    setDescriptionEditable(true);
    m_txtDiscription->moveCursor(QTextCursor::End);
    m_txtDiscription->setFocus();
    EditOn = true;
    Was = m_txtDiscription->toPlainText();
}

void DatabaseBrowserWindow::cmdClose_Click()
{
    if (EditOn)
        saveEdit();
    else if (AddNewOn)
        saveAddition();
    else
        CloseDatabase();
}

void DatabaseBrowserWindow::saveEdit()
{
    PictureRecordSet *target = m_lookup ? m_lookup.get() : m_records.get();
    // A change the database refuses has been told to the user; the edit
    // stays open so that the typed text is not lost.
    if (!target || !target->setDescription(m_txtDiscription->toPlainText()))
        return;
    EditOn = false;
    m_cmdClose->setText(kClose);
    if (m_lookup) {
        finishLookupEdit();
        return;
    }
    // What was stored, as it reads back.
    m_txtDiscription->setPlainText(m_records->field(PictureRecord::kDiscription).toString());
    InitialButtons();
    setDescriptionEditable(false);
}

void DatabaseBrowserWindow::saveAddition()
{
    if (!m_positionChosen)
        return;
    const QString text = m_txtDiscription->toPlainText();
    if (text.trimmed().isEmpty()) {
        m_owner.context().dialogs.message(
            QStringLiteral("The description is empty.\r\nType the description of the picture, or press Cancel."),
            kWarning, Dialogs::Icon::Warning);
        m_txtDiscription->setFocus();
        return;
    }
    if (!m_records || !m_records->addNew({AlbIn, PageIn, ImgNrIn, text}))
        return;
    AddNewOn = false;
    m_positionChosen = false;
    CurrentRecord = m_records->count();
    InitialButtons();
    setDescriptionEditable(false);
    UpdateCount();
}

void DatabaseBrowserWindow::cmdCancel_Click()
{
    if (EditOn) {
        EditOn = false;
        m_txtDiscription->setPlainText(Was);
        setDescriptionEditable(false);
        InitialButtons();
        m_cmdClose->setText(kClose);
        if (m_lookup)
            finishLookupEdit();
    }
    if (AddNewOn)
        cancelAddition();
    if (SearchOn)
        cancelSearch();
}

void DatabaseBrowserWindow::finishLookupEdit()
{
    // The row edited is not the one the browser stood on: the table is read
    // again and the browser goes to that row, counters and all.
    const std::optional<qint64> key = m_lookup->currentKey();
    m_lookup.reset();
    setDescriptionEditable(false);
    showTable(key);
}

void DatabaseBrowserWindow::cancelAddition()
{
    setDescriptionEditable(false);
    m_lblList->hide();
    m_lblSearchMsg->show();
    AddNewOn = false;
    m_positionChosen = false;
    m_list1->hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_txtAlbumName->setText(AlbName);
    m_txtPage->setText(AlbPage);
    m_txtImageNumber->setText(AlbImgNumber);
    m_txtDiscription->setPlainText(AlbDis);
    CurrentRecord = AlbCurRec;
    InitialButtons();
    updateMoveButtons();
    UpdateCount();
    ShowPicture();
    m_lblSearchMsg->hide();
}

// ---------------------------------------------------------------------------
// Add New

void DatabaseBrowserWindow::cmdAddNew_Click()
{
    AddNewOn = true;
    m_positionChosen = false;
    ButtonsOff();
    m_cmdClose->setText(kSave);
    m_cmdCancel->setEnabled(true);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    SaveFields();
    ClearFields();
    PictureOff();
    AlbCurRec = CurrentRecord;
    m_lblCurrent->clear();
    m_lblFound->clear();
    LoadList();
    m_lblList->show();
    m_lblList->raise();
    m_list1->show();
    m_list1->raise();
    m_list1->setFocus();
}

void DatabaseBrowserWindow::SaveFields()
{
    // With no row shown there is nothing to come back to; what an earlier
    // addition kept must not reappear.
    const bool shown = CurrentRecord != 0;
    AlbName = shown ? m_txtAlbumName->text() : QString();
    AlbPage = shown ? m_txtPage->text() : QString();
    AlbImgNumber = shown ? m_txtImageNumber->text() : QString();
    AlbDis = shown ? m_txtDiscription->toPlainText() : QString();
}

void DatabaseBrowserWindow::LoadList()
{
    m_list1->clear();
    m_list1->addItems(m_owner.context().store.albumNames());
}

void DatabaseBrowserWindow::List1_DblClick()
{
    if (!AddNewOn || m_positionChosen)
        return;
    const QString album = m_list1->selectedText();
    if (album.isEmpty())
        return;
    AlbIn = album;
    InputPage();
}

std::optional<DatabaseBrowserWindow::TypedNumber> DatabaseBrowserWindow::askNumber(const QString &prompt,
                                                                                   const QString &title, int highest)
{
    Dialogs &dialogs = m_owner.context().dialogs;
    for (;;) {
        const QString typed = dialogs.input(prompt, title);
        const AddNewChecks::Answer answer = AddNewChecks::check(typed, highest);
        switch (answer.kind) {
        case AddNewChecks::Answer::Kind::Empty:
            if (dialogs.askYesNo(kContinueAdding, kWarning) != Dialogs::Answer::Yes)
                return std::nullopt;
            break;
        case AddNewChecks::Answer::Kind::OutOfRange:
            dialogs.message(QStringLiteral("The number must be between 1 and %1").arg(highest), kWarning,
                            Dialogs::Icon::Warning);
            break;
        case AddNewChecks::Answer::Kind::Accepted:
            return TypedNumber{typed, answer.number};
        }
    }
}

void DatabaseBrowserWindow::InputPage()
{
    m_lblList->hide();
    m_list1->hide();
    const std::optional<TypedNumber> page = askNumber(QStringLiteral("Input the page number of the picture  (1 to 10)"),
                                                      QStringLiteral("Page Number"), AddNewChecks::kHighestPage);
    if (!page) {
        cmdCancel_Click();
        return;
    }
    m_pageAsTyped = page->typed;
    PageIn = page->number;
    InputImageNumber();
}

void DatabaseBrowserWindow::InputImageNumber()
{
    const std::optional<TypedNumber> picture =
        askNumber(QStringLiteral("Input the picture number of the page  (1 to 6)"), QStringLiteral("Picture Number"),
                  AddNewChecks::kHighestPicture);
    if (!picture) {
        cmdCancel_Click();
        return;
    }
    ImgNrIn = picture->number;
    checkPictureExists();
}

void DatabaseBrowserWindow::checkPictureExists()
{
    const QStringList files = AddNewChecks::candidates(m_owner.context().store, AlbIn, m_pageAsTyped, ImgNrIn);
    if (AddNewChecks::anyLoads(files)) {
        checkExistingDescription();
        return;
    }
    const Dialogs::Answer again =
        m_owner.context().dialogs.askYesNo(QStringLiteral("That Picture location does not exist in your album.\r\n"
                                                          "You can not have data for a picture that does not exist.\r\n"
                                                          "Do you want to try another picture location?"),
                                           kWarning);
    if (again != Dialogs::Answer::Yes) {
        cmdCancel_Click();
        return;
    }
    m_lblList->show();
    m_list1->show();
    LoadList();
    m_list1->setFocus();
}

void DatabaseBrowserWindow::checkExistingDescription()
{
    m_lblSearchMsg->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // A set of its own: the browser's rows stay as they are.
    auto found = std::make_unique<PictureRecordSet>(m_database, RecordQuery::position(AlbIn, PageIn, ImgNrIn));
    if (found->isEmpty()) {
        m_txtAlbumName->setText(AlbIn);
        m_txtPage->setText(QString::number(PageIn));
        m_txtImageNumber->setText(QString::number(ImgNrIn));
        m_txtDiscription->clear();
        setDescriptionEditable(true);
        m_txtDiscription->setFocus();
        ShowPicture();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_lblSearchMsg->hide();
        m_positionChosen = true;
        m_cmdClose->setEnabled(true);
        return;
    }
    // Any row at all makes this an edit: a position is never given a second
    // description here.
    showFields(*found);
    ShowPicture();
    m_lblSearchMsg->hide();
    const Dialogs::Answer change = m_owner.context().dialogs.askYesNo(
        QStringLiteral("   This picture already has data saved.\r\nAre you sure that you want to change it ?"),
        kWarning);
    if (change != Dialogs::Answer::Yes) {
        cmdCancel_Click();
        return;
    }
    AddNewOn = false;
    m_lookup = std::move(found);
    cmdEdit_Click();
}

// ---------------------------------------------------------------------------
// Delete

void DatabaseBrowserWindow::cmdDelete_Click()
{
    if (!m_records)
        return;
    DeleteOn = true;
    ButtonsOff();
    const Dialogs::Answer sure = m_owner.context().dialogs.askYesNo(
        QStringLiteral("Are you sure that you want to delete this record"), kWarning);
    if (sure != Dialogs::Answer::Yes) {
        DeleteOn = false;
        InitialButtons();
        return;
    }
    PictureOff();
    ClearFields();
    if (!m_records->deleteCurrent()) {
        // Refused (and told): the row is still there and shown again.
        DeleteOn = false;
        FillFields();
        InitialButtons();
        return;
    }
    if (!m_records->isEmpty())
        m_records->moveFirst();
    FillFields();
    CurrentRecord = m_records->isEmpty() ? 0 : 1;
    UpdateCount();
    InitialButtons();
    DeleteOn = false;
}

// ---------------------------------------------------------------------------
// Search

void DatabaseBrowserWindow::resetSearchControls()
{
    m_TxtSearch->clear();
    m_TxtSearch->hide();
    m_TxtSearch->setEnabled(false);
    m_lblSearch->hide();
    m_optAlb->hide();
    m_optDisc->hide();
    m_optAlb->setChecked(false);
    m_optDisc->setChecked(false);
    m_cmdSearch->setText(kSearch);
}

void DatabaseBrowserWindow::cmdSearch_Click()
{
    if (m_cmdSearch->text() == kStartSearch) {
        startSearch();
        return;
    }
    SearchOn = true;
    ButtonsOff();
    m_cmdCancel->setEnabled(true);
    m_optDisc->show();
    m_optAlb->show();
    m_lblSearch->setText(QStringLiteral("Select where to search in option"));
    m_lblSearch->show();
}

void DatabaseBrowserWindow::optAlb_Click()
{
    chooseSearchField(true);
}
void DatabaseBrowserWindow::optDisc_Click()
{
    chooseSearchField(false);
}

void DatabaseBrowserWindow::chooseSearchField(bool albumNames)
{
    m_optAlb->setChecked(albumNames);
    m_optDisc->setChecked(!albumNames);
    m_optAlb->hide();
    m_optDisc->hide();
    m_lblSearch->setText(albumNames ? QStringLiteral("Enter a word or phrase to search for in Album Name")
                                    : QStringLiteral("Enter a word or phrase to search for in Discription"));
    m_TxtSearch->setEnabled(true);
    m_TxtSearch->show();
    m_TxtSearch->setFocus();
    m_cmdSearch->setText(kStartSearch);
    m_cmdSearch->setEnabled(true);
}

void DatabaseBrowserWindow::startSearch()
{
    const QString text = m_TxtSearch->text();
    if (text.isEmpty()) {
        m_owner.context().dialogs.message(QStringLiteral("You did not enter anything to search for"), kWarning,
                                          Dialogs::Icon::Warning);
        m_TxtSearch->setFocus();
        return;
    }
    if (!m_optAlb->isChecked() && !m_optDisc->isChecked()) {
        m_cmdSearch->setText(kSearch);
        cmdSearch_Click();
        return;
    }
    m_cmdCancel->setEnabled(false);
    m_cmdSearch->setEnabled(false);
    openRecords(m_optAlb->isChecked() ? RecordQuery::albumNameContains(text) : RecordQuery::descriptionContains(text));
    if (!m_records->isEmpty()) {
        m_records->moveFirst();
        CurrentRecord = 1;
        FillFields();
        InitialButtons();
        UpdateCount();
        m_cmdSearch->setText(kSearch);
        m_TxtSearch->clear();
        m_TxtSearch->hide();
        m_optAlb->setChecked(false);
        m_optDisc->setChecked(false);
        return;
    }
    m_lblSearch->setText(QStringLiteral("No data found."));
    m_lblSearch->show();
    CurrentRecord = 0;
    NoAlbumButtons();
    ClearFields();
    UpdateCount();
    m_lblSearchMsg->hide();
    m_TxtSearch->hide();
    m_cmdClose->setEnabled(false);
    m_cmdAddNew->setEnabled(false);
    m_cmdSearch->setEnabled(false);
    PictureOff();
    m_timer1->start();
    m_optAlb->setChecked(false);
    m_optDisc->setChecked(false);
    m_TxtSearch->clear();
}

void DatabaseBrowserWindow::cancelSearch()
{
    m_TxtSearch->hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    InitialButtons();
    SearchOn = false;
    resetSearchControls();
}

void DatabaseBrowserWindow::noDataShown()
{
    m_timer1->stop();
    activate();
    m_cmdSearch->setText(kSearch);
}
