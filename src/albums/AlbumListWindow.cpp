#include "albums/AlbumListWindow.h"

#include "albums/AlbumManager.h"
#include "albumstore/AlbumName.h"
#include "albumstore/AlbumStore.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "platform/Dialogs.h"
#include "widgets/AlbumListBox.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

namespace {

QPushButton *topButton(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                       const QRect &geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setFont(WindowKit::arial(10, true));
    button->setGeometry(geometry);
    return button;
}

}  // namespace

AlbumListWindow::AlbumListWindow(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window)
    , m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Select Album Display"));
    WindowKit::setBackground(this, WindowKit::pageBlue());
    setFont(WindowKit::arial(10));
    setFixedSize(634, 429);
    buildControls();
    buildMenu();
    m_navigator.installHelpKey(this);
}

AlbumListWindow::~AlbumListWindow() = default;

void AlbumListWindow::buildControls()
{
    m_databaseButton = topButton(this, "cmdDatabase", QStringLiteral("Picture &Database"),
                                 QStringLiteral("Click to go to the Picture Database Page"), QRect(24, 16, 180, 40));
    m_slideshowButton = topButton(this, "Command2", QStringLiteral("&Slideshow"),
                                  QStringLiteral("Click to go to the Slideshow Page"), QRect(227, 16, 180, 40));
    m_batchButton = topButton(this, "cmdCreate", QStringLiteral("&Create album from folder"),
                              QStringLiteral("Click to go to the Batch Album Create Page"), QRect(430, 16, 180, 40));
    connect(m_databaseButton, &QPushButton::clicked, this, [this] { m_navigator.showDatabaseBrowser(); });
    connect(m_slideshowButton, &QPushButton::clicked, this, [this] { m_navigator.showSlideshowChooser(); });
    connect(m_batchButton, &QPushButton::clicked, this, [this] { m_navigator.showBatchCreator(); });

    m_albums = new AlbumListBox(this);
    connect(m_albums, &AlbumListBox::opened, this, &AlbumListWindow::List1_DblClick);
    connect(m_albums, &AlbumListBox::rightPressed, this,
            [this](const QPoint &pos) { List1_MouseDown(Qt::RightButton, pos); });
    connect(m_albums, &AlbumListBox::focused, this, &AlbumListWindow::List1_GotFocus);
    m_albums->setObjectName(QStringLiteral("List1"));
    m_albums->setToolTip(QStringLiteral("Double click the Album that you want to select"));
    m_albums->setFont(WindowKit::arial(11));
    m_albums->setGeometry(76, 72, 481, 224);
    WindowKit::describe(m_albums, QStringLiteral("Albums"));

    m_instruction = new QLabel(this);
    m_instruction->setObjectName(QStringLiteral("Label1"));
    m_instruction->setAlignment(Qt::AlignCenter);
    m_instruction->setFont(WindowKit::arial(10, true));
    m_instruction->setGeometry(20, 304, 594, 66);

    auto *lblHelp0 = new QLabel(QStringLiteral("Set Help Option:"), this);
    lblHelp0->setObjectName(QStringLiteral("lblHelp0"));
    lblHelp0->setGeometry(96, 386, 130, 26);
    m_winHelpOption = new QRadioButton(QStringLiteral("WinHelp Format"), this);
    m_winHelpOption->setObjectName(QStringLiteral("optWinHelp"));
    m_winHelpOption->setToolTip(QStringLiteral("Click to select the WinHelp Format"));
    m_winHelpOption->setGeometry(232, 386, 150, 26);
    m_winHelpOption->setChecked(true);
    m_htmlHelpOption = new QRadioButton(QStringLiteral("HTML Help Format"), this);
    m_htmlHelpOption->setObjectName(QStringLiteral("optHtmlHelp"));
    m_htmlHelpOption->setToolTip(QStringLiteral("Click to select the HTML Help Format"));
    m_htmlHelpOption->setGeometry(392, 386, 170, 26);

    WindowKit::addCancelButton(this, this, QStringLiteral("Command1"), QStringLiteral("Command1"),
                               [this] { endClicked(); });
    setTabOrder(m_albums, m_databaseButton);
}

void AlbumListWindow::buildMenu()
{
    m_albumPopup = new QMenu(QStringLiteral("Test"), this);
    m_albumPopup->setObjectName(QStringLiteral("mnuTest"));
    QAction *select = m_albumPopup->addAction(QStringLiteral("Select Selected Album"));
    select->setObjectName(QStringLiteral("mnuSelect"));
    connect(select, &QAction::triggered, this, &AlbumListWindow::List1_DblClick);
    m_albumPopup->addSeparator()->setObjectName(QStringLiteral("mnuSp1"));
    QAction *rename = m_albumPopup->addAction(QStringLiteral("Change Album Name"));
    rename->setObjectName(QStringLiteral("mnuChangeName"));
    connect(rename, &QAction::triggered, this, &AlbumListWindow::mnuChangeName_Click);
    m_albumPopup->addSeparator()->setObjectName(QStringLiteral("mnuSp2"));
    QAction *remove = m_albumPopup->addAction(QStringLiteral("Delete Selected Album"));
    remove->setObjectName(QStringLiteral("mnuDelete"));
    connect(remove, &QAction::triggered, this, &AlbumListWindow::mnuDelete_Click);
}

void AlbumListWindow::activated()
{
    if (m_context.session.screenRatio != 1.0)
        WindowKit::centreOnScreen(this, m_context.screen);
    refillList();
    m_instruction->setText(AlbumListBox::kHowToChoose);
    // The list is where the keyboard starts; taking the focus also sends the
    // blank start-up screen away.
    m_albums->setFocus();
}

void AlbumListWindow::refillList()
{
    const AlbumStore &store = m_context.store;
    const QStringList albums = store.albumNames();
    m_albums->showAlbums(albums);
    // Creating albums needs a program folder the program may write to.
    if (store.isWritable())
        m_albums->insertItem(int(albums.size()), AlbumName::kCreateNewAlbum);
}

QString AlbumListWindow::selectedText() const
{
    return m_albums->selectedText();
}

void AlbumListWindow::List1_DblClick()
{
    const QString text = selectedText();
    if (text.isEmpty())
        return;
    if (text == AlbumName::kNoAlbums) {
        m_context.dialogs.message(QStringLiteral("You can't select this item as an album"), Dialogs::kWarning,
                                  Dialogs::Icon::Warning);
        return;
    }
    QString album = text;
    if (text == AlbumName::kCreateNewAlbum) {
        const std::optional<QString> made = manager().createAlbum();
        if (!made)
            return;
        album = *made;
    }
    m_context.session.album = album;
    m_context.session.page = 1;
    m_navigator.openChosenAlbum();
    QCoreApplication::processEvents();
}

void AlbumListWindow::List1_GotFocus()
{
    QCoreApplication::processEvents();
    m_navigator.hideStartUpScreen();
}

void AlbumListWindow::List1_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton && !selectedText().isEmpty())
        m_albumPopup->popup(globalPos);
}

QString AlbumListWindow::chosenAlbum(const QString &refusal) const
{
    QString album = selectedText();
    if (album == AlbumName::kCreateNewAlbum || album == AlbumName::kNoAlbums) {
        m_context.dialogs.message(refusal, Dialogs::kWarning, Dialogs::Icon::Warning);
        return {};
    }
    return album;
}

void AlbumListWindow::mnuChangeName_Click()
{
    const QString album = chosenAlbum(QStringLiteral("You can not change the name of this item"));
    if (album.isEmpty())
        return;
    if (manager().renameAlbum(album))
        refillList();
}

void AlbumListWindow::mnuDelete_Click()
{
    const QString album = chosenAlbum(QStringLiteral("You can not delete this item"));
    if (album.isEmpty())
        return;
    const int row = m_albums->currentRow();
    switch (manager().deleteAlbum(album)) {
    case AlbumManager::Deletion::Cancelled:
        return;
    case AlbumManager::Deletion::Deleted:
        // The entry goes at once; a folder that stayed for its other files
        // comes back the next time the list is filled.
        delete m_albums->takeItem(row);
        m_albums->update();
        QCoreApplication::processEvents();
        return;
    case AlbumManager::Deletion::Kept:
        refillList();
        return;
    }
}

AlbumManager AlbumListWindow::manager() const
{
    return AlbumManager(m_context.store, m_context.descriptions, m_context.dialogs);
}

HelpFormat AlbumListWindow::helpFormat() const
{
    return m_htmlHelpOption->isChecked() ? HelpFormat::HtmlHelp : HelpFormat::WinHelp;
}

void AlbumListWindow::endClicked()
{
    m_navigator.endProgram();
}

void AlbumListWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    endClicked();
}
