#include "EditingFixture.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QImageReader>
#include <QtTest>

// The click modes of the Edit menu: paste, copy and delete.
class EditModesTest : public QObject
{
    Q_OBJECT

private slots:
    // Each mode shows its instruction and greys the nine menus, whose keys
    // then do nothing; "Cancel Ed&iT" ends any mode.
    void modesGreyTheMenusUntilCancelled_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flag");  // 0 paste, 1 copy, 2 delete
        QTest::newRow("paste") << QKeySequence(QStringLiteral("Ctrl+F"))
                               << "Click the location where you want the picture to appear." << 0;
        QTest::newRow("copy") << QKeySequence(QStringLiteral("Ctrl+T"))
                              << "Click on the picture you want to send to the Clipboard." << 1;
        QTest::newRow("delete") << QKeySequence(QStringLiteral("Ctrl+E"))
                                << "Click on the picture that you want to delete." << 2;
    }

    void modesGreyTheMenusUntilCancelled()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, text);
        QFETCH(int, flag);
        EditingFixture f;
        QVERIFY(f.open());
        QVERIFY(QTest::qWaitForWindowActive(f.form));
        const auto flags = [&f] {
            const EditMode mode = f.editing().mode();
            return QList<bool>{mode == EditMode::PasteFromClipboard, mode == EditMode::CopyToClipboard,
                               mode == EditMode::Delete};
        };
        QList<bool> expected(3, false);
        expected[flag] = true;
        QTest::keySequence(f.form, key);
        QCOMPARE(flags(), expected);
        QCOMPARE(f.label(), text);
        QVERIFY(f.editMenus(false));

        // What is greyed is out of reach, by key or by a command under a greyed menu.
        QTest::keySequence(f.form, QKeySequence(QStringLiteral("Ctrl+E")));
        f.action("mnuFromClip")->trigger();
        QCOMPARE(flags(), expected);

        f.action("mnuCancelEdit")->trigger();
        QCOMPARE(flags(), QList<bool>(3, false));
        QVERIFY(f.editMenus(true));
        QVERIFY(f.label().isEmpty());
    }

    // A paste writes the clipboard's picture as a bitmap under the ".bmp" name
    // of the position; over a picture it asks first, and No keeps picture and mode.
    void pasteMode_data()
    {
        QTest::addColumn<QImage>("clipboard");  // null: text on the clipboard
        QTest::addColumn<int>("answer");        // -1: an empty position, no question
        QTest::addColumn<QString>("told");
        QTest::addColumn<QImage>("stored");
        const QString ask = QStringLiteral("Are you sure you want to change the picture?");
        QImage image(64, 40, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
        }
        QTest::newRow("empty position") << image << -1 << QString() << image;
        QTest::newRow("filled, No: kept, mode on") << image << int(Dialogs::Answer::No) << ask << QImage();
        QTest::newRow("filled, Yes: replaced") << image << int(Dialogs::Answer::Yes) << ask << image;
        QTest::newRow("text only") << QImage() << -1 << "There is no picture in the clipboard." << QImage();
        // A bitmap keeps no see-through pixels: they are stored white, not black.
        QImage seeThrough(64, 40, QImage::Format_ARGB32);
        seeThrough.fill(Qt::transparent);
        QImage onWhite(64, 40, QImage::Format_RGB32);
        onWhite.fill(Qt::white);
        for (QImage *i : {&seeThrough, &onWhite}) {
            for (int x = 10; x < 30; ++x)
                i->setPixel(x, 20, qRgb(200, 0, 0));
        }
        QTest::newRow("see-through") << seeThrough << -1 << QString() << onWhite;
    }

    void pasteMode()
    {
        QFETCH(QImage, clipboard);
        QFETCH(int, answer);
        QFETCH(QString, told);
        QFETCH(QImage, stored);
        EditingFixture f;
        const QString old = answer >= 0 ? f.env.putPicture(f.album, QStringLiteral("P10I4.jpg"), QSize(30, 20))
                                        : QDir(f.env.programFolder()).filePath(QStringLiteral("EMPTY.BMP"));
        QVERIFY(f.open());
        f.form->mnuP_Click(10);
        if (clipboard.isNull())
            QApplication::clipboard()->setText(QStringLiteral("just words"));
        else
            QApplication::clipboard()->setImage(clipboard);
        if (answer >= 0)
            f.env.dialogs.answer(Dialogs::Answer(answer));
        f.action("mnuFromClip")->trigger();
        QTest::mouseClick(f.form->grid().view(5), Qt::LeftButton);

        QCOMPARE(f.env.dialogs.lastText(), told);
        QVERIFY(f.env.dialogs.allAnswered());
        const QString bmp = f.file(QStringLiteral("P10I4.bmp"));
        QCOMPARE(f.form->grid().view(5)->path(), stored.isNull() ? old : bmp);
        QCOMPARE(QImage(bmp).convertToFormat(QImage::Format_RGB32), stored);
        QCOMPARE(QImageReader(bmp).format(), stored.isNull() ? QByteArray() : QByteArray("bmp"));
        QCOMPARE(f.editing().mode() == EditMode::PasteFromClipboard, answer == int(Dialogs::Answer::No));
    }

    void copyPutsTheWholePictureOnTheClipboard()
    {
        EditingFixture f;
        f.env.putPicture(f.album, QStringLiteral("P1I3.jpg"), QSize(900, 600));
        QVERIFY(f.open());
        f.action("mnuToClip")->trigger();
        QTest::mouseClick(f.form->grid().view(4), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(900, 600));
        QCOMPARE(f.editing().mode(), EditMode::None);

        // An empty position gives the placeholder.
        f.editing().setPopupPosition(2);
        f.editing().mnuDToClip_Click();
        QCOMPARE(QApplication::clipboard()->image().size(), f.form->grid().placeholder().naturalSize);
    }

    // No keeps the mode; Yes takes every file of the position.
    void deleteTakesEveryFileOfThePosition()
    {
        EditingFixture f;
        for (const char *name : {"P2I0.jpg", "P2I0.bmp"})
            f.env.putPicture(f.album, QLatin1String(name), QSize(20, 20));
        f.env.putPicture(f.album, QStringLiteral("P2I1.jpg"), QSize(20, 20));
        f.env.putPicture(f.album, QStringLiteral("P10I0.jpg"), QSize(20, 20));
        QVERIFY(f.open());
        f.form->mnuP_Click(2);
        f.action("mnuDelete")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::No);
        QTest::mouseClick(f.form->grid().view(1), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.lastText(),
                 QStringLiteral("Are you sure that you want to delete this picture from the album?"));
        QCOMPARE(f.editing().mode(), EditMode::Delete);
        QCOMPARE(f.albumFiles().size(), 4);

        f.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(f.form->grid().view(1), Qt::LeftButton);
        QCOMPARE(f.albumFiles(), QStringList({"P10I0.jpg", "P2I1.jpg"}));
        QCOMPARE(f.form->grid().view(1)->path(), QDir(f.env.programFolder()).filePath(QStringLiteral("EMPTY.BMP")));
        QCOMPARE(f.editing().mode(), EditMode::None);
    }
};

KOLUMBRA_TEST(EditModesTest)
#include "EditModesTest.moc"
