#pragma once

#include "albumstore/PictureLoader.h"
#include "albumstore/ThumbnailCache.h"
#include "app/OwnedWindow.h"
#include "pictureinfo/BrowserRules.h"

#include <QFutureWatcher>
#include <QWidget>

#include <memory>
#include <optional>

class AlbumListBox;
class PictureInfoDatabase;
class PictureRecordSet;
class PictureView;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class WindowOwner;
struct RecordQuery;

// The picture database browser: every description one row at a time, in
// album, page and picture order, with the picture it belongs to; searching
// album names or descriptions; editing, adding and deleting descriptions.
// It is opened from the album list and hides itself to return there.
class DatabaseBrowserWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    explicit DatabaseBrowserWindow(WindowOwner &owner);
    ~DatabaseBrowserWindow() override;

    QWidget *widget() override { return this; }
    // The window as it starts: centred, nothing shown, no mode. Runs when the
    // window is made and when it is shown again after a close from its frame.
    void reset();
    // Reads the whole table afresh and shows its first row. An edit, an
    // addition or a search being typed is left as it is: coming back to the
    // window does not throw away what the user was doing.
    void activated() override;

    void FillFields();
    void ClearFields();
    void UpdateCount();
    void InitialButtons();
    void NoAlbumButtons();
    void ButtonsOff();
    void updateMoveButtons();
    void ShowPicture();
    void PictureOff();
    void CloseDatabase();

    void cmdMoveFirst_Click();
    void cmdMovePrevious_Click();
    void cmdMoveNext_Click();
    void cmdMoveLast_Click();
    void cmdClose_Click();
    void cmdCancel_Click();
    void cmdEdit_Click();
    void cmdAddNew_Click();
    void cmdDelete_Click();
    void cmdSearch_Click();
    void optAlb_Click();
    void optDisc_Click();
    void List1_DblClick();
    void noDataShown();
    void cmdExc_Click();

    PictureView *image() const { return m_image1; }
    // A picture is still being decoded for the row shown.
    bool pictureLoading() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void applyButtons(const BrowserRules::Buttons &buttons);
    void setMoveButtons(const BrowserRules::MoveButtons &moves);
    void activate();
    bool userIsBusy() const;
    bool searchBeingEntered() const;
    void openRecords(const RecordQuery &query);
    // Rows of the set browsed; 0 before any is opened.
    int rowCount() const;
    void showTable(std::optional<qint64> row);
    void moveBy(BrowserRules::Move button);
    void setDescriptionEditable(bool editable);
    void showFields(const PictureRecordSet &set);

    void saveEdit();
    void saveAddition();
    void cancelAddition();
    void cancelSearch();
    void resetSearchControls();
    void chooseSearchField(bool albumNames);
    void startSearch();
    void finishLookupEdit();

    // A page or picture number as typed and as a number.
    struct TypedNumber
    {
        QString typed;
        int number = 0;
    };
    // Asks until a number from 1 to highest is typed; nothing when the user
    // gives up.
    std::optional<TypedNumber> askNumber(const QString &prompt, const QString &title, int highest);

    void SaveFields();
    void LoadList();
    void InputPage();
    void InputImageNumber();
    void checkPictureExists();
    void checkExistingDescription();

    void decodeNext();
    void pictureDecoded();
    void placePicture(const DecodedPicture &picture);

    WindowOwner &m_owner;

    QLineEdit *m_txtAlbumName = nullptr;
    QLineEdit *m_txtPage = nullptr;
    QLineEdit *m_txtImageNumber = nullptr;
    QPlainTextEdit *m_txtDiscription = nullptr;
    QLabel *m_lblFound = nullptr;
    QLabel *m_lblCurrent = nullptr;
    QLabel *m_lblSearchMsg = nullptr;
    QLabel *m_lblSearch = nullptr;
    QLineEdit *m_TxtSearch = nullptr;
    QRadioButton *m_optAlb = nullptr;
    QRadioButton *m_optDisc = nullptr;
    QPushButton *m_cmdMoveFirst = nullptr;
    QPushButton *m_cmdMovePrevious = nullptr;
    QPushButton *m_cmdMoveNext = nullptr;
    QPushButton *m_cmdMoveLast = nullptr;
    QPushButton *m_cmdClose = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QPushButton *m_cmdEdit = nullptr;
    QPushButton *m_cmdAddNew = nullptr;
    QPushButton *m_cmdDelete = nullptr;
    QPushButton *m_cmdSearch = nullptr;
    PictureView *m_image1 = nullptr;
    AlbumListBox *m_list1 = nullptr;
    QLabel *m_lblList = nullptr;
    QTimer *m_timer1 = nullptr;

    // The set this window browses and the database it came from. The program
    // shares the latest opened set between its two database windows; this
    // window keeps its own reference, so that a change made here always goes
    // to the row shown here.
    std::shared_ptr<PictureInfoDatabase> m_database;
    std::shared_ptr<PictureRecordSet> m_records;
    // The row found by an addition's lookup while it is being edited instead.
    std::unique_ptr<PictureRecordSet> m_lookup;

    // Window state, under the names the window's design gives them.
    int CurrentRecord = 0;
    bool EditOn = false;
    bool AddNewOn = false;
    bool DeleteOn = false;
    bool SearchOn = false;
    QString Was;
    QString AlbName;
    QString AlbPage;
    QString AlbImgNumber;
    QString AlbDis;
    int AlbCurRec = 0;
    QString AlbIn;
    int PageIn = 0;
    int ImgNrIn = 0;
    // The page answer as typed: the picture file is looked for under it.
    QString m_pageAsTyped;
    // An addition has its position and waits for the description.
    bool m_positionChosen = false;
    bool m_loaded = false;

    // Pictures decode off the user-interface thread, one at a time; moving on
    // while one decodes only replaces the request waiting behind it.
    // Pictures already seen are kept, so going back to a row costs nothing.
    struct PictureRequest
    {
        quint64 serial = 0;
        QStringList files;
        QSize bound;
        QString key;
    };
    QFutureWatcher<DecodedPicture> *m_decoder = nullptr;
    std::optional<PictureRequest> m_nextPicture;
    QString m_decodingKey;
    quint64 m_pictureSerial = 0;   // the picture wanted now
    quint64 m_decodingSerial = 0;  // the one being decoded; 0 when none
    ThumbnailCache m_pictures{16 * 1024};
};
