#include "albumpage/PictureFilePicker.h"

#include "albumpage/EditController.h"
#include "albumpage/ViewerPreview.h"
#include "albumstore/DesktopThumbnails.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/SourceFolders.h"
#include "app/AppContext.h"
#include "app/Navigator.h"
#include "platform/Dialogs.h"
#include "platform/Twips.h"
#include "widgets/DriveBox.h"
#include "widgets/FolderList.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kPreviewSide = int(Twips::toPixels(ViewerPreview::kSquareTwips));  // 281 pixels

}  // namespace

PictureFilePicker::PictureFilePicker(AppContext &context, Navigator &navigator, EditController &editing,
                                     QWidget *parent)
    : QDialog(parent)
    , m_context(context)
    , m_editing(editing)
{
    setObjectName(QStringLiteral("dview"));
    setWindowTitle(QStringLiteral("Navigate to and then select picture that you want to add."));
    WindowKit::setBackground(this, Qt::white);
    setFixedSize(640, 410);

    // A faint frame shows where the preview goes before there is one.
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setStyleSheet(QStringLiteral("QFrame { color: #d0d0d0; }"));
    frame->setGeometry(0, 0, kPreviewSide, kPreviewSide);

    m_preview = new PictureView(this);
    m_preview->setObjectName(QStringLiteral("open"));
    m_preview->setGeometry(0, 0, kPreviewSide, kPreviewSide);
    WindowKit::describe(m_preview, QStringLiteral("Preview"));

    m_chosenPath = new QLabel(this);
    m_chosenPath->setObjectName(QStringLiteral("Label1"));
    m_chosenPath->setWordWrap(true);
    m_chosenPath->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_chosenPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    WindowKit::setBackground(m_chosenPath, QColor(255, 255, 0));
    m_chosenPath->setGeometry(0, kPreviewSide + 6, kPreviewSide, 44);

    m_drives = new DriveBox(this);
    m_drives->setObjectName(QStringLiteral("Drive1"));
    m_drives->setToolTip(QStringLiteral("Select the drive containing the pictures"));
    m_drives->setGeometry(296, 8, 334, 28);
    WindowKit::describe(m_drives, QStringLiteral("Drives"));

    m_folders = new QListWidget(this);
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_folders->setToolTip(QStringLiteral("Double click the folder containing the pictures"));
    m_folders->setGeometry(296, 42, 334, 150);
    WindowKit::describe(m_folders, QStringLiteral("Folders"));

    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("File1"));
    m_files->setToolTip(QStringLiteral("Click to select the image file"));
    QFont times(QStringLiteral("Times New Roman"));
    times.setStyleHint(QFont::Serif);
    times.setPointSize(11);
    m_files->setFont(times);
    m_files->setGeometry(296, 198, 334, 150);
    WindowKit::describe(m_files, QStringLiteral("Picture files"));

    auto *select = new QPushButton(QStringLiteral("&Select"), this);
    select->setObjectName(QStringLiteral("Command2"));
    select->setToolTip(QStringLiteral("Click to enter the picture in the active page"));
    select->setGeometry(296, 362, 160, 36);
    select->setDefault(true);
    auto *exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("Command1"));
    exit->setToolTip(QStringLiteral("Click to exit the edit mode"));
    exit->setGeometry(470, 362, 160, 36);
    exit->setAutoDefault(false);

    connect(m_drives, &DriveBox::activated, this, [this](int) { Drive1_Change(); });
    connect(m_folders, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setFolder(item->data(Qt::UserRole).toString()); });
    // A click or the arrow keys preview a file; the file already shown is not
    // decoded again.
    connect(m_files, &QListWidget::currentTextChanged, this, [this](const QString &name) {
        if (!name.isEmpty() && QDir(m_folder).filePath(name) != selectedPath())
            File1_Click(name);
    });
    connect(select, &QPushButton::clicked, this, &PictureFilePicker::selectClicked);
    connect(exit, &QPushButton::clicked, this, &PictureFilePicker::exitClicked);
    navigator.installHelpKey(this);

    m_drives->fill();
    QString start = QDir::currentPath();
    if (QDir(start).isRoot())
        start = QDir::homePath();
    setFolder(start);
}

PictureFilePicker::~PictureFilePicker() = default;

void PictureFilePicker::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_exited = false;
}

void PictureFilePicker::Drive1_Change()
{
    setFolder(m_drives->chosenRoot());
}

void PictureFilePicker::setFolder(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) {
        m_context.dialogs.message(
            QStringLiteral("The folder %1 cannot be opened.").arg(QDir::toNativeSeparators(folder)), Dialogs::kWarning,
            Dialogs::Icon::Warning);
        return;
    }
    m_folder = dir.absolutePath();
    folderChanged();
}

void PictureFilePicker::folderChanged()
{
    fillFolders();
    fillFiles();
}

void PictureFilePicker::fillFolders()
{
    FolderList::show(m_folders, m_folder);
}

QStringList PictureFilePicker::pictureFiles(const QString &folder)
{
    static const QStringList patterns = {"*.bmp", "*.wmf", "*.ico", "*.rle", "*.jpg", "*.gif", "*.jpeg", "*.png"};
    QDir dir(folder);
    // Name filters ignore letter case unless told otherwise: cameras write .JPG.
    dir.setNameFilters(patterns);
    QStringList files = dir.entryList(QDir::Files, QDir::NoSort);
    SourceFolders::sortByName(files);
    return files;
}

void PictureFilePicker::fillFiles()
{
    m_files->clear();
    m_files->addItems(pictureFiles(m_folder));
}

QString PictureFilePicker::selectedPath() const
{
    return m_chosenPath->text().isEmpty() ? QString() : QDir::fromNativeSeparators(m_chosenPath->text());
}

void PictureFilePicker::File1_Click(const QString &fileName)
{
    const QString path = QDir(m_folder).filePath(fileName);
    m_chosenPath->setText(QDir::toNativeSeparators(path));
    m_preview->hide();
    const DecodedPicture picture =
        DesktopThumbnails::decodeFitted(path, QSize(kPreviewSide, kPreviewSide) * devicePixelRatioF());
    if (picture.isNull()) {
        m_preview->clearPicture();
        return;
    }
    m_preview->setPicture(picture);
    const QRectF twips = ViewerPreview::fit(picture.naturalSize);
    m_preview->setGeometry(Twips::toPixelRect(twips));
    m_preview->show();
}

void PictureFilePicker::selectClicked()
{
    Dialogs &dialogs = m_context.dialogs;
    const QString path = selectedPath();
    if (path.isEmpty()) {
        const auto answer = dialogs.askYesNo(
            QStringLiteral("No picture has been selected.\r\nDo you want to select a picture?"), Dialogs::kWarning);
        if (answer == Dialogs::Answer::No)
            exitClicked();
        return;
    }
    if (!m_preview->hasPicture()) {
        dialogs.message(QStringLiteral("%1 is not a picture KoLumbra can show.\r\nPlease select another file.")
                            .arg(QDir::toNativeSeparators(path)),
                        Dialogs::kWarning, Dialogs::Icon::Warning);
        return;
    }
    m_editing.showInstruction(QStringLiteral("Click on the empty position where you want to add the image."));
    hide();
}

void PictureFilePicker::exitClicked()
{
    m_exited = true;
    m_editing.endEditMode();
    hide();
}

void PictureFilePicker::reject()
{
    // Closing the viewer by its frame or with Esc ends adding, as "E&xit" does.
    exitClicked();
}
