#pragma once

#include "app/OwnedWindow.h"
#include "pictureinfo/AddNewFlow.h"
#include "pictureinfo/BrowserMode.h"
#include "pictureinfo/BrowserRules.h"
#include "pictureinfo/DatabaseBrowserControls.h"

#include <QWidget>

#include <memory>
#include <optional>

class Navigator;
class PictureRecordSet;
class PictureView;
class QTimer;
struct AppContext;
struct RecordQuery;

// The picture database browser: every description one row at a time, in
// album, page and picture order, with the picture it belongs to; searching
// album names or descriptions; editing, adding and deleting descriptions.
// It is opened from the album list and hides itself to return there.
class DatabaseBrowserWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    DatabaseBrowserWindow(AppContext &context, Navigator &navigator);
    ~DatabaseBrowserWindow() override;

    QWidget *widget() override { return this; }
    // Reads the whole table afresh and shows its first row. An edit, an
    // addition or a search being typed is left as it is: coming back to the
    // window does not throw away what the user was doing.
    void activated() override;

    void cmdClose_Click();
    void cmdCancel_Click();
    void cmdEdit_Click();
    void cmdAddNew_Click();
    void cmdDelete_Click();
    void cmdSearch_Click();
    void List1_DblClick();
    void cmdExc_Click();

    BrowserMode mode() const { return m_mode; }
    PictureView *image() const;
    // A picture is still being decoded for the row shown.
    bool pictureLoading() const;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectControls();
    // The window as it starts: centred, nothing shown, no mode. Runs when the
    // window is made and when it is shown again after a close from its frame.
    void reset();
    void setMode(BrowserMode mode);
    void updateButtons();
    void reloadTable();
    // Rows of the set browsed; 0 before any is opened.
    int rowCount() const;
    void showTable(std::optional<qint64> row);
    void moveBy(BrowserRules::Move button);
    void showCurrentRow();
    void updateCounters();
    void showRowPicture();
    void leave();

    void saveEdit();
    // An edit saved blank deletes its row, as the picture information window
    // does.
    void deleteErased();
    void saveAddition();
    void cancelAddition();
    void finishLookupEdit();
    void showAlbumChoice();
    void positionChosen();
    void cancelSearch();
    void chooseSearchField(bool albumNames);
    void startSearch();
    void noDataShown();

    AppContext &m_context;
    Navigator &m_navigator;
    AddNewFlow m_addNew;

    DatabaseBrowserControls m_ui;

    // The set this window browses, of its own, so that a change made here
    // always goes to the row shown here.
    std::unique_ptr<PictureRecordSet> m_records;
    // The row found by an addition's lookup while it is being edited instead.
    std::unique_ptr<PictureRecordSet> m_lookup;

    BrowserMode m_mode = BrowserMode::Browsing;
    // The row shown, counting from 1; 0 when none is.
    int m_currentRecord = 0;
    // The description as it was when Edit was pressed, for Cancel.
    QString m_textBeforeEdit;
    bool m_loaded = false;
};
