#include "albumstore/PictureLoader.h"
#include "display/PageSender.h"
#include "display/PrintLayout.h"
#include "display/frmDisplayPicture.h"
#include "platform/PictureView.h"
#include "platform/WindowKit.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

const QString kAlbum = QStringLiteral("Demo Album");

// Runs a function at the n-th time pending events are processed from now:
// each hop is posted anew and so waits for the next round.
void afterEventRounds(int rounds, std::function<void()> action)
{
    QMetaObject::invokeMethod(
        qApp,
        [rounds, action = std::move(action)]() mutable {
            if (rounds == 0)
                action();
            else
                afterEventRounds(rounds - 1, std::move(action));
        },
        Qt::QueuedConnection);
}

// The pages of a PDF file rendered at a low resolution; empty when the file
// cannot be rendered.
QList<QImage> renderPdf(const QString &file)
{
    QTemporaryDir out;
    const QStringList args{QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"), file,
                           out.filePath(QStringLiteral("page"))};
    if (QProcess::execute(QStringLiteral("pdftoppm"), args) != 0)
        return {};
    QList<QImage> pages;
    for (const QFileInfo &png : QDir(out.path()).entryInfoList({QStringLiteral("*.png")}, QDir::Files, QDir::Name))
        pages << QImage(png.filePath()).convertToFormat(QImage::Format_RGB32);
    return pages;
}

// The smallest rectangle holding every red pixel, and how many there are.
QRect redBounds(const QImage &image, int *count)
{
    QRect bounds;
    *count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QRgb p = image.pixel(x, y); qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60) {
                bounds |= QRect(x, y, 1, 1);
                ++*count;
            }
    return bounds;
}

// Shows a red picture of the given size in the single picture window, as
// position 3 of page 1 of the demo album.
frmDisplayPicture &showPicture(TestEnvironment &env, const QSize &size, const QSize &window = QSize(638, 458))
{
    const QString path = env.putPicture(kAlbum, 1, 3, QStringLiteral(".bmp"), size, Qt::red);
    env.values.AlbumName = kAlbum;
    env.values.PageNumber = 1;
    env.values.PictureNumber = 3;
    PictureView thumbnail;
    thumbnail.setPicture(PictureLoader::decodeFitted(path, QSize(160, 120)));
    frmDisplayPicture &display = env.owner().pictureWindow();
    display.resize(window);
    display.setPicture(thumbnail);
    env.owner().present(display);
    return display;
}

void print(frmDisplayPicture &display, const QString &command)
{
    display.findChild<QAction *>(command)->trigger();
}

// No print running: no button, no label, nothing held, a light blue window.
void checkIdle(frmDisplayPicture &display)
{
    QVERIFY(!display.findChild<QPushButton *>(QStringLiteral("cmdCancelPrint"))->isVisible());
    QVERIFY(!display.findChild<QLabel *>(QStringLiteral("Label2"))->isVisible());
    QVERIFY(display.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());
    QCOMPARE(display.palette().color(QPalette::Window), WindowKit::pageBlue());
    QVERIFY(display.findChild<QAction *>(QStringLiteral("mnuPrint"))->isEnabled());
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private slots:
    void fitting_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSizeF>("printable");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<QRectF>("placed");

        const auto L = QPageLayout::Landscape;
        const auto P = QPageLayout::Portrait;
        QTest::newRow("4:3 picture, 4:3 page: full width") << QSize(4000, 3000) << QSizeF(800, 600) << L
                                                          << QRectF(0, 0, 800, 600);
        QTest::newRow("4:3 picture, wider page: full height") << QSize(4000, 3000) << QSizeF(782, 535) << L
                                                             << QRectF(0, 0, 535 * 4.0 / 3.0, 535);
        QTest::newRow("upright picture: portrait, top left") << QSize(3000, 4000) << QSizeF(535, 782) << P
                                                            << QRectF(0, 0, 535, 535 * 4.0 / 3.0);
        QTest::newRow("square: portrait") << QSize(1000, 1000) << QSizeF(535, 782) << P << QRectF(0, 0, 535, 535);
        QTest::newRow("one pixel wider than tall: landscape") << QSize(1001, 1000) << QSizeF(782, 535) << L
                                                             << QRectF(0, 0, 535 * 1.001, 535);
        QTest::newRow("no picture: nothing drawn") << QSize(0, 0) << QSizeF(535, 782) << P << QRectF();
    }

    void fitting()
    {
        QFETCH(QSize, natural);
        QFETCH(QSizeF, printable);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(QRectF, placed);
        QCOMPARE(PrintLayout::orientationFor(natural), orientation);
        QCOMPARE(PrintLayout::fitted(natural, printable), placed);
    }

    // A small print keeps the window's size on the screen unless the page is
    // too small for it.
    void screenSize_data()
    {
        QTest::addColumn<QSizeF>("window");
        QTest::addColumn<QRectF>("placed");
        QTest::newRow("fits: as on the screen") << QSizeF(478.5, 343.5) << QRectF(0, 0, 478.5, 343.5);
        QTest::newRow("too wide: shrunk to the width") << QSizeF(1070, 400) << QRectF(0, 0, 535, 200);
        QTest::newRow("too tall: shrunk to the height") << QSizeF(300, 1564) << QRectF(0, 0, 150, 782);
    }

    void screenSize()
    {
        QFETCH(QSizeF, window);
        QFETCH(QRectF, placed);
        QCOMPARE(PrintLayout::atScreenSize(window, QSizeF(535, 782)), placed);
    }

    void pdfNameKeepsTheAlbumName()
    {
        QCOMPARE(PageSender::pdfNameFor(QStringLiteral("50% %2 off"), 10, 6),
                 QStringLiteral("50% %2 off P10 picture 6.pdf"));
    }

    // Either print sends one page holding the window as it looks, on white,
    // without the button or the label: the big one turned as the window is
    // shaped and as large as the page allows, the small one upright. The
    // window is light blue afterwards, whatever it was before.
    void printSendsTheWindowOnWhite_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        // A wide, low picture leaves the top of the window, where the button
        // and the label sit, free.
        QTest::newRow("big, wide window: landscape") << "mnuBig" << QSize(638, 458) << QSize(400, 100)
                                                     << QPageLayout::Landscape;
        QTest::newRow("big, tall window: portrait") << "mnuBig" << QSize(420, 600) << QSize(300, 400)
                                                    << QPageLayout::Portrait;
        QTest::newRow("small") << "mnuSmall" << QSize(638, 458) << QSize(400, 100) << QPageLayout::Portrait;
    }

    void printSendsTheWindowOnWhite()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
        QFETCH(QString, command);
        QFETCH(QSize, window);
        QFETCH(QSize, picture);
        QFETCH(QPageLayout::Orientation, orientation);
        TestEnvironment env;
        frmDisplayPicture &display = showPicture(env, picture, window);
        WindowKit::setBackground(&display, Qt::black);
        print(display, command);
        checkIdle(display);

        QCOMPARE(env.printer.pages.size(), 1);
        const PdfPrinter::Page &sent = env.printer.pages.first();
        QCOMPARE(sent.orientation, orientation);
        if (command == QLatin1String("mnuBig"))
            QCOMPARE(sent.placed, PrintLayout::fitted(sent.picture.size(), sent.printable));
        const QImage capture = sent.picture.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(capture.size(), window * display.devicePixelRatio());
        const qreal dpr = capture.devicePixelRatio();
        const QRect shown = QRect(display.image()->pos() * dpr, display.image()->size() * dpr) & capture.rect();
        int red = 0;
        redBounds(capture.copy(shown), &red);
        QVERIFY(red > shown.width() * shown.height() * 9 / 10);
        // Around the picture: white paper only.
        QImage around = capture;
        QPainter(&around).fillRect(QRectF(QPointF(shown.topLeft()) / dpr, QSizeF(shown.size()) / dpr), Qt::white);
        QImage white(capture.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(around, white);

        const QList<QImage> pages = renderPdf(env.printer.printerFile);
        QCOMPARE(pages.size(), 1);
        const QImage &page = pages.first();
        QCOMPARE(page.width() > page.height(), orientation == QPageLayout::Landscape);
        const QRect onPage = redBounds(page, &red);
        QVERIFY2(red > page.width() * page.height() / 50, "the page does not hold the picture");
        // At the left, within the margins, not centred.
        QVERIFY(onPage.left() < page.width() / 10);
    }

    // Wherever pending events run during a big print, "Cancel Print" or the
    // end of the program handled there keeps the page from being sent, and a
    // second print asked for meanwhile is ignored.
    void cancelAtAnyPointSendsNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel Print") << false;
        QTest::newRow("Esc ends the program") << true;
    }

    void cancelAtAnyPointSendsNothing()
    {
        QFETCH(bool, escape);
        TestEnvironment env;
        frmDisplayPicture &display = showPicture(env, QSize(300, 200));
        auto *cancel = display.findChild<QPushButton *>(QStringLiteral("cmdCancelPrint"));
        int cancelled = 0;
        int printed = 0;
        for (int rounds = 0; rounds < 16 && env.endCount() == 0; ++rounds) {
            bool clicked = false;
            bool done = false;
            bool menuEnabled = true;
            afterEventRounds(rounds, [&] {
                done = true;
                if (!cancel->isVisible())
                    return;
                clicked = true;
                menuEnabled = display.findChild<QAction *>(QStringLiteral("mnuPrint"))->isEnabled();
                print(display, QStringLiteral("mnuSmall"));
                print(display, QStringLiteral("mnuBig"));
                if (escape)
                    QTest::keyClick(&display, Qt::Key_Escape);
                else
                    QTest::mouseClick(cancel, Qt::LeftButton);
            });
            QFile::remove(env.printer.printerFile);
            const qsizetype before = env.printer.pages.size();
            print(display, QStringLiteral("mnuBig"));
            // The rest of a chain longer than the print.
            for (int i = 0; i < 32 && !done; ++i)
                QCoreApplication::processEvents();
            QVERIFY(done);
            QCOMPARE(env.printer.pages.size() - before, clicked ? 0 : 1);
            QCOMPARE(QFile::exists(env.printer.printerFile), !clicked);
            QCOMPARE(menuEnabled, !clicked);
            QCOMPARE(env.values.CancelPrint, false);
            checkIdle(display);
            (clicked ? cancelled : printed) += 1;
        }
        // The button was there to click, and the print ran through where
        // it was not.
        QVERIFY(cancelled >= (escape ? 1 : 2));
        QVERIFY(printed >= 1);
        QCOMPARE(env.endCount(), escape ? 1 : 0);
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    // No printer: a PDF file is offered instead. A printer or a file that
    // fails is told, and nothing counts as printed.
    void sendingOutcomes_data()
    {
        QTest::addColumn<bool>("hasPrinter");
        QTest::addColumn<bool>("wantsPdf");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("boxes");

        const QString unreachable = QStringLiteral("no such folder/page.pdf");
        const QString offer = QStringLiteral(
            "yesno|No printer is installed.\n\nDo you want to save the page as a PDF file instead?");
        QTest::newRow("printer fails") << true << false << unreachable << QStringList{
            "message|The picture could not be printed on the printer \"PDF test printer\"."};
        QTest::newRow("no printer, PDF declined") << false << false << QString() << QStringList{offer};
        QTest::newRow("no printer, file dialog cancelled") << false << true << QString() << QStringList{offer};
        QTest::newRow("no printer, saved as PDF") << false << true << "mine.pdf" << QStringList{offer};
        QTest::newRow("no printer, PDF cannot be written")
            << false << true << unreachable << QStringList{offer, "message|The page could not be saved as %1."};
    }

    void sendingOutcomes()
    {
        QFETCH(bool, hasPrinter);
        QFETCH(bool, wantsPdf);
        QFETCH(QString, file);
        QFETCH(QStringList, boxes);
        TestEnvironment env;
        QTemporaryDir dir;
        const QString path = file.isEmpty() ? QString() : QDir(dir.path()).filePath(file);
        frmDisplayPicture &display = showPicture(env, QSize(300, 200));
        if (hasPrinter) {
            env.printer.printerFile = path;
        } else {
            env.printer.printerName.clear();
            env.printer.pdfFileAnswer = path;
            env.dialogs.answer(wantsPdf ? Dialogs::Answer::Yes : Dialogs::Answer::No);
        }

        print(display, QStringLiteral("mnuBig"));

        QStringList shown;
        for (const ScriptedDialogs::Shown &box : env.dialogs.shown()) {
            QCOMPARE(box.title, QStringLiteral("WARNING"));
            shown << box.kind + QLatin1Char('|') + box.text;
        }
        boxes.replaceInStrings(QStringLiteral("%1"), QDir::toNativeSeparators(path));
        QCOMPARE(shown, boxes);
        const bool saved = file == QLatin1String("mine.pdf");
        QCOMPARE(env.printer.pages.size(), saved ? 1 : 0);
        QCOMPARE(QFile::exists(path), saved);
        QCOMPARE(env.printer.pdfSuggestions,
                 wantsPdf ? QStringList{QStringLiteral("Demo Album P1 picture 3.pdf")} : QStringList());
        checkIdle(display);
    }
};

KOLUMBRA_TEST(TestPrinting)
#include "PrintingTest.moc"
