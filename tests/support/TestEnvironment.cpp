#include "support/TestEnvironment.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumpage/ThumbnailGrid.h"
#include "albums/AlbumListWindow.h"
#include "albumstore/DesktopThumbnails.h"
#include "albumstore/ProgramFolder.h"
#include "widgets/PictureView.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QStandardPaths>
#include <QTest>

namespace {

QString preparedFolder(const QString &dir)
{
    ProgramFolder::prepare(dir, QStringLiteral(KOLUMBRA_DATA));
    return dir;
}

// Waits until the album page has finished loading a page.
bool waitForPage(AlbumPageWindow &form)
{
    return QTest::qWaitFor(
        [&form] {
            int checked = 0;
            for (int k = 1; k <= 10; ++k)
                checked += form.pageItem(k)->isChecked() ? 1 : 0;
            return !form.loadPending() && form.isEnabled() && checked == 1 && form.grid().view(1)->hasPicture();
        },
        5000);
}

}  // namespace

TestEnvironment::TestEnvironment(const QSize &screenSize)
    : TestEnvironment(QString(), screenSize)
{
}

TestEnvironment::TestEnvironment(const QString &programFolder, const QSize &screenSize)
    : TestEnvironment(programFolder, QString(), screenSize)
{
}

TestEnvironment::TestEnvironment(const QString &programFolder, const QString &configFolder, const QSize &screenSize)
    : m_configFolder(configFolder.isEmpty() ? m_config.path() : configFolder)
    , store(preparedFolder(programFolder.isEmpty() ? m_folder.path() : programFolder))
    , settings(m_configFolder)
{
    screen.size = screenSize;
    printer.printerFile = QDir(m_printed.path()).filePath(QStringLiteral("printed.pdf"));
    qputenv("XDG_CONFIG_HOME", m_configFolder.toLocal8Bit());
    m_previousHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(m_home.path()));
    // The desktop's thumbnail cache of the test, never the user's.
    m_previousCacheHome = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheFolder()));
    QStandardPaths::setTestModeEnabled(true);
}

TestEnvironment::~TestEnvironment()
{
    m_owner.reset();
    DesktopThumbnails::waitForWrites();
    qputenv("HOME", m_previousHome);
    qputenv("XDG_CACHE_HOME", m_previousCacheHome);
}

void TestEnvironment::useCacheOf(const TestEnvironment &earlier) const
{
    qputenv("XDG_CACHE_HOME", QFile::encodeName(earlier.cacheFolder()));
}

static QString thumbnailFolderIn(const QString &cacheFolder)
{
    return cacheFolder + QStringLiteral("/thumbnails");
}

void TestEnvironment::emptyThumbnailCache() const
{
    DesktopThumbnails::waitForWrites();
    QDir(thumbnailFolderIn(cacheFolder())).removeRecursively();
}

QStringList TestEnvironment::thumbnailEntries() const
{
    const QDir thumbnails(thumbnailFolderIn(cacheFolder()));
    QStringList entries;
    QDirIterator it(thumbnails.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << thumbnails.relativeFilePath(it.next());
    entries.sort();
    return entries;
}

WindowOwner &TestEnvironment::owner()
{
    if (!m_owner) {
        m_owner = std::make_unique<WindowOwner>(
            AppContext{session, store, settings, dialogs, screen, help, printer, descriptions});
        m_owner->setEndHandler([this] { ++m_endCount; });
    }
    return *m_owner;
}

QString TestEnvironment::makeAlbum(const QString &name) const
{
    const QString path = QDir(programFolder()).filePath(name);
    QDir().mkpath(path);
    return path;
}

QString TestEnvironment::albumFile(const QString &album, const QString &fileName) const
{
    return QDir(programFolder()).filePath(album + QLatin1Char('/') + fileName);
}

QString TestEnvironment::putPicture(const QString &album, const QString &fileName, const QSize &size,
                                    const QColor &colour, const char *format) const
{
    makeAlbum(album);
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = albumFile(album, fileName);
    const char *fmt =
        format ? format : (fileName.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive) ? "BMP" : "JPEG");
    image.save(path, fmt);
    return path;
}

QString TestEnvironment::putFile(const QString &album, const QString &fileName, const QString &source) const
{
    makeAlbum(album);
    const QString path = albumFile(album, fileName);
    QFile::remove(path);
    QFile::copy(source, path);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
    return path;
}

QString TestEnvironment::testData(const QString &relative)
{
    return QDir(QStringLiteral(KOLUMBRA_TESTDATA)).filePath(relative);
}

QString TestEnvironment::deliveredData(const QString &name)
{
    return QDir(QStringLiteral(KOLUMBRA_DATA)).filePath(name);
}

AlbumPageWindow *TestEnvironment::openAlbum(const QString &name)
{
    WindowOwner &o = owner();
    AlbumListWindow &list = o.albumList();
    o.present(list);
    const QList<QListWidgetItem *> items = list.list()->findItems(name, Qt::MatchExactly);
    if (items.isEmpty())
        return nullptr;
    list.list()->setCurrentItem(items.first());
    list.List1_DblClick();
    AlbumPageWindow &form = o.albumPage();
    return waitForPage(form) ? &form : nullptr;
}

QString PdfPrinter::askPdfFileName(const QString &suggestedName)
{
    pdfSuggestions << suggestedName;
    return pdfFileAnswer;
}

bool PdfPrinter::printPage(const QImage &picture, QPageLayout::Orientation orientation, const Placement &place,
                           const QString &pdfFile)
{
    Page page{picture, orientation, {}, {}, pdfFile.isEmpty() ? printerFile : pdfFile};
    const auto recordingPlace = [&page, &place](const QSizeF &printable) {
        page.printable = printable;
        page.placed = place(printable);
        return page.placed;
    };
    if (pdfFile.isEmpty() && printerName.isEmpty())
        return false;
    if (!QtPrinterSeam::printPage(picture, orientation, recordingPlace, page.file))
        return false;
    pages << page;
    return true;
}
