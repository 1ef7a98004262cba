#include "pictureinfo/DatabaseBrowserWindow.h"

#include "albumstore/AlbumStore.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "pictureinfo/DatabaseBrowserControls.h"
#include "pictureinfo/Descriptions.h"
#include "pictureinfo/PictureRecord.h"
#include "pictureinfo/RecordPicture.h"
#include "pictureinfo/RecordPictureView.h"
#include "platform/Dialogs.h"
#include "platform/ScreenMetrics.h"
#include "widgets/AlbumListBox.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>

namespace {

const QString kClose = QStringLiteral("&Close");
const QString kSave = QStringLiteral("&Save");
const QString kSearch = QStringLiteral("&Search");
const QString kStartSearch = QStringLiteral("Start &Search");
// The screen the window was designed on: there it keeps its place.
constexpr int kDesignScreenWidth = 640;

}  // namespace

DatabaseBrowserWindow::DatabaseBrowserWindow(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window)
    , m_context(context)
    , m_navigator(navigator)
    , m_addNew(context.store, context.dialogs)
    , m_ui(DatabaseBrowserControls::create(this))
{
    setObjectName(QStringLiteral("frmDatabase"));
    setWindowTitle(QStringLiteral("Picture Database"));
    WindowKit::setBackground(this, DatabaseBrowserControls::lightGreen());
    setFont(WindowKit::arial(10));
    // 9480 by 6405 twips.
    setFixedSize(632, 427);
    connectControls();
    m_navigator.installHelpKey(this);
    reset();
}

DatabaseBrowserWindow::~DatabaseBrowserWindow() = default;

void DatabaseBrowserWindow::connectControls()
{
    connect(m_ui.moveFirst, &QPushButton::clicked, this, [this] { moveBy(BrowserRules::Move::First); });
    connect(m_ui.movePrevious, &QPushButton::clicked, this, [this] { moveBy(BrowserRules::Move::Previous); });
    connect(m_ui.moveNext, &QPushButton::clicked, this, [this] { moveBy(BrowserRules::Move::Next); });
    connect(m_ui.moveLast, &QPushButton::clicked, this, [this] { moveBy(BrowserRules::Move::Last); });
    connect(m_ui.close, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdClose_Click);
    connect(m_ui.cancel, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdCancel_Click);
    connect(m_ui.edit, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdEdit_Click);
    connect(m_ui.addNew, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdAddNew_Click);
    connect(m_ui.deleteRecord, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdDelete_Click);
    connect(m_ui.search, &QPushButton::clicked, this, &DatabaseBrowserWindow::cmdSearch_Click);
    connect(m_ui.searchAlbums, &QRadioButton::clicked, this, [this] { chooseSearchField(true); });
    connect(m_ui.searchDescriptions, &QRadioButton::clicked, this, [this] { chooseSearchField(false); });
    connect(m_ui.searchText, &QLineEdit::returnPressed, m_ui.search, &QPushButton::animateClick);
    connect(m_ui.albums, &AlbumListBox::opened, this, &DatabaseBrowserWindow::List1_DblClick);
    connect(m_ui.noDataTimer, &QTimer::timeout, this, &DatabaseBrowserWindow::noDataShown);
    WindowKit::addCancelButton(this, this, QStringLiteral("cmdExc"), QStringLiteral("cmdExc"),
                               [this] { cmdExc_Click(); });
}

void DatabaseBrowserWindow::reset()
{
    const ScreenMetrics &screen = m_context.screen;
    if (screen.screenSize().width() != kDesignScreenWidth)
        WindowKit::centreOnScreen(this, screen);
    m_ui.noDataTimer->stop();
    m_lookup.reset();
    m_ui.clearFields();
    m_ui.setDescriptionEditable(false);
    m_ui.found->setText(QStringLiteral("Found        Records"));
    m_ui.current->setText(QStringLiteral("Current Record =     "));
    m_ui.searchingMessage->show();
    m_ui.resetSearch();
    m_ui.albumsLabel->hide();
    m_ui.albums->hide();
    setMode(BrowserMode::Browsing);
    m_ui.picture->showNothing();
    m_loaded = true;
}

void DatabaseBrowserWindow::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        reset();
    QWidget::showEvent(event);
}

PictureView *DatabaseBrowserWindow::image() const
{
    return m_ui.picture;
}

bool DatabaseBrowserWindow::pictureLoading() const
{
    return m_ui.picture->isLoading();
}

// ---------------------------------------------------------------------------
// The mode and the buttons

void DatabaseBrowserWindow::setMode(BrowserMode mode)
{
    m_mode = mode;
    updateButtons();
}

void DatabaseBrowserWindow::updateButtons()
{
    m_ui.enableButtons(BrowserRules::buttonsFor(m_mode, rowCount(), m_currentRecord));
    m_ui.close->setText(closeSaves(m_mode) ? kSave : kClose);
    const bool startsSearch = m_mode == BrowserMode::EnteringSearchText || m_mode == BrowserMode::Searching
        || m_mode == BrowserMode::NoDataFound;
    m_ui.search->setText(startsSearch ? kStartSearch : kSearch);
    m_ui.searchPrompt->setVisible(isSearching(m_mode));
    m_ui.searchText->setVisible(m_mode == BrowserMode::EnteringSearchText || m_mode == BrowserMode::Searching);
}

// ---------------------------------------------------------------------------
// Browsing

void DatabaseBrowserWindow::activated()
{
    if (userIsBusy(m_mode))
        return;
    reloadTable();
}

void DatabaseBrowserWindow::reloadTable()
{
    m_ui.noDataTimer->stop();
    m_ui.resetSearch();
    setMode(BrowserMode::Browsing);
    m_ui.picture->showNothing();
    m_ui.searchingMessage->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    showTable(std::nullopt);
}

int DatabaseBrowserWindow::rowCount() const
{
    return m_records ? m_records->count() : 0;
}

void DatabaseBrowserWindow::showTable(std::optional<qint64> row)
{
    m_records = m_context.descriptions.records(RecordQuery::all());
    if (m_records->isEmpty()) {
        m_currentRecord = 0;
        updateButtons();
        m_ui.clearFields();
        m_ui.picture->showNothing();
        updateCounters();
        m_ui.searchingMessage->hide();
        return;
    }
    const int at = row ? m_records->positionOf(*row) : -1;
    m_records->moveTo(at >= 0 ? at : 0);
    m_currentRecord = m_records->position() + 1;
    showCurrentRow();
    updateButtons();
    updateCounters();
}

void DatabaseBrowserWindow::showCurrentRow()
{
    if (!m_records || (m_records->isEmpty() && m_mode == BrowserMode::Deleting))
        return;
    m_ui.showFields(*m_records);
    m_ui.searchingMessage->hide();
    showRowPicture();
}

void DatabaseBrowserWindow::updateCounters()
{
    m_ui.found->setText(BrowserRules::foundText(rowCount()));
    m_ui.current->setText(BrowserRules::currentText(m_currentRecord));
}

void DatabaseBrowserWindow::showRowPicture()
{
    m_ui.picture->showFiles(RecordPicture::candidates(m_context.store, m_ui.albumName->text(), m_ui.page->text(),
                                                      m_ui.imageNumber->text()));
}

void DatabaseBrowserWindow::moveBy(BrowserRules::Move button)
{
    if (!m_records)
        return;
    const BrowserRules::MoveOutcome outcome = BrowserRules::move(button, m_records->count(), m_currentRecord);
    if (!outcome.acts || !m_records->moveTo(outcome.current - 1))
        return;
    m_currentRecord = outcome.current;
    m_ui.enableMoveButtons(outcome.moves);
    showCurrentRow();
    updateCounters();
}

void DatabaseBrowserWindow::leave()
{
    // A hidden window has no reload waiting: it would replace the record set
    // the picture information window may be working on.
    m_ui.noDataTimer->stop();
    hide();
    if (m_navigator.albumListShown())
        m_navigator.showAlbumList();
}

void DatabaseBrowserWindow::cmdExc_Click()
{
    // Esc leaves the window; whatever was begun is abandoned, not stored.
    if (userIsBusy(m_mode))
        cmdCancel_Click();
    leave();
}

void DatabaseBrowserWindow::closeEvent(QCloseEvent *event)
{
    if (m_mode == BrowserMode::Editing || m_mode == BrowserMode::Adding) {
        cmdClose_Click();
        if (m_mode == BrowserMode::Editing || m_mode == BrowserMode::Adding) {
            // Not stored (the user has been told why): the text stays.
            event->ignore();
            return;
        }
    } else if (userIsBusy(m_mode)) {
        // Nothing to store yet (an addition without its position, a search
        // being entered): it is abandoned.
        cmdCancel_Click();
    }
    event->accept();
    leave();
    // Shown again, the window starts afresh as a newly opened one.
    m_loaded = false;
}

// ---------------------------------------------------------------------------
// Edit, Save, Cancel

void DatabaseBrowserWindow::cmdEdit_Click()
{
    setMode(BrowserMode::Editing);
    m_ui.setDescriptionEditable(true);
    m_ui.description->moveCursor(QTextCursor::End);
    m_ui.description->setFocus();
    m_textBeforeEdit = m_ui.description->toPlainText();
}

void DatabaseBrowserWindow::cmdClose_Click()
{
    if (m_mode == BrowserMode::Editing)
        saveEdit();
    else if (isAdding(m_mode))
        saveAddition();
    else
        leave();
}

void DatabaseBrowserWindow::saveEdit()
{
    if (PictureRecord::isBlank(m_ui.description->toPlainText())) {
        deleteErased();
        return;
    }
    PictureRecordSet *target = m_lookup ? m_lookup.get() : m_records.get();
    // A change the database refuses has been told to the user; the edit
    // stays open so that the typed text is not lost.
    if (!target || !target->setDescription(m_ui.description->toPlainText()))
        return;
    setMode(BrowserMode::Browsing);
    if (m_lookup) {
        finishLookupEdit();
        return;
    }
    // What was stored, as it reads back.
    m_ui.description->setPlainText(m_records->field(PictureRecord::kDiscription).toString());
    m_ui.setDescriptionEditable(false);
}

void DatabaseBrowserWindow::deleteErased()
{
    if (m_lookup) {
        // A deletion the database refuses has been told; the edit stays open.
        if (!m_lookup->deleteCurrent())
            return;
        m_lookup.reset();
        setMode(BrowserMode::Browsing);
        m_ui.setDescriptionEditable(false);
        // Back to the row shown before Add New, in the table read afresh.
        showTable(m_records ? m_records->currentKey() : std::nullopt);
        return;
    }
    if (!m_records)
        return;
    const int at = m_records->position();
    if (!m_records->deleteCurrent())
        return;
    m_ui.setDescriptionEditable(false);
    // The row that took its place, or the one before it at the end.
    if (m_records->moveTo(std::min(at, m_records->count() - 1))) {
        m_currentRecord = m_records->position() + 1;
        showCurrentRow();
    } else {
        m_currentRecord = 0;
        m_ui.clearFields();
        m_ui.picture->showNothing();
    }
    setMode(BrowserMode::Browsing);
    updateCounters();
}

void DatabaseBrowserWindow::saveAddition()
{
    if (m_mode != BrowserMode::Adding)
        return;
    const QString text = m_ui.description->toPlainText();
    if (PictureRecord::isBlank(text)) {
        m_context.dialogs.message(
            QStringLiteral("The description is empty.\r\nType the description of the picture, or press Cancel."),
            Dialogs::kWarning, Dialogs::Icon::Warning);
        m_ui.description->setFocus();
        return;
    }
    if (!m_records || !m_records->addNew(m_addNew.recordFor(text)))
        return;
    m_currentRecord = m_records->count();
    setMode(BrowserMode::Browsing);
    m_ui.setDescriptionEditable(false);
    updateCounters();
}

void DatabaseBrowserWindow::cmdCancel_Click()
{
    switch (m_mode) {
    case BrowserMode::Editing:
        m_ui.description->setPlainText(m_textBeforeEdit);
        m_ui.setDescriptionEditable(false);
        setMode(BrowserMode::Browsing);
        if (m_lookup)
            finishLookupEdit();
        break;
    case BrowserMode::ChoosingPosition:
    case BrowserMode::Adding:
        cancelAddition();
        break;
    case BrowserMode::ChoosingSearchField:
    case BrowserMode::EnteringSearchText:
    case BrowserMode::Searching:
    case BrowserMode::NoDataFound:
        cancelSearch();
        break;
    case BrowserMode::Browsing:
    case BrowserMode::Deleting:
        break;
    }
}

void DatabaseBrowserWindow::finishLookupEdit()
{
    // The row edited is not the one the browser stood on: the table is read
    // again and the browser goes to that row, counters and all.
    const std::optional<qint64> key = m_lookup->currentKey();
    m_lookup.reset();
    m_ui.setDescriptionEditable(false);
    showTable(key);
}

// ---------------------------------------------------------------------------
// Add New

void DatabaseBrowserWindow::cmdAddNew_Click()
{
    setMode(BrowserMode::ChoosingPosition);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_ui.clearFields();
    m_ui.picture->showNothing();
    m_ui.current->clear();
    m_ui.found->clear();
    showAlbumChoice();
    m_ui.albumsLabel->raise();
    m_ui.albums->raise();
}

void DatabaseBrowserWindow::showAlbumChoice()
{
    m_ui.albums->clear();
    m_ui.albums->addItems(m_context.store.albumNames());
    m_ui.albumsLabel->show();
    m_ui.albums->show();
    m_ui.albums->setFocus();
}

void DatabaseBrowserWindow::List1_DblClick()
{
    if (m_mode != BrowserMode::ChoosingPosition)
        return;
    const QString album = m_ui.albums->selectedText();
    if (album.isEmpty())
        return;
    m_ui.albumsLabel->hide();
    m_ui.albums->hide();
    switch (m_addNew.askPosition(album)) {
    case AddNewFlow::Step::Cancelled:
        cmdCancel_Click();
        return;
    case AddNewFlow::Step::ChooseAnotherAlbum:
        showAlbumChoice();
        return;
    case AddNewFlow::Step::PositionChosen:
        positionChosen();
        return;
    }
}

void DatabaseBrowserWindow::positionChosen()
{
    const PictureRecord &position = m_addNew.position();
    m_ui.searchingMessage->show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // A set of its own: the browser's rows stay as they are.
    auto found = std::make_unique<PictureRecordSet>(
        m_records->database(), RecordQuery::position(position.albumName, position.page, position.imageNumber));
    if (found->isEmpty()) {
        m_ui.albumName->setText(position.albumName);
        m_ui.page->setText(QString::number(position.page));
        m_ui.imageNumber->setText(QString::number(position.imageNumber));
        m_ui.description->clear();
        m_ui.setDescriptionEditable(true);
        m_ui.description->setFocus();
        showRowPicture();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_ui.searchingMessage->hide();
        setMode(BrowserMode::Adding);
        return;
    }
    // Any row at all makes this an edit: a position is never given a second
    // description here.
    m_ui.showFields(*found);
    showRowPicture();
    m_ui.searchingMessage->hide();
    const Dialogs::Answer change = m_context.dialogs.askYesNo(
        QStringLiteral("   This picture already has data saved.\r\nAre you sure that you want to change it ?"),
        Dialogs::kWarning);
    if (change != Dialogs::Answer::Yes) {
        cmdCancel_Click();
        return;
    }
    m_lookup = std::move(found);
    cmdEdit_Click();
}

void DatabaseBrowserWindow::cancelAddition()
{
    m_ui.setDescriptionEditable(false);
    m_ui.albumsLabel->hide();
    m_ui.searchingMessage->show();
    m_ui.albums->hide();
    setMode(BrowserMode::Browsing);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Back to the row shown when Add New was pressed, if there was one.
    if (m_records && m_currentRecord != 0)
        m_ui.showFields(*m_records);
    else
        m_ui.clearFields();
    updateCounters();
    showRowPicture();
    m_ui.searchingMessage->hide();
}

// ---------------------------------------------------------------------------
// Delete

void DatabaseBrowserWindow::cmdDelete_Click()
{
    if (!m_records)
        return;
    setMode(BrowserMode::Deleting);
    const Dialogs::Answer sure = m_context.dialogs.askYesNo(
        QStringLiteral("Are you sure that you want to delete this record"), Dialogs::kWarning);
    if (sure != Dialogs::Answer::Yes) {
        setMode(BrowserMode::Browsing);
        return;
    }
    m_ui.picture->showNothing();
    m_ui.clearFields();
    if (!m_records->deleteCurrent()) {
        // Refused (and told): the row is still there and shown again.
        setMode(BrowserMode::Browsing);
        showCurrentRow();
        return;
    }
    if (!m_records->isEmpty())
        m_records->moveFirst();
    showCurrentRow();
    m_currentRecord = m_records->isEmpty() ? 0 : 1;
    updateCounters();
    setMode(BrowserMode::Browsing);
}

// ---------------------------------------------------------------------------
// Search

void DatabaseBrowserWindow::cmdSearch_Click()
{
    if (m_mode == BrowserMode::EnteringSearchText) {
        startSearch();
        return;
    }
    setMode(BrowserMode::ChoosingSearchField);
    m_ui.searchDescriptions->show();
    m_ui.searchAlbums->show();
    m_ui.searchPrompt->setText(QStringLiteral("Select where to search in option"));
}

void DatabaseBrowserWindow::chooseSearchField(bool albumNames)
{
    m_ui.searchAlbums->setChecked(albumNames);
    m_ui.searchDescriptions->setChecked(!albumNames);
    m_ui.searchAlbums->hide();
    m_ui.searchDescriptions->hide();
    m_ui.searchPrompt->setText(albumNames ? QStringLiteral("Enter a word or phrase to search for in Album Name")
                                          : QStringLiteral("Enter a word or phrase to search for in Discription"));
    m_ui.searchText->setEnabled(true);
    setMode(BrowserMode::EnteringSearchText);
    m_ui.searchText->setFocus();
}

void DatabaseBrowserWindow::startSearch()
{
    const QString text = m_ui.searchText->text();
    if (text.isEmpty()) {
        m_context.dialogs.message(QStringLiteral("You did not enter anything to search for"), Dialogs::kWarning,
                                  Dialogs::Icon::Warning);
        m_ui.searchText->setFocus();
        return;
    }
    if (!m_ui.searchAlbums->isChecked() && !m_ui.searchDescriptions->isChecked()) {
        setMode(BrowserMode::Browsing);
        cmdSearch_Click();
        return;
    }
    setMode(BrowserMode::Searching);
    m_records = m_context.descriptions.records(m_ui.searchAlbums->isChecked() ? RecordQuery::albumNameContains(text)
                                                                              : RecordQuery::descriptionContains(text));
    m_ui.searchAlbums->setChecked(false);
    m_ui.searchDescriptions->setChecked(false);
    m_ui.searchText->clear();
    if (!m_records->isEmpty()) {
        m_records->moveFirst();
        m_currentRecord = 1;
        showCurrentRow();
        setMode(BrowserMode::Browsing);
        updateCounters();
        return;
    }
    m_ui.searchPrompt->setText(QStringLiteral("No data found."));
    m_currentRecord = 0;
    setMode(BrowserMode::NoDataFound);
    m_ui.clearFields();
    updateCounters();
    m_ui.searchingMessage->hide();
    m_ui.picture->showNothing();
    m_ui.noDataTimer->start();
}

void DatabaseBrowserWindow::cancelSearch()
{
    m_ui.searchText->hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_ui.resetSearch();
    setMode(BrowserMode::Browsing);
}

void DatabaseBrowserWindow::noDataShown()
{
    m_ui.noDataTimer->stop();
    reloadTable();
}
