#include "albumpage/PictureFilePicker.h"

#include "albumpage/EditController.h"
#include "albumpage/ViewerPreview.h"
#include "albumstore/PictureLoader.h"
#include "albumstore/SourceFolders.h"
#include "app/ProgramValues.h"
#include "app/WindowOwner.h"
#include "platform/Dialogs.h"
#include "widgets/FolderList.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <cmath>

namespace {

const QString kWarning = QStringLiteral("WARNING");
constexpr int kPreviewSide = int(ViewerPreview::kSquareTwips / 15);  // 281 pixels

}  // namespace

PictureFilePicker::PictureFilePicker(WindowOwner &owner, EditController &editing, QWidget *parent)
    : QDialog(parent)
    , m_owner(owner)
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

    m_open = new PictureView(this);
    m_open->setObjectName(QStringLiteral("open"));
    m_open->setGeometry(0, 0, kPreviewSide, kPreviewSide);
    WindowKit::describe(m_open, QStringLiteral("Preview"));

    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setWordWrap(true);
    m_label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    WindowKit::setBackground(m_label1, QColor(255, 255, 0));
    m_label1->setGeometry(0, kPreviewSide + 6, kPreviewSide, 44);

    m_drive1 = new QComboBox(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_drive1->setToolTip(QStringLiteral("Select the drive containing the pictures"));
    m_drive1->setGeometry(296, 8, 334, 28);
    WindowKit::describe(m_drive1, QStringLiteral("Drives"));

    m_dir1 = new QListWidget(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setToolTip(QStringLiteral("Double click the folder containing the pictures"));
    m_dir1->setGeometry(296, 42, 334, 150);
    WindowKit::describe(m_dir1, QStringLiteral("Folders"));

    m_file1 = new QListWidget(this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_file1->setToolTip(QStringLiteral("Click to select the image file"));
    QFont times(QStringLiteral("Times New Roman"));
    times.setStyleHint(QFont::Serif);
    times.setPointSize(11);
    m_file1->setFont(times);
    m_file1->setGeometry(296, 198, 334, 150);
    WindowKit::describe(m_file1, QStringLiteral("Picture files"));

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

    connect(m_drive1, &QComboBox::activated, this, [this](int) { Drive1_Change(); });
    connect(m_dir1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { setFolder(item->data(Qt::UserRole).toString()); });
    // A click or the arrow keys preview a file; the file already shown is not
    // decoded again.
    connect(m_file1, &QListWidget::currentTextChanged, this, [this](const QString &name) {
        if (!name.isEmpty() && QDir(m_folder).filePath(name) != selectedPath())
            File1_Click(name);
    });
    connect(select, &QPushButton::clicked, this, &PictureFilePicker::Command2_Click);
    connect(exit, &QPushButton::clicked, this, &PictureFilePicker::Command1_Click);
    m_owner.installHelpKey(this);

    fillDrives();
    QString start = QDir::currentPath();
    if (QDir(start).isRoot())
        start = QDir::homePath();
    setFolder(start);
}

PictureFilePicker::~PictureFilePicker() = default;

void PictureFilePicker::fillDrives()
{
    m_drive1->clear();
    const QList<SourceFolders::Drive> drives = SourceFolders::drives();
    for (const SourceFolders::Drive &drive : drives)
        m_drive1->addItem(drive.caption, drive.root);
}

void PictureFilePicker::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void PictureFilePicker::Form_Activate()
{
    m_owner.context().values.ViewerExited = false;
}

void PictureFilePicker::Drive1_Change()
{
    setFolder(m_drive1->currentData().toString());
}

void PictureFilePicker::setFolder(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) {
        m_owner.context().dialogs.message(
            QStringLiteral("The folder %1 cannot be opened.").arg(QDir::toNativeSeparators(folder)), kWarning,
            Dialogs::Icon::Warning);
        return;
    }
    m_folder = dir.absolutePath();
    Dir1_Change();
}

void PictureFilePicker::Dir1_Change()
{
    fillFolders();
    fillFiles();
}

void PictureFilePicker::fillFolders()
{
    FolderList::show(m_dir1, m_folder);
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
    m_file1->clear();
    m_file1->addItems(pictureFiles(m_folder));
}

QString PictureFilePicker::selectedPath() const
{
    return m_label1->text().isEmpty() ? QString() : QDir::fromNativeSeparators(m_label1->text());
}

void PictureFilePicker::File1_Click(const QString &fileName)
{
    const QString path = QDir(m_folder).filePath(fileName);
    m_label1->setText(QDir::toNativeSeparators(path));
    m_open->hide();
    const DecodedPicture picture =
        PictureLoader::decodeFitted(path, QSize(kPreviewSide, kPreviewSide) * devicePixelRatioF());
    if (picture.isNull()) {
        m_open->clearPicture();
        return;
    }
    m_open->setPicture(picture);
    const QRectF twips = ViewerPreview::fit(picture.naturalSize);
    m_open->setGeometry(int(std::lround(twips.left() / 15)), int(std::lround(twips.top() / 15)),
                        int(std::lround(twips.width() / 15)), int(std::lround(twips.height() / 15)));
    m_open->show();
}

void PictureFilePicker::Command2_Click()
{
    Dialogs &dialogs = m_owner.context().dialogs;
    const QString path = selectedPath();
    if (path.isEmpty()) {
        const auto answer = dialogs.askYesNo(
            QStringLiteral("No picture has been selected.\r\nDo you want to select a picture?"), kWarning);
        if (answer == Dialogs::Answer::No)
            Command1_Click();
        return;
    }
    if (!m_open->hasPicture()) {
        dialogs.message(QStringLiteral("%1 is not a picture KoLumbra can show.\r\nPlease select another file.")
                            .arg(QDir::toNativeSeparators(path)),
                        kWarning, Dialogs::Icon::Warning);
        return;
    }
    m_editing.showInstruction(QStringLiteral("Click on the empty position where you want to add the image."));
    hide();
}

void PictureFilePicker::Command1_Click()
{
    ProgramValues &v = m_owner.context().values;
    v.ViewerExited = true;
    v.ImgAddOn = false;
    m_editing.EndEditMode();
    hide();
}

void PictureFilePicker::reject()
{
    // Closing the viewer by its frame or with Esc ends adding, as "E&xit" does.
    Command1_Click();
}
