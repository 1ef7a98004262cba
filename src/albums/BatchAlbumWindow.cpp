#include "albums/BatchAlbumWindow.h"

#include "albums/AlbumManager.h"
#include "albums/FolderSummary.h"
#include "albumstore/AlbumName.h"
#include "albumstore/AlbumStore.h"
#include "albumstore/PartFiles.h"
#include "albumstore/TypedNumber.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "app/Session.h"
#include "platform/Dialogs.h"
#include "widgets/DriveBox.h"
#include "widgets/FolderList.h"
#include "widgets/WindowKit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString kInstruction = QStringLiteral(
    "Navigate to and select the folder containing the pictures you want to put in the album. Then press <Select>");
const QString kGaveUp = QStringLiteral(
    "You either did not enter anything or pressed <Clear>.\r\nYou will be returned to the Select Album Page.");

// How often a long run lets the windows answer the user.
constexpr qint64 kEventsEveryMs = 50;

// The folder list: a double click opens a folder. Enter opens the folder
// chosen with the arrow keys; on the folder already open it is left to the
// window, where it presses "&Select".
class FolderListBox : public QListWidget
{
public:
    FolderListBox(BatchAlbumWindow &form, QWidget *parent)
        : QListWidget(parent)
        , m_form(form)
    {
        connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { open(item); });
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QListWidget::keyPressEvent(event);
            return;
        }
        QListWidgetItem *item = currentItem();
        if (item && item->data(Qt::UserRole).toString() != m_form.folder()) {
            open(item);
            return;
        }
        event->ignore();
    }

private:
    void open(QListWidgetItem *item) { m_form.setFolder(item->data(Qt::UserRole).toString()); }

    BatchAlbumWindow &m_form;
};

QString startingFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool sameFolder(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// A line of the label with a path between `before` and `after`, the path
// cut short in its middle when the line is too long, so that both its start
// and the folder's own name show. Wrapped, it would break in the middle of a
// name.
QString pathOnOneLine(const QLabel *label, const QString &before, const QString &path, const QString &after)
{
    const QFontMetrics metrics(label->font());
    const int room = label->contentsRect().width() - metrics.horizontalAdvance(before + after);
    return before + metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, std::max(room, 0)) + after;
}

}  // namespace

BatchAlbumWindow::BatchAlbumWindow(AppContext &context, Navigator &navigator)
    : QWidget(nullptr, Qt::Window)
    , m_context(context)
    , m_navigator(navigator)
    , m_move(this)
{
    setObjectName(QStringLiteral("frmBatch"));
    setWindowTitle(QStringLiteral("Batch file Album Creator"));
    WindowKit::setBackground(this, Qt::white);
    setFont(WindowKit::arial(10));
    setFixedSize(640, 453);
    buildControls();
    m_navigator.installHelpKey(this);

    connect(&m_move, &BatchMove::progressed, this, [this](int movedThisRun, int) { moved(movedThisRun); });
    connect(&m_move, &BatchMove::copying, this, [this] { letEventsRun(); });

    fillDrives();
    setFolder(startingFolder());
    if (m_context.session.screenRatio != 1.0)
        WindowKit::centreOnScreen(this, m_context.screen);
}

BatchAlbumWindow::~BatchAlbumWindow() = default;

void BatchAlbumWindow::buildControls()
{
    m_instruction = new QLabel(this);
    m_instruction->setObjectName(QStringLiteral("lbl1"));
    m_instruction->setWordWrap(true);
    m_instruction->setAlignment(Qt::AlignCenter);
    m_instruction->setFont(WindowKit::arial(11, true));
    m_instruction->setGeometry(20, 8, 600, 56);

    m_chooser = new QFrame(this);
    m_chooser->setObjectName(QStringLiteral("Frame1"));
    m_chooser->setFrameShape(QFrame::Box);
    WindowKit::setBackground(m_chooser, WindowKit::pageBlue());
    m_chooser->setGeometry(40, 72, 560, 288);

    m_drives = new DriveBox(m_chooser);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    m_drives->setToolTip(QStringLiteral("Select the drive with the pictures"));
    m_drives->setGeometry(16, 16, 360, 30);
    WindowKit::describe(m_drives, QStringLiteral("Drives"));
    connect(m_drives, &DriveBox::activated, this, [this](int) { Drive1_Change(); });

    m_selectButton = new QPushButton(QStringLiteral("&Select"), m_chooser);
    m_selectButton->setObjectName(QStringLiteral("cmdSelectFolder"));
    m_selectButton->setToolTip(QStringLiteral("Click to start the album creation"));
    m_selectButton->setFont(WindowKit::arial(10, true));
    WindowKit::setBackground(m_selectButton, QColor(128, 128, 255));
    m_selectButton->setDefault(true);
    m_selectButton->setGeometry(392, 12, 152, 38);
    connect(m_selectButton, &QPushButton::clicked, this, &BatchAlbumWindow::cmdSelectFolder_Click);

    m_folders = new FolderListBox(*this, m_chooser);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_folders->setToolTip(QStringLiteral("Double click to select the folder containing the pictures"));
    m_folders->setGeometry(16, 60, 528, 178);
    WindowKit::describe(m_folders, QStringLiteral("Folders"));

    // What Select would move, told before it is pressed.
    m_folderCount = new QLabel(m_chooser);
    m_folderCount->setObjectName(QStringLiteral("lblFolderCount"));
    m_folderCount->setWordWrap(true);
    m_folderCount->setGeometry(16, 242, 528, 38);

    m_progressText = new QLabel(this);
    m_progressText->setObjectName(QStringLiteral("lbl2"));
    m_progressText->setWordWrap(true);
    m_progressText->setAlignment(Qt::AlignCenter);
    m_progressText->setFont(WindowKit::arial(10, true));
    m_progressText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Shown only while the chooser is hidden: it has the chooser's room.
    m_progressText->setGeometry(20, 72, 600, 350);
    m_progressText->hide();

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("prgMoved"));
    m_progress->setFormat(QStringLiteral("%v of %m files moved"));
    m_progress->setGeometry(40, 428, 560, 18);
    WindowKit::describe(m_progress, QStringLiteral("Files moved"));
    m_progress->hide();

    WindowKit::addCancelButton(this, this, QStringLiteral("cmdExc"), QStringLiteral("Command2"),
                               [this] { cmdExc_Click(); });
}

void BatchAlbumWindow::activated()
{
    // A run going on keeps its folder: the frame comes back when it ends.
    if (m_running)
        return;
    // A batch move killed part way left its partial copy in an album.
    PartFiles::removeStaleInAlbums(m_context.store);
    // What a run that stopped said gives way to the chooser, where it lay.
    m_progressText->clear();
    m_progressText->setToolTip(QString());
    m_progressText->hide();
    m_progress->hide();
    m_chooser->setEnabled(true);
    m_chooser->show();
    m_instruction->setText(kInstruction);
    m_instruction->show();
    fillDrives();
    if (!QFileInfo(m_folder).isDir())
        m_folder = QDir::homePath();
    fillFolders();
}

void BatchAlbumWindow::fillDrives()
{
    // The drive shown is the one the open folder lies on.
    m_drives->fill();
    m_drives->chooseDriveOf(m_folder);
}

void BatchAlbumWindow::Drive1_Change()
{
    if (!setFolder(m_drives->chosenRoot()))
        fillDrives();
}

bool BatchAlbumWindow::setFolder(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || !QDir(folder).isReadable()) {
        warn(QStringLiteral("The folder %1 cannot be opened.").arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    m_folder = QDir(folder).absolutePath();
    fillFolders();
    return true;
}

void BatchAlbumWindow::fillFolders()
{
    FolderList::show(m_folders, m_folder);
    m_folderCount->setText(FolderSummary::of(m_folder).text());
}

void BatchAlbumWindow::warn(const QString &text)
{
    m_context.dialogs.message(text, Dialogs::kWarning, Dialogs::Icon::Warning);
}

void BatchAlbumWindow::cmdSelectFolder_Click()
{
    if (m_running)
        return;
    AppContext &c = m_context;
    const QString source = m_folder;
    if (sameFolder(source, c.store.programFolder())) {
        warn(QStringLiteral("The folder %1 holds KoLumbra's own files, which must stay where they are.\r\n"
                            "Please choose the folder with your pictures.")
                 .arg(QDir::toNativeSeparators(source)));
        return;
    }
    const QScopedValueRollback<bool> running(m_running, true);
    m_movedBefore = 0;
    for (;;) {
        m_chooser->setEnabled(false);
        m_chooser->hide();
        m_instruction->clear();
        m_instruction->hide();
        m_progressText->clear();
        m_progressText->hide();

        // Read anew for a further album: only what is left is listed. Only
        // pictures go in; every other file stays, and the user is told.
        const BatchMove::Source listing = BatchMove::readSource(source);
        const QStringList &files = listing.pictures;
        QCoreApplication::processEvents();

        const std::optional<Start> start = askForAlbum();
        if (!start) {
            giveUp();
            return;
        }
        if (sameFolder(source, start->albumFolder)) {
            warn(QStringLiteral("The files of %1 are in that album already.\r\nPlease give the name of another album.")
                     .arg(QDir::toNativeSeparators(source)));
            continue;
        }
        QStringList progress;
        if (start->isNewAlbum) {
            progress << pathOnOneLine(m_progressText, QStringLiteral("Moving pictures to "), start->albumFolder,
                                      QString())
                     << QStringLiteral("Please wait");
        }
        if (!listing.left.isEmpty())
            progress << stayingLine(listing.left, source);
        if (!progress.isEmpty()) {
            m_progressText->setText(progress.join(QStringLiteral("\r\n")));
            m_progressText->show();
        }
        m_progress->setRange(0, m_movedBefore + int(files.size()));
        m_progress->setValue(m_movedBefore);
        m_progress->show();
        QCoreApplication::processEvents();
        m_sinceEvents.start();

        int page = start->page;
        int picture = start->picture;
        const BatchMove::Outcome outcome = m_move.run(source, files, start->albumFolder, page, picture);
        m_movedBefore += m_move.movedCount();
        const QList<BatchMove::LeftFile> staying = listing.left + m_move.leftFiles();
        switch (outcome) {
        case BatchMove::Outcome::AllMoved:
            // The window goes; what stayed behind is told before it does.
            if (!staying.isEmpty())
                m_context.dialogs.message(QStringLiteral("The pictures are in the album.\r\n")
                                              + BatchMove::leftText(staying, source),
                                          windowTitle(), Dialogs::Icon::Information);
            returnToAlbumList();
            return;
        case BatchMove::Outcome::AlbumFull:
            // The album is full: the rest go to a further album, asked for
            // with the same name question.
            QCoreApplication::processEvents();
            continue;
        case BatchMove::Outcome::Failed:
            tellFailure(source, staying);
            return;
        case BatchMove::Outcome::Cancelled:
            return;
        }
    }
}

std::optional<BatchAlbumWindow::Start> BatchAlbumWindow::askForAlbum()
{
    AppContext &c = m_context;
    for (;;) {
        const QString reply =
            c.dialogs.input(QStringLiteral("Input the name of the new album."), QStringLiteral("New Album Name"));
        if (reply.isEmpty())
            return std::nullopt;
        if (const std::optional<QString> problem = AlbumName::problem(reply)) {
            warn(*problem);
            continue;
        }
        QString album = existingAlbum(reply);
        if (album.isEmpty()) {
            const AlbumManager manager(c.store, c.descriptions, c.dialogs);
            if (const std::optional<QString> problem = manager.nameProblem(reply)) {
                warn(*problem);
                continue;
            }
            switch (manager.makeAlbumFolder(reply)) {
            case AlbumManager::Making::Made:
                return Start{c.store.albumFolder(reply), 1, 1, true};
            case AlbumManager::Making::Failed:
                continue;
            case AlbumManager::Making::Exists:
                album = reply;
                break;
            }
        }
        if (c.dialogs.askYesNo(
                QStringLiteral("That album name is allready in use.\r\nDo you want to add pictures to it?"),
                Dialogs::kWarning)
            != Dialogs::Answer::Yes)
            continue;
        return askStartingPosition(c.store.albumFolder(album));
    }
}

std::optional<BatchAlbumWindow::Start> BatchAlbumWindow::askStartingPosition(const QString &albumFolder)
{
    Dialogs &dialogs = m_context.dialogs;
    for (;;) {
        const QString pageReply = dialogs.input(
            QStringLiteral("Enter the starting page number where you want the picture to appear. ( 1 to 10)"),
            QStringLiteral("STARTING PAGE"));
        if (pageReply.isEmpty())
            return std::nullopt;
        const TypedNumber::Answer page = TypedNumber::parse(pageReply.trimmed(), AlbumStore::kPages);
        if (!page.accepted()) {
            warn(QStringLiteral("The page number must be between 1 and 10."));
            continue;
        }
        for (;;) {
            const QString pictureReply = dialogs.input(QStringLiteral("Enter the starting image number ( 1 - 6) "),
                                                       QStringLiteral("STARTING IMAGE NUMBER"));
            if (pictureReply.isEmpty())
                return std::nullopt;
            const TypedNumber::Answer picture =
                TypedNumber::parse(pictureReply.trimmed(), AlbumStore::kPicturesPerPage);
            if (picture.accepted())
                return Start{albumFolder, page.number, picture.number, false};
            warn(QStringLiteral("The image number must be between 1 and 6."));
        }
    }
}

QString BatchAlbumWindow::existingAlbum(const QString &name) const
{
    // Albums are told apart without regard to letter case, as their
    // descriptions are: "summer" adds to "Summer".
    const QStringList albums = m_context.store.albumNames();
    if (albums.contains(name))
        return name;
    for (const QString &album : albums) {
        if (album.compare(name, Qt::CaseInsensitive) == 0)
            return album;
    }
    return {};
}

void BatchAlbumWindow::giveUp()
{
    warn(kGaveUp);
    returnToAlbumList();
}

void BatchAlbumWindow::moved(int movedThisRun)
{
    m_progress->setValue(m_movedBefore + movedThisRun);
    letEventsRun();
}

void BatchAlbumWindow::letEventsRun()
{
    if (!m_sinceEvents.isValid() || m_sinceEvents.elapsed() >= kEventsEveryMs) {
        QCoreApplication::processEvents();
        m_sinceEvents.start();
    }
    // A program that ends stops the run before the next file.
    if (m_navigator.programEnded())
        m_move.cancel();
}

void BatchAlbumWindow::tellFailure(const QString &sourceFolder, const QList<BatchMove::LeftFile> &staying)
{
    const QString what = QStringLiteral("%1 could not be moved into the album as %2.\r\n%3\r\nThe files before it "
                                        "are in the album; it and the files after it are still in\r\n")
                             .arg(m_move.failedFile(), m_move.failedTarget(), m_move.failureReason());
    const QString howToLeave = QStringLiteral("\r\nPress Esc to close this window.");
    const QString stayed =
        staying.isEmpty() ? QString() : QStringLiteral("\r\n") + BatchMove::leftText(staying, sourceFolder);
    const QString text = what + QDir::toNativeSeparators(sourceFolder) + QLatin1Char('.') + howToLeave + stayed;
    // The path on a line of its own, shortened to fit; the whole of it in the
    // tooltip.
    m_progressText->setText(
        what + pathOnOneLine(m_progressText, QString(), sourceFolder, QStringLiteral(".")) + howToLeave
        + (staying.isEmpty() ? QString() : QStringLiteral("\r\n") + stayingLine(staying, sourceFolder)));
    m_progressText->setToolTip(text);
    m_progressText->show();
    // Hidden with Esc while it worked: the label alone would go unseen.
    if (!isVisible())
        warn(text);
}

QString BatchAlbumWindow::stayingLine(const QList<BatchMove::LeftFile> &staying, const QString &sourceFolder) const
{
    // The folder is shortened in its middle, so that the line does not break
    // inside a name.
    const QFontMetrics metrics(m_progressText->font());
    const QString folder = metrics.elidedText(QDir::toNativeSeparators(sourceFolder), Qt::ElideMiddle,
                                              m_progressText->contentsRect().width() / 2);
    return BatchMove::leftText(staying, folder);
}

void BatchAlbumWindow::returnToAlbumList()
{
    m_progressText->clear();
    m_progressText->setToolTip(QString());
    m_progressText->hide();
    m_progress->hide();
    m_navigator.showAlbumList();
    QCoreApplication::processEvents();
    hide();
}

void BatchAlbumWindow::cmdExc_Click()
{
    hide();
}

void BatchAlbumWindow::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_running && m_chooser->isVisible()
        && m_chooser->isEnabled()) {
        m_selectButton->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BatchAlbumWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    cmdExc_Click();
}
