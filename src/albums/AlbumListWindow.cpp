#include "albums/AlbumListWindow.h"

#include "albumpage/AlbumPageWindow.h"
#include "albums/AlbumManager.h"
#include "albumstore/AlbumStore.h"
#include "app/ProgramValues.h"
#include "app/StartUpScreen.h"
#include "app/WindowOwner.h"
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

const QString kWarning = QStringLiteral("WARNING");

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

AlbumListWindow::AlbumListWindow(WindowOwner &owner)
    : QWidget(nullptr, Qt::Window)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(QStringLiteral("Select Album Display"));
    WindowKit::setBackground(this, WindowKit::pageBlue());
    setFont(WindowKit::arial(10));
    setFixedSize(634, 429);
    buildControls();
    buildMenu();
    m_owner.installHelpKey(this);
}

AlbumListWindow::~AlbumListWindow() = default;

void AlbumListWindow::buildControls()
{
    m_cmdDatabase = topButton(this, "cmdDatabase", QStringLiteral("Picture &Database"),
                              QStringLiteral("Click to go to the Picture Database Page"), QRect(24, 16, 180, 40));
    m_command2 = topButton(this, "Command2", QStringLiteral("&Slideshow"),
                           QStringLiteral("Click to go to the Slideshow Page"), QRect(227, 16, 180, 40));
    m_cmdCreate = topButton(this, "cmdCreate", QStringLiteral("&Create album from folder"),
                            QStringLiteral("Click to go to the Batch Album Create Page"), QRect(430, 16, 180, 40));
    connect(m_cmdDatabase, &QPushButton::clicked, &m_owner, &WindowOwner::showDatabaseBrowser);
    connect(m_command2, &QPushButton::clicked, &m_owner, &WindowOwner::showSlideshowChooser);
    connect(m_cmdCreate, &QPushButton::clicked, &m_owner, &WindowOwner::showBatchCreator);

    m_list1 = new AlbumListBox(this);
    connect(m_list1, &AlbumListBox::opened, this, &AlbumListWindow::List1_DblClick);
    connect(m_list1, &AlbumListBox::rightPressed, this,
            [this](const QPoint &pos) { List1_MouseDown(Qt::RightButton, pos); });
    connect(m_list1, &AlbumListBox::focused, this, &AlbumListWindow::List1_GotFocus);
    m_list1->setObjectName(QStringLiteral("List1"));
    m_list1->setToolTip(QStringLiteral("Double click the Album that you want to select"));
    m_list1->setFont(WindowKit::arial(11));
    m_list1->setGeometry(76, 72, 481, 224);
    WindowKit::describe(m_list1, QStringLiteral("Albums"));

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setFont(WindowKit::arial(10, true));
    m_label1->setGeometry(20, 304, 594, 66);

    auto *lblHelp0 = new QLabel(QStringLiteral("Set Help Option:"), this);
    lblHelp0->setObjectName(QStringLiteral("lblHelp0"));
    lblHelp0->setGeometry(96, 386, 130, 26);
    m_optWinHelp = new QRadioButton(QStringLiteral("WinHelp Format"), this);
    m_optWinHelp->setObjectName(QStringLiteral("optWinHelp"));
    m_optWinHelp->setToolTip(QStringLiteral("Click to select the WinHelp Format"));
    m_optWinHelp->setGeometry(232, 386, 150, 26);
    m_optWinHelp->setChecked(true);
    m_optHtmlHelp = new QRadioButton(QStringLiteral("HTML Help Format"), this);
    m_optHtmlHelp->setObjectName(QStringLiteral("optHtmlHelp"));
    m_optHtmlHelp->setToolTip(QStringLiteral("Click to select the HTML Help Format"));
    m_optHtmlHelp->setGeometry(392, 386, 170, 26);

    WindowKit::addCancelButton(this, this, QStringLiteral("Command1"), QStringLiteral("Command1"),
                               [this] { Command1_Click(); });
    setTabOrder(m_list1, m_cmdDatabase);
}

void AlbumListWindow::buildMenu()
{
    m_mnuTest = new QMenu(QStringLiteral("Test"), this);
    m_mnuTest->setObjectName(QStringLiteral("mnuTest"));
    QAction *select = m_mnuTest->addAction(QStringLiteral("Select Selected Album"));
    select->setObjectName(QStringLiteral("mnuSelect"));
    connect(select, &QAction::triggered, this, &AlbumListWindow::List1_DblClick);
    m_mnuTest->addSeparator()->setObjectName(QStringLiteral("mnuSp1"));
    QAction *rename = m_mnuTest->addAction(QStringLiteral("Change Album Name"));
    rename->setObjectName(QStringLiteral("mnuChangeName"));
    connect(rename, &QAction::triggered, this, &AlbumListWindow::mnuChangeName_Click);
    m_mnuTest->addSeparator()->setObjectName(QStringLiteral("mnuSp2"));
    QAction *remove = m_mnuTest->addAction(QStringLiteral("Delete Selected Album"));
    remove->setObjectName(QStringLiteral("mnuDelete"));
    connect(remove, &QAction::triggered, this, &AlbumListWindow::mnuDelete_Click);
}

void AlbumListWindow::Form_Activate()
{
    ProgramValues &v = m_owner.context().values;
    if (v.ScreenRatio != 1.0)
        WindowKit::centreOnScreen(this, m_owner.context().screen);
    RenewList();
    m_label1->setText(
        QStringLiteral("Either double click the album name\r\nor\r\n"
                       "select the album with a left click and  then display a menu with a right click."));
    v.PageNumber = 1;
    v.PageLoaded = false;
    // The list is where the keyboard starts; taking the focus also sends the
    // blank start-up screen away.
    m_list1->setFocus();
}

void AlbumListWindow::RenewList()
{
    const AlbumStore &store = m_owner.context().store;
    const QStringList albums = store.albumNames();
    m_list1->clear();
    if (albums.isEmpty())
        m_list1->addItem(kNoAlbums);
    m_list1->addItems(albums);
    // Creating albums needs a program folder the program may write to.
    if (store.isWritable())
        m_list1->insertItem(int(albums.size()), kCreateNewAlbum);
}

QString AlbumListWindow::selectedText() const
{
    return m_list1->selectedText();
}

void AlbumListWindow::List1_DblClick()
{
    const QString text = selectedText();
    if (text.isEmpty())
        return;
    ProgramValues &v = m_owner.context().values;
    v.AlbumName = text;
    if (text == kNoAlbums) {
        m_owner.context().dialogs.message(QStringLiteral("You can't select this item as an album"), kWarning,
                                          Dialogs::Icon::Warning);
        return;
    }
    v.AlbumKind = ProgramValues::kStoredAlbum;
    if (text == kCreateNewAlbum) {
        v.AlbumKind = ProgramValues::kNewAlbum;
        AppContext &c = m_owner.context();
        if (!AlbumManager(c.store, c.values, c.dialogs).createAlbum())
            return;
    }
    v.PageNumber = 1;
    m_owner.present(m_owner.albumPage());
    QCoreApplication::processEvents();
}

void AlbumListWindow::List1_GotFocus()
{
    QCoreApplication::processEvents();
    if (m_owner.hasStartUpScreen())
        m_owner.startUpScreen().hide();
}

void AlbumListWindow::List1_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton && !selectedText().isEmpty())
        m_mnuTest->popup(globalPos);
}

QString AlbumListWindow::chosenAlbum(const QString &refusal) const
{
    const QString album = selectedText();
    if (album == kCreateNewAlbum || album == kNoAlbums) {
        m_owner.context().dialogs.message(refusal, kWarning, Dialogs::Icon::Warning);
        return {};
    }
    return album;
}

void AlbumListWindow::mnuChangeName_Click()
{
    const QString album = chosenAlbum(QStringLiteral("You can not change the name of this item"));
    if (album.isEmpty())
        return;
    AppContext &c = m_owner.context();
    if (AlbumManager(c.store, c.values, c.dialogs).renameAlbum(album))
        RenewList();
}

void AlbumListWindow::mnuDelete_Click()
{
    const QString album = chosenAlbum(QStringLiteral("You can not delete this item"));
    if (album.isEmpty())
        return;
    AppContext &c = m_owner.context();
    const int row = m_list1->currentRow();
    switch (AlbumManager(c.store, c.values, c.dialogs).deleteAlbum(album)) {
    case AlbumManager::Deletion::Cancelled:
        return;
    case AlbumManager::Deletion::Deleted:
        // The entry goes at once; a folder that stayed for its other files
        // comes back the next time the list is filled.
        delete m_list1->takeItem(row);
        m_list1->update();
        QCoreApplication::processEvents();
        return;
    case AlbumManager::Deletion::Kept:
        RenewList();
        return;
    }
}

HelpFormat AlbumListWindow::helpFormat() const
{
    return m_optHtmlHelp->isChecked() ? HelpFormat::HtmlHelp : HelpFormat::WinHelp;
}

void AlbumListWindow::Command1_Click()
{
    m_owner.endProgram();
}

void AlbumListWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    Command1_Click();
}
