#pragma once

#include "app/OwnedWindow.h"
#include "platform/HelpLauncher.h"
#include "widgets/AlbumListBox.h"

#include <QWidget>

class AlbumManager;
class Navigator;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
struct AppContext;

// The album list, the program's home window: every album folder, opened with
// a double click; from here the batch creator, the database browser and the
// slideshow are reached, and the help format is chosen.
class AlbumListWindow : public QWidget, public OwnedWindow
{
    Q_OBJECT

public:
    AlbumListWindow(AppContext &context, Navigator &navigator);
    ~AlbumListWindow() override;

    QWidget *widget() override { return this; }
    void activated() override;

    void refillList();
    void List1_DblClick();
    void List1_GotFocus();
    void List1_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void endClicked();
    void mnuChangeName_Click();
    void mnuDelete_Click();

    HelpFormat helpFormat() const;
    AlbumListBox *list() const { return m_albums; }
    QMenu *popupMenu() const { return m_albumPopup; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    QString selectedText() const;
    AlbumManager manager() const;
    // The album a menu command is for; empty when none is chosen, or when the
    // entry chosen is not an album (the user is told `refusal`).
    QString chosenAlbum(const QString &refusal) const;

    AppContext &m_context;
    Navigator &m_navigator;
    QPushButton *m_databaseButton = nullptr;
    QPushButton *m_slideshowButton = nullptr;
    QPushButton *m_batchButton = nullptr;
    AlbumListBox *m_albums = nullptr;
    QLabel *m_instruction = nullptr;
    QRadioButton *m_winHelpOption = nullptr;
    QRadioButton *m_htmlHelpOption = nullptr;
    QMenu *m_albumPopup = nullptr;
};
