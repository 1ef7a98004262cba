#include "slideshow/SlideshowAlbumChooser.h"

#include "albumstore/AlbumName.h"
#include "albumstore/AlbumStore.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "platform/Dialogs.h"
#include "slideshow/SlideTime.h"
#include "widgets/AlbumListBox.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {

const QString kFiveSeconds = QStringLiteral("5");

QColor chooserPink()
{
    return QColor(255, 192, 255);
}

// A typed "&" is shown as itself, not taken as a menu access key.
QString asMenuText(QString text)
{
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

QLabel *addLabel(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setFont(WindowKit::arial(10, true));
    WindowKit::setBackground(label, chooserPink());
    label->setGeometry(geometry);
    return label;
}

QAction *addItem(QMenu *menu, const char *name, const QString &caption, bool checkable)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(checkable);
    return action;
}

}  // namespace

SlideshowAlbumChooser::SlideshowAlbumChooser(AppContext &context, Navigator &navigator)
    : m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmSelect1"));
    setWindowTitle(QStringLiteral("Select the Album for the Slideshow"));
    setFont(WindowKit::arial(10));
    buildControls();
    buildMenus();
    setFixedSize(634, 412 + menuBar()->sizeHint().height());
    m_navigator.installHelpKey(this);
    loadSettings();
}

SlideshowAlbumChooser::~SlideshowAlbumChooser() = default;

void SlideshowAlbumChooser::buildControls()
{
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    WindowKit::setBackground(area, chooserPink());
    setCentralWidget(area);

    QLabel *label2 = addLabel(area, "Label2", QRect(20, 10, 594, 28));
    label2->setText(QStringLiteral("Press < EXC > to stop the slideshow and to close this screen."));

    m_albums = new AlbumListBox(area);
    m_albums->setObjectName(QStringLiteral("List1"));
    m_albums->setToolTip(QStringLiteral("Double click a Album Name to select and start the Slideshow"));
    m_albums->setFont(WindowKit::arial(11));
    m_albums->setGeometry(76, 48, 481, 224);
    WindowKit::describe(m_albums, QStringLiteral("Albums"));
    connect(m_albums, &AlbumListBox::opened, this, &SlideshowAlbumChooser::List1_DblClick);
    connect(m_albums, &AlbumListBox::rightPressed, this,
            [this](const QPoint &pos) { List1_MouseDown(Qt::RightButton, pos); });

    m_instruction = addLabel(area, "Label1", QRect(20, 284, 594, 80));

    WindowKit::addCancelButton(this, area, QStringLiteral("cmdExc"), QStringLiteral("Command1"),
                               [this] { cmdExc_Click(); });
}

void SlideshowAlbumChooser::buildMenus()
{
    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("mnuOptions"));
    options->menuAction()->setObjectName(QStringLiteral("mnuOptions"));
    QMenu *timeOn = options->addMenu(QStringLiteral("&Time On"));
    timeOn->setObjectName(QStringLiteral("mnuTimeOn"));
    timeOn->menuAction()->setObjectName(QStringLiteral("mnuTimeOn"));
    m_fiveSeconds = addItem(timeOn, "mnu5", QStringLiteral("&5 Sec."), true);
    m_setTime = addItem(timeOn, "mnuMore", QStringLiteral("&Set Time in Seconds"), true);
    m_repeatItem = addItem(options, "mnuRepeat", QStringLiteral("&Repeat Slideshow"), true);
    connect(m_fiveSeconds, &QAction::triggered, this, &SlideshowAlbumChooser::mnu5_Click);
    connect(m_setTime, &QAction::triggered, this, &SlideshowAlbumChooser::mnuMore_Click);
    connect(m_repeatItem, &QAction::triggered, this, &SlideshowAlbumChooser::mnuRepeat_Click);

    // The list's popup; its parent menu never shows in the menu bar.
    m_albumPopup = new QMenu(QStringLiteral("Test"), this);
    m_albumPopup->setObjectName(QStringLiteral("mnuTest"));
    QAction *select = addItem(m_albumPopup, "mnuSelect", QStringLiteral("Select Selected Album"), false);
    connect(select, &QAction::triggered, this, &SlideshowAlbumChooser::List1_DblClick);
}

QListWidget *SlideshowAlbumChooser::list() const
{
    return m_albums;
}

void SlideshowAlbumChooser::loadSettings()
{
    const Settings &settings = m_context.settings;
    m_repeatSetting = settings.value(Settings::kRepeat, QStringLiteral("No"));
    m_repeatItem->setChecked(m_repeatSetting != QLatin1String("No"));
    m_timeSetting = settings.value(Settings::kTime, kFiveSeconds);
    markTime();
    m_loaded = true;
}

void SlideshowAlbumChooser::uncheckTimes()
{
    m_setTime->setText(QStringLiteral("&Set Time in seconds"));
    m_fiveSeconds->setChecked(false);
    m_setTime->setChecked(false);
}

void SlideshowAlbumChooser::markTime()
{
    uncheckTimes();
    if (m_timeSetting == kFiveSeconds) {
        m_fiveSeconds->setChecked(true);
        return;
    }
    m_setTime->setChecked(true);
    m_setTime->setText(asMenuText(m_timeSetting) + QStringLiteral(" &Sec, Set new time"));
}

void SlideshowAlbumChooser::activated()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return;
    if (m_context.session.screenRatio != 1.0)
        WindowKit::centreOnScreen(this, m_context.screen);
    refillList();
    m_instruction->setText(AlbumListBox::kHowToChoose);
}

void SlideshowAlbumChooser::refillList()
{
    const QStringList albums = m_context.store.albumNames();
    m_albums->showAlbums(albums);
}

void SlideshowAlbumChooser::List1_DblClick()
{
    const QString text = m_albums->selectedText();
    if (text.isEmpty())
        return;
    if (text == AlbumName::kNoAlbums) {
        m_context.dialogs.message(QStringLiteral("You can't select this item as an album"), Dialogs::kWarning,
                                  Dialogs::Icon::Warning);
        return;
    }
    m_context.session.album = text;
    m_navigator.playSlideshow();
}

void SlideshowAlbumChooser::List1_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton && !m_albums->selectedText().isEmpty())
        m_albumPopup->popup(globalPos);
}

void SlideshowAlbumChooser::mnu5_Click()
{
    uncheckTimes();
    m_fiveSeconds->setChecked(true);
    m_context.settings.setValue(Settings::kTime, kFiveSeconds);
}

void SlideshowAlbumChooser::mnuMore_Click()
{
    uncheckTimes();
    m_setTime->setChecked(true);
    Dialogs &dialogs = m_context.dialogs;
    QString reply;
    // Cancel gives the empty reply, which is asked again like any other
    // that is not a number of seconds.
    for (;;) {
        reply = dialogs.input(QStringLiteral("Enter picture time on in seconds  (1 to 60)"),
                              QStringLiteral("Picture On Time"));
        if (SlideTime::isAcceptableReply(reply))
            break;
        dialogs.message(QStringLiteral("You must enter a value of 1 or more"), Dialogs::kWarning,
                        Dialogs::Icon::Warning);
    }
    m_setTime->setText(asMenuText(reply) + QStringLiteral("sec, set new time"));
    m_context.settings.setValue(Settings::kTime, reply);
}

void SlideshowAlbumChooser::mnuRepeat_Click()
{
    // The menu has already turned the mark over; the store follows it.
    m_context.settings.setValue(Settings::kRepeat,
                                m_repeatItem->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No"));
}

bool SlideshowAlbumChooser::repeats() const
{
    return m_repeatItem->isChecked();
}

void SlideshowAlbumChooser::cmdExc_Click()
{
    // The window unloads: opened again, it reads the settings afresh.
    m_loaded = false;
    hide();
}

void SlideshowAlbumChooser::showEvent(QShowEvent *event)
{
    if (!m_loaded)
        loadSettings();
    QMainWindow::showEvent(event);
}

void SlideshowAlbumChooser::closeEvent(QCloseEvent *event)
{
    event->accept();
    cmdExc_Click();
}
