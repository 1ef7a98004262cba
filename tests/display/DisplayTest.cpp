#include "albumpage/AlbumPageWindow.h"
#include "albumpage/ThumbnailGrid.h"
#include "display/PictureFit.h"
#include "display/PictureWindow.h"
#include "display/PrintLayout.h"
#include "support/OddPictures.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"
#include "widgets/WindowKit.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// A name that a careless QString::arg() would change.
const QString kAlbum = QStringLiteral("50% %2 off");

// Runs a function at the n-th time pending events are processed from now:
// each hop is posted anew and so waits for the next round.
void afterEventRounds(int rounds, const std::function<void()> &action)
{
    QMetaObject::invokeMethod(
        qApp, [rounds, action] { rounds == 0 ? action() : afterEventRounds(rounds - 1, action); },
        Qt::QueuedConnection);
}

// How many pixels of the image within the area are red.
int redPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 60 ? 1 : 0;
    return count;
}

// Opens a wide, low red picture in position 3 of page 1: the top of the
// window, where the button and the label sit, stays free.
PictureWindow &showPicture(TestEnvironment &env)
{
    env.putPicture(kAlbum, QStringLiteral("P1I2.bmp"), QSize(400, 100), Qt::red);
    AlbumPageWindow *form = env.openAlbum(kAlbum);
    if (form)
        form->thumbnailClicked(3);
    return env.owner().pictureWindow();
}

// No print running: no button, no label, nothing held, a light blue window.
void checkIdle(PictureWindow &display)
{
    QVERIFY(!display.findChild<QPushButton *>(QStringLiteral("cmdCancelPrint"))->isVisible());
    QVERIFY(!display.findChild<QLabel *>(QStringLiteral("Label2"))->isVisible());
    QVERIFY(display.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());
    QCOMPARE(display.palette().color(QPalette::Window), WindowKit::pageBlue());
}

}  // namespace

class DisplayTest : public QObject
{
    Q_OBJECT

private slots:
    void fitting_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSizeF>("inner");
        QTest::addColumn<QSizeF>("outer");
        QTest::addColumn<QRectF>("expected");
        const QSizeF in(600, 400);
        const QSizeF out(610, 430);
        // Wide in a wider window: the inner width, centred on the outer height;
        // else the inner height, centred on the outer width.
        QTest::newRow("wide") << QSize(400, 200) << in << out << QRectF(0, 65, 600, 300);
        QTest::newRow("wide, taller") << QSize(500, 400) << in << out << QRectF(55, 0, 500, 400);
        QTest::newRow("upright") << QSize(300, 600) << in << out << QRectF(205, 0, 200, 400);
        QTest::newRow("square") << QSize(500, 500) << in << out << QRectF(105, 0, 400, 400);
        // Thin pictures are 6 pixels across.
        QTest::newRow("a line") << QSize(1000, 1) << in << out << QRectF(0, 212, 600, 6);
        QTest::newRow("a column") << QSize(1, 1000) << in << out << QRectF(302, 0, 6, 400);
    }

    void fitting()
    {
        QFETCH(QSize, natural);
        QFETCH(QSizeF, inner);
        QFETCH(QSizeF, outer);
        QFETCH(QRectF, expected);
        QCOMPARE(PictureFit::sizePicture(natural, inner, outer), expected);
    }

    // A thumbnail opens as large as the window, which never grows past the
    // screen; a right click opens the popup, a left click goes back to the
    // page. An empty position opens its placeholder.
    void pictureOpensLargeAndClicksGoBackOrOpenTheMenu()
    {
        TestEnvironment env(QSize(1024, 768));
        env.session.screenRatio = 1.6;
        env.putPicture(QStringLiteral("A"), QStringLiteral("P1I0.jpg"), QSize(3000, 1500));
        AlbumPageWindow *form = env.openAlbum(QStringLiteral("A"));
        QVERIFY(form);
        PictureWindow &display = env.owner().pictureWindow();
        QTest::mouseClick(form->grid().view(1), Qt::LeftButton);
        QVERIFY(display.isVisible());
        QCOMPARE(display.image()->size(), QSize(display.width(), display.width() / 2));

        QTest::mouseClick(&display, Qt::RightButton, {}, QPoint(2, 2));
        QTRY_VERIFY(display.popupMenu()->isVisible());
        display.popupMenu()->hide();
        QTest::mouseClick(&display, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!display.isVisible());
        QVERIFY(form->isVisible());

        QTest::mouseClick(form->grid().view(2), Qt::LeftButton);
        QCOMPARE(display.image()->path(), QDir(env.programFolder()).filePath(QStringLiteral("EMPTY.BMP")));
        QVERIFY(QRect(0, 0, 1024, 768).contains(display.frameGeometry()));
    }

    // A picture one pixel high has a thumbnail that is seen and clicked, and
    // opens large a few pixels high.
    void aThinPictureOpensLarge()
    {
        TestEnvironment env(QSize(1024, 768));
        env.makeAlbum(QStringLiteral("A"));
        QVERIFY(OddPictures::write(env.albumFile(QStringLiteral("A"), QStringLiteral("P1I1.jpg")),
                                   OddPictures::photo(QSize(1000, 1))));
        auto *form = env.openAlbum(QStringLiteral("A"));
        QVERIFY(form);
        auto *thumbnail = form->template findChild<PictureView *>(QStringLiteral("Image1_2"));
        QVERIFY(thumbnail->height() >= 6);
        QCOMPARE(thumbnail->pixmap().height(), thumbnail->height());
        QTest::mouseClick(thumbnail, Qt::LeftButton, {}, thumbnail->rect().center());
        auto &display = env.owner().pictureWindow();
        QVERIFY(display.isVisible());
        const auto *large = display.template findChild<PictureView *>(QStringLiteral("Image1"));
        QCOMPARE(large->height(), 6);
        QCOMPARE(large->pixmap().size(), QSize(large->width(), 6));
        QCOMPARE(large->naturalSize(), QSize(1000, 1));
    }

    // The screen ratio is what the window is scaled by, once, when it is
    // first shown, within the screen; it keeps that size at every later
    // opening and activation. The picture fits whatever size the window has,
    // also after the user resized it, and is decoded anew when the window
    // grows past the size it was decoded for.
    void theWindowIsScaledOnceAndFitsThePicture_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("picture");
        // The headless platform's frame is 2 pixels wide on every side; the
        // picture is centred on the outer height.
        QTest::newRow("1024 x 768") << QSize(1024, 768) << 1.6 << QSize(1020, 733) << QRect(0, 114, 1020, 510);
        QTest::newRow("640 x 480: as designed") << QSize(640, 480) << 1.0 << QSize(638, 458) << QRect(0, 72, 638, 319);
        QTest::newRow("bounded by the screen") << QSize(800, 600) << 1.6 << QSize(796, 596) << QRect(0, 101, 796, 398);
    }

    void theWindowIsScaledOnceAndFitsThePicture()
    {
        QFETCH(QSize, screen);
        QFETCH(double, ratio);
        TestEnvironment env(screen);
        env.session.screenRatio = ratio;
        env.putPicture(QStringLiteral("A"), QStringLiteral("P1I0.jpg"), QSize(3000, 1500), Qt::red);
        AlbumPageWindow *form = env.openAlbum(QStringLiteral("A"));
        QVERIFY(form);
        PictureWindow &display = env.owner().pictureWindow();
        for (int opening = 1; opening <= 3; ++opening) {
            QTest::mouseClick(form->grid().view(1), Qt::LeftButton);
            QVERIFY(display.isVisible());
            display.activated();  // coming back from the picture information
            QTEST(display.size(), "size");
            QTEST(display.image()->geometry(), "picture");
            QTest::mouseClick(&display, Qt::LeftButton, {}, QPoint(2, 2));
            QVERIFY(!display.isVisible());
        }

        QTest::mouseClick(form->grid().view(1), Qt::LeftButton);
        display.resize(500, 600);
        QTRY_COMPARE(display.image()->geometry(), QRect(0, 177, 500, 250));
        display.resize(1000, 300);
        QTRY_COMPARE(display.image()->geometry(), QRect(202, 0, 600, 300));
        display.resize(1000, 560);
        QTRY_COMPARE(display.image()->geometry(), QRect(0, 32, 1000, 500));
        QTRY_VERIFY(display.image()->pixmap().width() >= 1000 * display.devicePixelRatioF());
    }

    // The big print is as large as the page allows, turned as the picture is
    // shaped; the small one keeps its size on the screen unless the page is
    // too small for it in either direction. Both sit at the top left.
    void placement_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<QRectF>("big");
        QTest::addColumn<QRectF>("small");
        const auto L = QPageLayout::Landscape;
        const auto P = QPageLayout::Portrait;
        const QSizeF tall(535, 782);
        const QSize photo(4000, 3000);
        const double third = 535 * 4.0 / 3.0;
        QTest::newRow("4:3 page: full width")
            << photo << QSizeF(800, 600) << L << QRectF(0, 0, 800, 600) << QRectF(0, 0, 800, 600);
        QTest::newRow("wider page: full height")
            << photo << tall.transposed() << L << QRectF(0, 0, third, 535) << QRectF(0, 0, third, 535);
        QTest::newRow("upright") << photo.transposed() << tall << P << QRectF(0, 0, 535, third)
                                 << QRectF(0, 0, 535, third);
        QTest::newRow("square") << QSize(900, 900) << tall << P << QRectF(0, 0, 535, 535) << QRectF(0, 0, 535, 535);
        QTest::newRow("smaller than the page")
            << QSize(400, 300) << tall << L << QRectF(0, 0, 535, 401.25) << QRectF(0, 0, 400, 300);
        QTest::newRow("too wide, low enough")
            << QSize(800, 300) << tall << L << QRectF(0, 0, 535, 200.625) << QRectF(0, 0, 535, 200.625);
        QTest::newRow("too tall, narrow enough")
            << QSize(391, 1564) << tall << P << QRectF(0, 0, 195.5, 782) << QRectF(0, 0, 195.5, 782);
    }

    void placement()
    {
        QFETCH(QSize, natural);
        QFETCH(QSizeF, page);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(QRectF, big);
        QFETCH(QRectF, small);
        QCOMPARE(PrintLayout::orientationFor(natural), orientation);
        QCOMPARE(PrintLayout::fitted(natural, page), big);
        QCOMPARE(PrintLayout::atScreenSize(QSizeF(natural), page), small);
    }

    // Either print sends one page holding the window as it looks, on white,
    // without the button or the label: the big one turned as the window is
    // shaped and as large as the page allows, the small one upright. With no
    // printer a PDF file is offered instead. A printer or a file that fails
    // is told, and nothing counts as printed. The window is light blue
    // afterwards, whatever it was before.
    void printOutcomes_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("hasPrinter");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QRectF>("placed");  // points, on an A4 page with 10-point margins
        const QString unreachable = QStringLiteral("no such folder/page.pdf");
        const QStringList offer{"yesno|No printer is installed.\n\n"
                                "Do you want to save the page as a PDF file instead?"};
        // The 638 x 458 pixel window: the full printable height of the
        // landscape page, or its size on a 96 dpi screen.
        const QRectF whole(0, 0, 575.0 * 638 / 458, 575);
        const QRectF asShown(0, 0, 478.5, 343.5);
        QTest::newRow("big") << "mnuBig" << true << "printed.pdf" << QStringList() << whole;
        QTest::newRow("small") << "mnuSmall" << true << "printed.pdf" << QStringList() << asShown;
        QTest::newRow("saved as PDF") << "mnuBig" << false << "mine.pdf" << offer << whole;
        QTest::newRow("printer fails")
            << "mnuBig" << true << unreachable
            << QStringList{"message|The picture could not be printed on the printer \"PDF test printer\"."} << QRectF();
        const QStringList notSaved{"message|The page could not be saved as %1."};
        QTest::newRow("PDF not written") << "mnuSmall" << false << unreachable << offer + notSaved << QRectF();
    }

    void printOutcomes()
    {
        QFETCH(QString, command);
        QFETCH(bool, hasPrinter);
        QFETCH(QString, file);
        QFETCH(QStringList, boxes);
        QFETCH(QRectF, placed);
        TestEnvironment env;
        QTemporaryDir dir;
        const QString path = QDir(dir.path()).filePath(file);
        env.printer.printerFile = path;
        if (!hasPrinter) {
            env.printer.printerName.clear();
            env.printer.pdfFileAnswer = path;
            env.dialogs.answer(Dialogs::Answer::Yes);
        }
        PictureWindow &display = showPicture(env);
        WindowKit::setBackground(&display, Qt::black);
        display.findChild<QAction *>(command)->trigger();
        checkIdle(display);

        QStringList shown;
        for (const ScriptedDialogs::Shown &box : env.dialogs.shown())
            shown << box.kind + QLatin1Char('|') + box.text;
        QCOMPARE(shown, boxes.replaceInStrings(QStringLiteral("%1"), QDir::toNativeSeparators(path)));
        const QString suggested = QStringLiteral("50% %2 off P1 picture 3.pdf");
        QCOMPARE(env.printer.pdfSuggestions, hasPrinter ? QStringList() : QStringList{suggested});
        const bool saved = !file.startsWith(QLatin1String("no such"));
        QCOMPARE(QFile::exists(path), saved);
        QCOMPARE(env.printer.pages.size(), saved ? 1 : 0);
        if (!saved)
            return;

        const PdfPrinter::Page &sent = env.printer.pages.first();
        const bool big = command == QLatin1String("mnuBig");
        QCOMPARE(sent.orientation, big ? QPageLayout::Landscape : QPageLayout::Portrait);
        QCOMPARE(sent.placed, placed);
        // The picture where it is shown, white paper only around it.
        QImage capture = sent.picture.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(capture.size(), display.size());
        const QRect shownArea = display.image()->geometry() & capture.rect();
        QVERIFY(redPixels(capture, shownArea) > shownArea.width() * shownArea.height() * 9 / 10);
        QPainter(&capture).fillRect(shownArea, Qt::white);
        QImage white(capture.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(capture, white);

        QTemporaryDir png;
        QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "30", "-png", path, png.filePath("page")});
        QCOMPARE(QDir(png.path()).entryList(QDir::Files), QStringList("page-1.png"));
        const QImage page = QImage(png.filePath("page-1.png")).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(page.width() > page.height(), big);
        QVERIFY(redPixels(page, page.rect()) > page.width() * page.height() / 50);
        // At the left, within the margins, not centred.
        QVERIFY(redPixels(page, QRect(0, 0, page.width() / 10, page.height())) > 0);
    }

    // A window wider than the page but not taller prints shrunk to the page's
    // width, its proportions kept, rather than running off the paper.
    void smallPrintOfAWideWindowStaysOnThePage()
    {
        TestEnvironment env;
        PictureWindow &display = showPicture(env);
        QVERIFY(display.isVisible());
        display.resize(1000, 300);
        QCOMPARE(display.size(), QSize(1000, 300));  // 750 x 225 points
        display.findChild<QAction *>(QStringLiteral("mnuSmall"))->trigger();
        QCOMPARE(env.printer.pages.size(), 1);
        const PdfPrinter::Page &sent = env.printer.pages.first();
        QCOMPARE(sent.printable, QSizeF(575, 822));
        QCOMPARE(sent.placed, QRectF(0, 0, 575, 172.5));
    }

    // Wherever pending events run during a big print, "Cancel Print" clicked
    // there keeps the page from being sent, and a second print asked for
    // meanwhile is ignored. Esc ending the program there sends nothing either.
    void cancelAtAnyPointSendsNothing()
    {
        TestEnvironment env;
        PictureWindow &display = showPicture(env);
        QVERIFY(display.isVisible());
        auto *cancel = display.findChild<QPushButton *>(QStringLiteral("cmdCancelPrint"));
        int cancelled = 0;
        int printed = 0;
        int firstCancel = -1;
        for (int rounds = 0; rounds < 16; ++rounds) {
            bool clicked = false;
            bool done = false;
            afterEventRounds(rounds, [&] {
                done = true;
                if (!cancel->isVisible())
                    return;
                clicked = true;
                display.findChild<QAction *>(QStringLiteral("mnuSmall"))->trigger();
                display.findChild<QAction *>(QStringLiteral("mnuBig"))->trigger();
                QTest::mouseClick(cancel, Qt::LeftButton);
            });
            QFile::remove(env.printer.printerFile);
            display.findChild<QAction *>(QStringLiteral("mnuBig"))->trigger();
            // The rest of a chain longer than the print.
            for (int i = 0; i < 32 && !done; ++i)
                QCoreApplication::processEvents();
            QVERIFY(done);
            QCOMPARE(QFile::exists(env.printer.printerFile), !clicked);
            checkIdle(display);
            (clicked ? cancelled : printed) += 1;
            if (clicked && firstCancel < 0)
                firstCancel = rounds;
        }
        // The button was there to click, and the print ran through where
        // it was not.
        QVERIFY(cancelled >= 2);
        QVERIFY(printed >= 1);

        afterEventRounds(firstCancel, [&display] { QTest::keyClick(&display, Qt::Key_Escape); });
        QFile::remove(env.printer.printerFile);
        display.findChild<QAction *>(QStringLiteral("mnuBig"))->trigger();
        QCOMPARE(env.endCount(), 1);
        QVERIFY(!QFile::exists(env.printer.printerFile));
    }
};

KOLUMBRA_TEST(DisplayTest)
#include "DisplayTest.moc"
