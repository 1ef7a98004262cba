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
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <utility>

namespace {

const QString kAlbum = QStringLiteral("Demo Album");

// Runs a function once, the next time a widget is shown.
class OnShow : public QObject
{
public:
    OnShow(QWidget *watched, std::function<void()> action)
        : m_action(std::move(action))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_action)
            std::exchange(m_action, nullptr)();
        return false;
    }

private:
    std::function<void()> m_action;
};

// Runs a function at the n-th time pending events are processed from now:
// each hop is posted anew and so waits for the next round.
void afterEventRounds(int rounds, std::function<void()> action)
{
    Q_ASSERT(rounds >= 0);
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

bool isWhite(QRgb p)
{
    return qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245;
}

bool isRed(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
}

// The pages of a PDF file rendered at a low resolution; empty when the file
// cannot be rendered.
QList<QImage> renderPdf(const QString &file)
{
    QTemporaryDir out;
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), QStringLiteral("-png"), file,
                                                QDir(out.path()).filePath(QStringLiteral("page"))});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    QList<QImage> pages;
    const QStringList names = QDir(out.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString &name : names)
        pages << QImage(QDir(out.path()).filePath(name)).convertToFormat(QImage::Format_RGB32);
    return pages;
}

// The smallest rectangle holding every pixel that passes the test.
QRect boundsOf(const QImage &image, bool (*test)(QRgb), int *count = nullptr)
{
    QRect bounds;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) {
                bounds |= QRect(x, y, 1, 1);
                ++n;
            }
    if (count)
        *count = n;
    return bounds;
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private:
    // Shows a picture of the given size and colour in the single picture
    // window, as position 3 of page 1 of the demo album.
    frmDisplayPicture &showPicture(TestEnvironment &env, const QSize &size, const QColor &colour,
                                   const QSize &window = QSize(638, 458))
    {
        const QString path = env.putPicture(kAlbum, 1, 3, QStringLiteral(".bmp"), size, colour);
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

    static QAction *action(frmDisplayPicture &display, const char *name)
    {
        return display.findChild<QAction *>(QString::fromLatin1(name));
    }

    static void checkIdle(frmDisplayPicture &display)
    {
        QVERIFY(!display.findChild<QPushButton *>(QStringLiteral("cmdCancelPrint"))->isVisible());
        QVERIFY(!display.findChild<QLabel *>(QStringLiteral("Label2"))->isVisible());
        QVERIFY(display.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());
        QCOMPARE(display.palette().color(QPalette::Window), WindowKit::pageBlue());
        QVERIFY(action(display, "mnuPrint")->isEnabled());
    }

    static void needPdftoppm()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftoppm (poppler-utils) is not installed");
    }

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
        QTest::newRow("4:3 picture, narrower page: full width") << QSize(4000, 3000) << QSizeF(770, 600) << L
                                                               << QRectF(0, 0, 770, 577.5);
        QTest::newRow("4:3 picture, wider page: full height") << QSize(4000, 3000) << QSizeF(782, 535) << L
                                                             << QRectF(0, 0, 535 * 4.0 / 3.0, 535);
        QTest::newRow("upright picture, narrow page: full width") << QSize(3000, 4000) << QSizeF(535, 782) << P
                                                                 << QRectF(0, 0, 535, 535 * 4.0 / 3.0);
        QTest::newRow("upright picture, wide page: full height") << QSize(3000, 4000) << QSizeF(600, 700) << P
                                                                << QRectF(0, 0, 525, 700);
        QTest::newRow("square: portrait, full width") << QSize(1000, 1000) << QSizeF(535, 782) << P
                                                     << QRectF(0, 0, 535, 535);
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

    void screenSize_data()
    {
        QTest::addColumn<QSizeF>("window");
        QTest::addColumn<QSizeF>("printable");
        QTest::addColumn<QRectF>("placed");
        QTest::newRow("fits: as on the screen") << QSizeF(478.5, 343.5) << QSizeF(535, 782)
                                                << QRectF(0, 0, 478.5, 343.5);
        QTest::newRow("exactly the printable area") << QSizeF(535, 782) << QSizeF(535, 782) << QRectF(0, 0, 535, 782);
        QTest::newRow("too wide: shrunk to the width") << QSizeF(1070, 400) << QSizeF(535, 782)
                                                       << QRectF(0, 0, 535, 200);
        QTest::newRow("too tall: shrunk to the height") << QSizeF(300, 1564) << QSizeF(535, 782)
                                                        << QRectF(0, 0, 150, 782);
    }

    void screenSize()
    {
        QFETCH(QSizeF, window);
        QFETCH(QSizeF, printable);
        QFETCH(QRectF, placed);
        QCOMPARE(PrintLayout::atScreenSize(window, printable), placed);
    }

    void pdfName_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("name");
        QTest::newRow("demo album") << kAlbum << 1 << 3 << QStringLiteral("Demo Album P1 picture 3.pdf");
        QTest::newRow("percent signs kept") << QStringLiteral("50% %2 off") << 10 << 6
                                            << QStringLiteral("50% %2 off P10 picture 6.pdf");
    }

    void pdfName()
    {
        QFETCH(QString, album);
        QFETCH(int, page);
        QFETCH(int, picture);
        QFETCH(QString, name);
        QCOMPARE(PageSender::pdfNameFor(album, page, picture), name);
    }

    // The page that reaches the PDF file: one page, turned as the capture is
    // shaped, with the picture at the top left of the printable area.
    void bigPrintMakesOnePdfPage_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::newRow("wide window: landscape") << QSize(638, 458) << QSize(300, 200) << QPageLayout::Landscape;
        QTest::newRow("tall window: portrait") << QSize(420, 600) << QSize(300, 400) << QPageLayout::Portrait;
    }

    void bigPrintMakesOnePdfPage()
    {
        needPdftoppm();
        QFETCH(QSize, window);
        QFETCH(QSize, picture);
        QFETCH(QPageLayout::Orientation, orientation);
        TestEnvironment env;
        frmDisplayPicture &display = showPicture(env, picture, Qt::red, window);
        action(display, "mnuBig")->trigger();

        QCOMPARE(env.printer.pages.size(), 1);
        const PdfPrinter::Page &sent = env.printer.pages.first();
        QCOMPARE(sent.orientation, orientation);
        QCOMPARE(sent.picture.size(), window * display.devicePixelRatio());
        QCOMPARE(sent.placed.topLeft(), QPointF(0, 0));
        QVERIFY(qFuzzyCompare(sent.placed.width(), sent.printable.width())
                || qFuzzyCompare(sent.placed.height(), sent.printable.height()));
        QVERIFY(sent.placed.width() <= sent.printable.width() + 0.01);
        QVERIFY(sent.placed.height() <= sent.printable.height() + 0.01);

        const QList<QImage> pages = renderPdf(env.printer.printerFile);
        QCOMPARE(pages.size(), 1);
        const QImage &page = pages.first();
        QCOMPARE(page.width() > page.height(), orientation == QPageLayout::Landscape);
        int red = 0;
        const QRect picture1 = boundsOf(page, isRed, &red);
        QVERIFY2(red > page.width() * page.height() / 4, "the page does not hold the picture");
        // At the top left, within the margins, not centred.
        QVERIFY(picture1.left() < page.width() / 10);
        QVERIFY(picture1.top() < page.height() / 10);
        QVERIFY(env.dialogs.shown().isEmpty());
        checkIdle(display);
    }

    // Either print: the window on white without the button or the label, and a
    // light blue window afterwards, whatever it was before.
    void printLeavesWindowLightBlue_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QColor>("before");
        QTest::newRow("small, black window") << QStringLiteral("mnuSmall") << QColor(Qt::black);
        QTest::newRow("big, black window") << QStringLiteral("mnuBig") << QColor(Qt::black);
        QTest::newRow("small, blue window") << QStringLiteral("mnuSmall") << WindowKit::pageBlue();
        QTest::newRow("big, blue window") << QStringLiteral("mnuBig") << WindowKit::pageBlue();
    }

    void printLeavesWindowLightBlue()
    {
        QFETCH(QString, command);
        QFETCH(QColor, before);
        TestEnvironment env;
        // A wide, low picture leaves the top of the window, where the button
        // and the label sit, free.
        frmDisplayPicture &display = showPicture(env, QSize(400, 100), Qt::red);
        WindowKit::setBackground(&display, before);
        QVERIFY(action(display, "mnuPrint")->isEnabled());

        display.findChild<QAction *>(command)->trigger();

        QCOMPARE(env.printer.pages.size(), 1);
        QVERIFY(QFile::exists(env.printer.printerFile));
        checkIdle(display);
        const QImage printed = env.printer.pages.first().picture.convertToFormat(QImage::Format_RGB32);
        const double dpr = printed.devicePixelRatio();
        const QRect top(0, 0, printed.width(), int(display.image()->y() * dpr) - 1);
        QVERIFY(top.height() > 60);
        for (int y = top.top(); y <= top.bottom(); ++y)
            for (int x = top.left(); x <= top.right(); ++x)
                QVERIFY2(isWhite(printed.pixel(x, y)), qPrintable(QStringLiteral("not white at %1,%2").arg(x).arg(y)));
        int red = 0;
        boundsOf(printed, isRed, &red);
        QVERIFY(red > printed.width() * printed.height() / 5);
    }

    // "Cancel Print", or the end of the program, before the page is sent: no
    // page and no file, and the window as it was.
    void cancelDiscardsPage_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel Print") << QStringLiteral("cmdCancelPrint") << false;
        QTest::newRow("Esc ends the program") << QStringLiteral("Label2") << true;
    }

    void cancelDiscardsPage()
    {
        QFETCH(QString, shown);
        QFETCH(bool, escape);
        TestEnvironment env;
        frmDisplayPicture &display = showPicture(env, QSize(300, 200), Qt::red);
        auto *cancel = display.findChild<QPushButton *>(QStringLiteral("cmdCancelPrint"));
        bool capturedWhenCancelled = false;
        OnShow watch(display.findChild<QWidget *>(shown), [&] {
            afterEventRounds(0, [&] {
                capturedWhenCancelled = !display.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull();
                if (escape)
                    QTest::keyClick(&display, Qt::Key_Escape);
                else
                    QTest::mouseClick(cancel, Qt::LeftButton);
            });
        });

        action(display, "mnuBig")->trigger();

        QVERIFY(capturedWhenCancelled);
        QVERIFY(env.printer.pages.isEmpty());
        QVERIFY(!QFile::exists(env.printer.printerFile));
        QCOMPARE(env.values.CancelPrint, false);
        QCOMPARE(env.endCount(), escape ? 1 : 0);
        checkIdle(display);
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    // Wherever pending events run during a big print, a "Cancel Print" that is
    // handled there keeps the page from being sent.
    void cancelActsAtEveryEventPoint()
    {
        TestEnvironment env;
        frmDisplayPicture &display = showPicture(env, QSize(300, 200), Qt::red);
        auto *cancel = display.findChild<QPushButton *>(QStringLiteral("cmdCancelPrint"));
        int cancelled = 0;
        int printed = 0;
        for (int rounds = 0; rounds < 16; ++rounds) {
            bool clicked = false;
            bool done = false;
            afterEventRounds(rounds, [&] {
                done = true;
                if (cancel->isVisible()) {
                    QTest::mouseClick(cancel, Qt::LeftButton);
                    clicked = true;
                }
            });
            const qsizetype before = env.printer.pages.size();
            action(display, "mnuBig")->trigger();
            const qsizetype sent = env.printer.pages.size() - before;
            // The rest of a chain longer than the print.
            for (int i = 0; i < 32 && !done; ++i)
                QCoreApplication::processEvents();
            QVERIFY(done);
            QCOMPARE(sent, clicked ? 0 : 1);
            (clicked ? cancelled : printed) += 1;
            checkIdle(display);
        }
        // The button was there to click at several points, and the print
        // ran through where it was not.
        QVERIFY(cancelled >= 2);
        QVERIFY(printed >= 2);
    }

    void secondPrintWhileBigPrintRunsIsIgnored()
    {
        TestEnvironment env;
        frmDisplayPicture &display = showPicture(env, QSize(300, 200), Qt::red);
        bool menuEnabled = true;
        OnShow watch(display.findChild<QWidget *>(QStringLiteral("Label2")), [&] {
            afterEventRounds(0, [&] {
                menuEnabled = action(display, "mnuPrint")->isEnabled();
                action(display, "mnuSmall")->trigger();
                action(display, "mnuBig")->trigger();
            });
        });
        action(display, "mnuBig")->trigger();
        QVERIFY(!menuEnabled);
        QCOMPARE(env.printer.pages.size(), 1);
        checkIdle(display);
    }

    void noPrinterOffersPdf_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("wantsPdf");
        QTest::addColumn<bool>("namesFile");
        QTest::newRow("big: declined") << QStringLiteral("mnuBig") << false << false;
        QTest::newRow("big: file dialog cancelled") << QStringLiteral("mnuBig") << true << false;
        QTest::newRow("big: saved") << QStringLiteral("mnuBig") << true << true;
        QTest::newRow("small: saved") << QStringLiteral("mnuSmall") << true << true;
    }

    void noPrinterOffersPdf()
    {
        QFETCH(QString, command);
        QFETCH(bool, wantsPdf);
        QFETCH(bool, namesFile);
        TestEnvironment env;
        QTemporaryDir saveIn;
        frmDisplayPicture &display = showPicture(env, QSize(300, 200), Qt::red);
        env.printer.printerName.clear();
        const QString chosen = QDir(saveIn.path()).filePath(QStringLiteral("mine.pdf"));
        if (namesFile)
            env.printer.pdfFileAnswer = chosen;
        env.dialogs.answer(wantsPdf ? Dialogs::Answer::Yes : Dialogs::Answer::No);

        display.findChild<QAction *>(command)->trigger();

        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(env.dialogs.shown().first().kind, QStringLiteral("yesno"));
        QCOMPARE(env.dialogs.shown().first().title, QStringLiteral("WARNING"));
        QVERIFY(env.dialogs.shown().first().text.startsWith(QStringLiteral("No printer is installed.")));
        QCOMPARE(env.printer.pdfSuggestions,
                 wantsPdf ? QStringList{QStringLiteral("Demo Album P1 picture 3.pdf")} : QStringList());
        QCOMPARE(env.printer.pages.size(), namesFile ? 1 : 0);
        QCOMPARE(QFile::exists(chosen), namesFile);
        QVERIFY(!QFile::exists(env.printer.printerFile));
        checkIdle(display);
        if (namesFile) {
            needPdftoppm();
            QCOMPARE(renderPdf(chosen).size(), 1);
        }
    }

    // A printer or a file that fails is told, and nothing counts as printed.
    void failureIsReported_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("hasPrinter");
        QTest::addColumn<QString>("message");
        QTest::newRow("printer fails, big") << QStringLiteral("mnuBig") << true
                                            << QStringLiteral("The picture could not be printed on the printer \"PDF test printer\".");
        QTest::newRow("printer fails, small") << QStringLiteral("mnuSmall") << true
                                              << QStringLiteral("The picture could not be printed on the printer \"PDF test printer\".");
        QTest::newRow("PDF file cannot be written") << QStringLiteral("mnuBig") << false
                                                    << QStringLiteral("The page could not be saved as %1.");
    }

    void failureIsReported()
    {
        QFETCH(QString, command);
        QFETCH(bool, hasPrinter);
        QFETCH(QString, message);
        TestEnvironment env;
        QTemporaryDir dir;
        const QString unreachable = QDir(dir.path()).filePath(QStringLiteral("no such folder/page.pdf"));
        frmDisplayPicture &display = showPicture(env, QSize(300, 200), Qt::red);
        env.printer.printerFile = unreachable;
        if (!hasPrinter) {
            env.printer.printerName.clear();
            env.printer.pdfFileAnswer = unreachable;
            env.dialogs.answer(Dialogs::Answer::Yes);
        }

        display.findChild<QAction *>(command)->trigger();

        QVERIFY(env.printer.pages.isEmpty());
        QVERIFY(!env.dialogs.unexpected());
        QCOMPARE(env.dialogs.shown().last().kind, QStringLiteral("message"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        if (message.contains(QStringLiteral("%1")))
            message = message.arg(QDir::toNativeSeparators(unreachable));
        QCOMPARE(env.dialogs.lastText(), message);
        checkIdle(display);
    }
};

KOLUMBRA_TEST(TestPrinting)
#include "PrintingTest.moc"
