#include "app/StartUpScreen.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

namespace {

QLabel *addLabel(QWidget *parent, const char *name, const QString &text, const QFont &font, const QRect &geometry,
                 const QColor &colour = Qt::black)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

}  // namespace

StartUpScreen::StartUpScreen(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_context(context)
    , m_navigator(navigator)
{
    setObjectName(QStringLiteral("frmStartUp"));
    WindowKit::setBackground(this, Qt::white);
    setFixedSize(644, 453);

    addLabel(this, "Label1", QStringLiteral("KoLumbra"), WindowKit::arial(54, true), QRect(0, 90, 644, 120),
             QColor(64, 64, 160));
    addLabel(this, "Label4", QStringLiteral("Best viewed in High Color ( 16 bit )"), WindowKit::arial(14),
             QRect(0, 250, 644, 30));
    addLabel(this, "Label5", QStringLiteral("640 X 480 Pixels"), WindowKit::arial(14), QRect(0, 284, 644, 30));
    addLabel(this, "lblhelp", QStringLiteral("Press < F 12 > at any time for help"), WindowKit::arial(12, true),
             QRect(0, 380, 644, 30), QColor(128, 0, 0));

    WindowKit::addCancelButton(this, this, QStringLiteral("Command1"), QStringLiteral("Command1"),
                               [this] { m_navigator.endProgram(); });

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(3000);
    connect(m_timer, &QTimer::timeout, this, &StartUpScreen::showAlbumList);
    m_navigator.installHelpKey(this);
}

StartUpScreen::~StartUpScreen() = default;

void StartUpScreen::start()
{
    if (m_loaded)
        return;
    m_loaded = true;
    if (m_context.session.screenRatio != 1.0)
        WindowKit::centreOnScreen(this, m_context.screen);
    m_timer->start();
}

void StartUpScreen::showAlbumList()
{
    const QList<QLabel *> labels = findChildren<QLabel *>();
    for (QLabel *label : labels)
        label->hide();
    setEnabled(false);
    QCoreApplication::processEvents();
    if (!m_navigator.programEnded())
        m_navigator.showAlbumList();
    m_timer->stop();
}

void StartUpScreen::paintEvent(QPaintEvent *)
{
    // The screen has no title bar; a thin frame sets it off the desktop.
    QPainter p(this);
    p.setPen(QPen(QColor(128, 128, 192), 2));
    p.drawRect(rect().adjusted(1, 1, -1, -1));
}

void StartUpScreen::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_navigator.endProgram();
}
