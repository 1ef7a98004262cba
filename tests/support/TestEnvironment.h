#pragma once

#include "albumstore/AlbumStore.h"
#include "app/Session.h"
#include "app/Settings.h"
#include "app/WindowOwner.h"
#include "pictureinfo/Descriptions.h"
#include "platform/HelpLauncher.h"
#include "platform/QtPrinterSeam.h"
#include "platform/ScreenMetrics.h"
#include "support/ScriptedDialogs.h"

#include <QColor>
#include <QDir>
#include <QList>
#include <QPair>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class AlbumPageWindow;

// A screen of any size.
class FakeScreen : public ScreenMetrics
{
public:
    QSize size{1024, 768};
    QSize screenSize() const override { return size; }
    QRect availableGeometry() const override { return QRect(QPoint(0, 0), size); }
};

// Records what help was asked for instead of opening it.
class HelpRecorder : public HelpLauncher
{
public:
    QList<QPair<HelpFormat, QString>> opened;
    void showContents(HelpFormat format, const QString &helpFile) override { opened << qMakePair(format, helpFile); }
};

// Qt's own printing, with the default printer writing into a PDF file and the
// file dialog answered from a script. Every page printed is kept as well.
class PdfPrinter : public QtPrinterSeam
{
public:
    struct Page
    {
        QImage picture;
        QPageLayout::Orientation orientation;
        QSizeF printable;  // points
        QRectF placed;     // points
        QString file;
    };

    QString printerName = QStringLiteral("PDF test printer");  // empty: no printer installed
    QString printerFile;                                       // where the default printer's pages go
    QString pdfFileAnswer;                                     // what the file dialog returns; empty: the user cancels
    QStringList pdfSuggestions;                                // the names the file dialog offered
    QList<Page> pages;                                         // the pages sent successfully

    QString defaultPrinter() const override { return printerName; }
    QString askPdfFileName(const QString &suggestedName) override;
    bool printPage(const QImage &picture, QPageLayout::Orientation orientation, const Placement &place,
                   const QString &pdfFile = {}) override;
};

// Everything a window needs, in a temporary program folder holding the
// delivered files, with settings in a temporary configuration folder and a
// temporary home.
class TestEnvironment
{
public:
    explicit TestEnvironment(const QSize &screenSize = QSize(1024, 768));
    // Another program on a program folder that exists already (a second copy
    // of the program, a folder on a small disk).
    explicit TestEnvironment(const QString &programFolder, const QSize &screenSize = QSize(1024, 768));
    // A later start of the program on the program folder and the settings an
    // earlier one left behind.
    TestEnvironment(const QString &programFolder, const QString &configFolder,
                    const QSize &screenSize = QSize(1024, 768));
    ~TestEnvironment();

    QString programFolder() const { return store.programFolder(); }
    QString configFolder() const { return m_configFolder; }
    // The temporary home, and the desktop's cache in it ($XDG_CACHE_HOME).
    QDir home() const { return QDir(m_home.path()); }
    QString cacheFolder() const { return m_home.filePath(QStringLiteral(".cache")); }
    // A later start of the program by the same user: the cache of an earlier one.
    void useCacheOf(const TestEnvironment &earlier) const;
    // Every entry of the cache, by its path under $XDG_CACHE_HOME/thumbnails.
    QStringList thumbnailEntries() const;
    // Empties the cache, as before any picture was ever drawn.
    void emptyThumbnailCache() const;

    // The window owner, created on first use; ending the program only counts.
    WindowOwner &owner();
    int endCount() const { return m_endCount; }

    // Opens an album from the album list as a user would (select, double
    // click) and waits until page 1 is loaded; null when it did not load.
    AlbumPageWindow *openAlbum(const QString &name);

    // Makes an album folder and returns its path.
    QString makeAlbum(const QString &name) const;
    // The path of a file in an album folder. Tests name picture files in full
    // ("P2I5.bmp" is picture 6 of page 2) and never ask the program for the
    // name, so that a wrong name in the program cannot pass unseen.
    QString albumFile(const QString &album, const QString &fileName) const;
    // Writes a picture of the given size in the format the extension names
    // (a format can be forced, to store one kind under another's name).
    QString putPicture(const QString &album, const QString &fileName, const QSize &size,
                       const QColor &colour = Qt::darkCyan, const char *format = nullptr) const;
    // Copies a file into an album folder under the given name.
    QString putFile(const QString &album, const QString &fileName, const QString &source) const;

    static QString testData(const QString &relative);
    static QString deliveredData(const QString &name);

    FakeScreen screen;
    HelpRecorder help;
    ScriptedDialogs dialogs;
    Session session;
    PdfPrinter printer;

private:
    QTemporaryDir m_folder;
    QTemporaryDir m_config;
    QTemporaryDir m_printed;
    // A home of its own, so that what the program puts in the desktop's
    // trash never reaches the real one.
    QTemporaryDir m_home;
    QByteArray m_previousHome;
    QByteArray m_previousCacheHome;
    QString m_configFolder;

public:
    AlbumStore store;
    Settings settings;
    Descriptions descriptions{store, dialogs};

private:
    std::unique_ptr<WindowOwner> m_owner;
    int m_endCount = 0;
};
