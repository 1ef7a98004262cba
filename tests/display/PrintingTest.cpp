#include "albumstore/PictureLoader.h"
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

// A name that a careless QString::arg() would change.
const QString kAlbum = QStringLiteral("50% %2 off");

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

// The pages of a PDF file rendered at a low resolution; none when the file
// cannot be rendered.
QList<QImage> renderPdf(const QString &file)
{
    QTemporaryDir out;
    QProcess::execute(QStringLiteral("pdftoppm"), {"-r", "30", "-png", file, out.filePath("page")});
    QList<QImage> pages;
    for (const QFileInfo &png : QDir(out.path()).entryInfoList(QDir::Files, QDir::Name))
        pages << QImage(png.filePath()).convertToFormat(QImage::Format_RGB32);
    return pages;
}

// How many pixels of the image within the area are red.
int redPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60 ? 1 : 0;
        }
    }
    return count;
}

// Shows a red picture of the given size in the single picture window, as
// position 3 of page 1.
frmDisplayPicture &showPicture(TestEnvironment &env, const QSize &size, QSize window = {638, 458})
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
    // The big print is as large as the page allows, turned as the picture is
    // shaped; the small one keeps its size on the screen unless the page is
    // too small for it. Both sit at the top left.
    void placement_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<QRectF>("big");
        QTest::addColumn<bool>("fits");
        const auto L = QPageLayout::Landscape;
        const auto P = QPageLayout::Portrait;
        const QSizeF tall(535, 782);
        const QSizeF wide(782, 535);
        const QSize photo(4000, 3000);
        const double third = 535 * 4.0 / 3.0;
        QTest::newRow("4:3 page: full width")
            << photo << QSizeF(800, 600) << L << QRectF(0, 0, 800, 600) << false;
        QTest::newRow("wider page: full height")
            << photo << wide << L << QRectF(0, 0, third, 535) << false;
        QTest::newRow("upright")
            << photo.transposed() << tall << P << QRectF(0, 0, 535, third) << false;
        QTest::newRow("square") << QSize(900, 900) << tall << P << QRectF(0, 0, 535, 535) << false;
        QTest::newRow("a pixel wider")
            << QSize(1001, 1000) << wide << L << QRectF(0, 0, 535 * 1.001, 535) << false;
        QTest::newRow("smaller than the page")
            << QSize(400, 300) << tall << L << QRectF(0, 0, 535, 401.25) << true;
        QTest::newRow("no picture: nothing drawn") << QSize(0, 0) << tall << P << QRectF() << true;
    }

    void placement()
    {
        QFETCH(QSize, natural);
        QFETCH(QSizeF, page);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(QRectF, big);
        QFETCH(bool, fits);
        QCOMPARE(PrintLayout::orientationFor(natural), orientation);
        QCOMPARE(PrintLayout::fitted(natural, page), big);
        const QRectF small = fits ? QRectF(QPointF(0, 0), QSizeF(natural)) : big;
        QCOMPARE(PrintLayout::atScreenSize(QSizeF(natural), page), small);
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
        const QSize wide(638, 458);
        const QSize low(400, 100);
        QTest::newRow("big, wide window") << "mnuBig" << wide << low << QPageLayout::Landscape;
        QTest::newRow("big, tall window") << "mnuBig" << QSize(420, 600) << QSize(300, 400)
                                          << QPageLayout::Portrait;
        QTest::newRow("small") << "mnuSmall" << wide << low << QPageLayout::Portrait;
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
        // The picture where it is shown, white paper only around it.
        QImage capture = sent.picture.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(capture.size(), window);
        const QRect shown = display.image()->geometry() & capture.rect();
        QVERIFY(redPixels(capture, shown) > shown.width() * shown.height() * 9 / 10);
        QPainter(&capture).fillRect(shown, Qt::white);
        QImage white(capture.size(), QImage::Format_RGB32);
        white.fill(Qt::white);
        QCOMPARE(capture, white);

        const QList<QImage> pages = renderPdf(env.printer.printerFile);
        QCOMPARE(pages.size(), 1);
        const QImage &page = pages.first();
        QCOMPARE(page.width() > page.height(), orientation == QPageLayout::Landscape);
        QVERIFY(redPixels(page, page.rect()) > page.width() * page.height() / 50);
        // At the left, within the margins, not centred.
        QVERIFY(redPixels(page, QRect(0, 0, page.width() / 10, page.height())) > 0);
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
        const QStringList offer{"yesno|No printer is installed.\n\n"
                                "Do you want to save the page as a PDF file instead?"};
        QTest::newRow("printer fails") << true << false << unreachable << QStringList{
            "message|The picture could not be printed on the printer \"PDF test printer\"."};
        QTest::newRow("PDF declined") << false << false << QString() << offer;
        QTest::newRow("file dialog cancelled") << false << true << QString() << offer;
        QTest::newRow("saved as PDF") << false << true << "mine.pdf" << offer;
        const QStringList notSaved{"message|The page could not be saved as %1."};
        QTest::newRow("PDF not written") << false << true << unreachable << offer + notSaved;
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
        const QString suggested = QStringLiteral("50% %2 off P1 picture 3.pdf");
        QCOMPARE(env.printer.pdfSuggestions, wantsPdf ? QStringList{suggested} : QStringList());
        checkIdle(display);
    }
};

KOLUMBRA_TEST(TestPrinting)
#include "PrintingTest.moc"
