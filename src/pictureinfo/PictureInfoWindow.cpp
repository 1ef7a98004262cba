#include "pictureinfo/PictureInfoWindow.h"

#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "pictureinfo/Descriptions.h"
#include "pictureinfo/PictureRecord.h"
#include "platform/Dialogs.h"
#include "platform/Twips.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace {

constexpr int pixels(double twips)
{
    return int(Twips::toPixels(twips));
}

constexpr int kClientWidth = pixels(4455);   // 297 pixels
constexpr int kClientHeight = pixels(1800);  // 120 pixels
constexpr int kButtonTop = pixels(1095);

QPushButton *addButton(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                       const QColor &colour, int left)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(tip);
    button->setGeometry(left, kButtonTop, pixels(1215), pixels(495));
    button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }"
                                         "QPushButton:pressed { border-style: inset; }")
                              .arg(colour.name()));
    return button;
}

}  // namespace

// The description text box fills the window; the buttons sit over its lower
// part, so the text keeps clear of them.
class DescriptionBox : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;
    void keepClearBelow(int height) { setViewportMargins(0, 0, 0, height); }

    // A description only shown is read-only rather than disabled: it keeps
    // the colours of text to read, and can still be selected and copied. It
    // shows no cursor, which would invite typing.
    void setTypable(bool typable) { setReadOnly(!typable); }
    bool isTypable() const { return !isReadOnly(); }
};

PictureInfoWindow::PictureInfoWindow(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window)
    , m_context(context)
{
    setObjectName(QStringLiteral("frmDiscription"));
    setWindowTitle(QStringLiteral("Picture Information"));
    resize(kClientWidth, kClientHeight);
    WindowKit::setBackground(this, Qt::white);

    m_text = new DescriptionBox(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->keepClearBelow(kClientHeight - kButtonTop);
    WindowKit::describe(m_text, QStringLiteral("Description"));

    m_editButton = addButton(this, "CmdEdit", QStringLiteral("&Edit"), QStringLiteral("Click to edit the discription"),
                             QColor(255, 192, 192), pixels(165));
    m_deleteButton = addButton(this, "cmdDelete", QStringLiteral("&Delete"),
                               QStringLiteral("Click to delete the discription from the database"),
                               QColor(255, 128, 128), pixels(1665));
    m_closeButton = addButton(this, "cmdClose", QStringLiteral("&Close"), QStringLiteral("Click to close the database"),
                              QColor(192, 255, 192), pixels(3135));
    connect(m_editButton, &QPushButton::clicked, this, &PictureInfoWindow::CmdEdit_Click);
    connect(m_deleteButton, &QPushButton::clicked, this, &PictureInfoWindow::cmdDelete_Click);
    connect(m_closeButton, &QPushButton::clicked, this, &PictureInfoWindow::cmdClose_Click);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_closeButton, &QPushButton::click);

    m_buttonTimer = new QTimer(this);
    m_buttonTimer->setObjectName(QStringLiteral("Timer1"));
    m_buttonTimer->setInterval(20);
    connect(m_buttonTimer, &QTimer::timeout, this, &PictureInfoWindow::showButtons);
    m_buttonTimer->start();
    navigator.installHelpKey(this);
}

PictureInfoWindow::~PictureInfoWindow() = default;

QString PictureInfoWindow::text() const
{
    return m_text->toPlainText();
}

void PictureInfoWindow::setEditAndDeleteVisible(bool visible)
{
    m_editButton->setVisible(visible);
    m_deleteButton->setVisible(visible);
}

void PictureInfoWindow::activated()
{
    const Session &session = m_context.session;
    // Coming back to the window for the same picture keeps what is being typed.
    const bool samePosition =
        session.album == m_shownAlbum && session.page == m_shownPage && session.picture == m_shownPicture;
    if (samePosition && !m_shownAlbum.isNull() && isVisible() && (m_edit || m_text->isTypable()))
        return;
    if (m_shownAlbum.isNull())
        WindowKit::centreOnScreen(this, m_context.screen);
    m_shownAlbum = session.album;
    m_shownPage = session.page;
    m_shownPicture = session.picture;
    m_edit = false;

    m_text->clear();
    setWindowTitle(QStringLiteral("Picture information - - - Searching"));
    m_text->setGeometry(0, 0, width(), height());
    m_text->setTypable(false);
    m_editButton->raise();
    m_deleteButton->raise();
    m_closeButton->raise();

    m_records = m_context.descriptions.records(RecordQuery::position(m_shownAlbum, m_shownPage, m_shownPicture));
    if (m_records->moveFirst()) {
        m_text->setPlainText(m_records->field(PictureRecord::kDiscription).toString());
        m_buttonTimer->start();
    } else {
        // Nothing to edit or delete without a row.
        setEditAndDeleteVisible(false);
        m_text->setTypable(true);
        m_text->setFocus();
    }
    setWindowTitle(QStringLiteral("Picture Information"));
}

void PictureInfoWindow::showButtons()
{
    m_closeButton->show();
    setEditAndDeleteVisible(!PictureRecord::isBlank(text()));
    QCoreApplication::processEvents();
    m_buttonTimer->stop();
}

void PictureInfoWindow::CmdEdit_Click()
{
    m_text->moveCursor(QTextCursor::End);
    m_text->setTypable(true);
    m_text->setFocus();
    setEditAndDeleteVisible(false);
    m_edit = true;
}

void PictureInfoWindow::cmdDelete_Click()
{
    setEditAndDeleteVisible(false);
    const Dialogs::Answer answer = m_context.dialogs.askYesNo(
        QStringLiteral("Are you sure that you want to delete this information"), Dialogs::kWarning);
    if (answer != Dialogs::Answer::Yes) {
        setEditAndDeleteVisible(true);
        return;
    }
    if (!m_records || !m_records->deleteCurrent()) {
        setEditAndDeleteVisible(true);
        return;
    }
    m_records->moveFirst();
    hide();
}

bool PictureInfoWindow::cmdClose_Click()
{
    const QString t = text();
    const std::shared_ptr<PictureRecordSet> records = m_records;
    if (PictureRecord::isBlank(t) && m_edit) {
        // Erased while editing: the description goes.
        if (records && records->hasCurrent() && !records->deleteCurrent())
            return false;
        if (records)
            records->moveFirst();
        m_edit = false;
        hide();
        return true;
    }
    if (PictureRecord::isBlank(t) || !m_text->isTypable()) {
        hide();
        return true;
    }
    bool stored = false;
    if (!m_edit) {
        // The picture shown here, even if the album page has moved on since.
        stored = records && records->addNew(PictureRecord{m_shownAlbum, m_shownPage, m_shownPicture, t});
    } else {
        stored = records && records->setDescription(t);
    }
    // What could not be stored stays on screen; the database layer has said why.
    if (!stored)
        return false;
    m_edit = false;
    hide();
    return true;
}

void PictureInfoWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // Shown again later, the window reads the description afresh, even for
    // the same picture.
    m_shownAlbum = QString();
}

void PictureInfoWindow::closeEvent(QCloseEvent *event)
{
    if (!cmdClose_Click()) {
        event->ignore();
        return;
    }
    event->accept();
    // Closed by its frame, the window is as good as new for the next showing.
    m_edit = false;
    m_shownAlbum = QString();
    m_buttonTimer->start();
}
