#include "app/ReadMeWindow.h"

#include "albumstore/AlbumStore.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "platform/ScreenMetrics.h"
#include "platform/Twips.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

QLabel *addLabel(QVBoxLayout *layout, QWidget *parent, const char *name, const QString &text, bool heading)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(!heading);
    label->setFont(WindowKit::arial(heading ? 12 : 10, heading));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

}  // namespace

ReadMeWindow::ReadMeWindow(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmReadMe"));
    setWindowTitle(QStringLiteral("ReadMe"));
    WindowKit::setBackground(this, Qt::white);
    setFixedSize(640, 453);

    const QString folder = QDir::toNativeSeparators(m_context.store.programFolder());
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 14, 24, 14);
    layout->setSpacing(4);
    QLabel *title = addLabel(layout, this, "Label1", QStringLiteral("KoLumbra"), true);
    title->setFont(WindowKit::arial(22, true));
    title->setAlignment(Qt::AlignCenter);
    addLabel(layout, this, "Label2", QStringLiteral("What this program is:"), true);
    addLabel(layout, this, "Label3",
             QStringLiteral("KoLumbra keeps your photos and other pictures in albums on this computer and shows "
                            "them page by page, one at a time as large as the screen allows, or as a slideshow. "
                            "Pictures come from any drive (a hard disk, a memory card, a CD or a USB stick) or "
                            "from a scanner or another program through the clipboard, and are pasted into a "
                            "stored album. Every picture can have a description that you can browse and search."),
             false);
    addLabel(layout, this, "Label4", QStringLiteral("Installation:"), true);
    addLabel(layout, this, "Label5",
             QStringLiteral("KoLumbra shows this page by itself the first time it starts, so that it is read at "
                            "least once even when the installation did not show it. A Demo Album has been put "
                            "in place for you to look at."),
             false);
    addLabel(layout, this, "Label6", QStringLiteral("Uninstall:"), true);
    addLabel(layout, this, "Label7",
             QStringLiteral("Remove KoLumbra with your system's package manager, or delete the folder you "
                            "copied it into. Your albums (one folder each) and their descriptions (KoLumbra.db) "
                            "are kept in %1; copy them elsewhere first if you want to keep them. The settings "
                            "are in the KoLumbra folder of your configuration folder (~/.config).")
                 .arg(folder),
             false);
    layout->addStretch();

    auto *cont = new QPushButton(QStringLiteral("&Continue"), this);
    cont->setObjectName(QStringLiteral("Command1"));
    cont->setDefault(true);
    cont->setAutoDefault(true);
    cont->setFont(WindowKit::arial(10, true));
    cont->setMinimumWidth(120);
    layout->addWidget(cont, 0, Qt::AlignCenter);
    connect(cont, &QPushButton::clicked, this, &ReadMeWindow::continueClicked);
    // Enter presses "&Continue" wherever the focus is, as in a dialog.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, cont, &QPushButton::click);
    }
    setFocusProxy(cont);

    WindowKit::addCancelButton(this, this, QStringLiteral("cmdEsc"), QStringLiteral("cmdEsc"),
                               [this] { m_navigator.endProgram(); });
    m_navigator.installHelpKey(this);
}

ReadMeWindow::~ReadMeWindow() = default;

void ReadMeWindow::place()
{
    if (Twips::fromPixels(m_context.screen.screenSize().width()) <= 9700)
        move(0, 0);
    else
        WindowKit::centreOnScreen(this, m_context.screen);
}

void ReadMeWindow::continueClicked()
{
    hide();
    m_navigator.showStartUpScreen();
}

void ReadMeWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_navigator.endProgram();
}
