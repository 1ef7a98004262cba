#include "EditingFixture.h"
#include "display/frmDisplayPicture.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QImageReader>
#include <QtTest>

namespace {

QImage pattern(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 5 % 256, (x + y) % 256));
    return image;
}

} // namespace

class ClipboardDeleteTest : public QObject
{
    Q_OBJECT

private slots:
    // A paste writes the clipboard's picture as a bitmap under the ".bmp" name
    // of the position; over a picture it asks first, and No keeps picture and mode.
    void pasteMode_data()
    {
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QImage>("clipboard");  // null: text on the clipboard
        QTest::addColumn<int>("answer");        // -1: no question expected
        QTest::addColumn<QString>("told");
        QTest::addColumn<QImage>("stored");
        const QString ask = QStringLiteral("Are you sure you want to change the picture?");
        const QImage image = pattern(QSize(64, 40));
        QImage clear(16, 16, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QImage white(16, 16, QImage::Format_RGB32);
        white.fill(Qt::white);
        const int no = int(Dialogs::Answer::No);
        const int yes = int(Dialogs::Answer::Yes);
        QTest::newRow("empty position: asks nothing") << false << image << -1 << QString() << image;
        QTest::newRow("filled, No: kept, mode on") << true << image << no << ask << QImage();
        QTest::newRow("filled, Yes: replaced") << true << image << yes << ask << image;
        QTest::newRow("see-through lands on white") << false << clear << -1 << QString() << white;
        QTest::newRow("text only")
            << false << QImage() << -1 << "There is no picture in the clipboard." << QImage();
    }

    void pasteMode()
    {
        QFETCH(bool, filled);
        QFETCH(QImage, clipboard);
        QFETCH(int, answer);
        QFETCH(QString, told);
        QFETCH(QImage, stored);
        EditingFixture f;
        const QString old = filled ? f.env.putPicture(f.album, 10, 5, QStringLiteral(".jpg"), QSize(30, 20))
                                   : f.env.store.placeholderPath();
        QVERIFY(f.open());
        f.form->mnuP_Click(10);
        if (clipboard.isNull())
            QApplication::clipboard()->setText(QStringLiteral("just words"));
        else
            QApplication::clipboard()->setImage(clipboard);
        if (answer >= 0)
            f.env.dialogs.answer(Dialogs::Answer(answer));
        f.action("mnuFromClip")->trigger();
        QTest::mouseClick(f.form->Image1(5), Qt::LeftButton);

        QCOMPARE(f.env.dialogs.lastText(), told);
        if (!told.isEmpty())
            QCOMPARE(f.env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QVERIFY(f.env.dialogs.allAnswered());
        const QString bmp = f.bitmap(10, 5);
        QCOMPARE(QFileInfo::exists(bmp), !stored.isNull());
        QCOMPARE(f.form->Image1(5)->path(), stored.isNull() ? old : bmp);
        if (!stored.isNull()) {
            QCOMPARE(QImage(bmp).convertToFormat(QImage::Format_RGB32), stored);
            QCOMPARE(QByteArray(QImageReader(bmp).format()), QByteArray("bmp"));
            QCOMPARE(f.form->Image1(5)->tag(), QStringLiteral("1"));
        }
        const bool modeOn = answer == int(Dialogs::Answer::No);
        QCOMPARE(f.env.values.FromClipOn, modeOn);
        QCOMPARE(f.editMenusEnabled(), all(!modeOn));
        QCOMPARE(f.label().isEmpty(), !modeOn);
    }

    void copyPutsTheWholePictureOnTheClipboard()
    {
        EditingFixture f;
        f.env.putPicture(f.album, 1, 4, QStringLiteral(".jpg"), QSize(900, 600));
        QVERIFY(f.open());
        f.action("mnuToClip")->trigger();
        QTest::mouseClick(f.form->Image1(4), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(900, 600));
        QVERIFY(!f.env.values.ToClipOn);
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(f.label().isEmpty());

        // An empty position gives the placeholder.
        f.env.values.PopupIndex = 2;
        f.editing().mnuDToClip_Click();
        QCOMPARE(QApplication::clipboard()->image().size(), f.form->Image1(0)->naturalSize());
    }

    // No keeps the mode and opens nothing; Yes takes every file of the position.
    void deleteTakesEveryFileOfThePosition()
    {
        EditingFixture f;
        f.env.putPicture(f.album, 2, 1, QStringLiteral(".jpg"), QSize(20, 20));
        f.env.putPicture(f.album, 2, 1, QStringLiteral(".bmp"), QSize(20, 20));
        f.env.putPicture(f.album, 2, 2, QStringLiteral(".jpg"), QSize(20, 20));
        f.env.putPicture(f.album, 10, 1, QStringLiteral(".jpg"), QSize(20, 20));
        QVERIFY(f.open());
        f.form->mnuP_Click(2);
        f.action("mnuDelete")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::No);
        QTest::mouseClick(f.form->Image1(1), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.lastText(),
                 QStringLiteral("Are you sure that you want to delete this picture from the album?"));
        QVERIFY(!f.env.owner().hasPictureWindow() || !f.env.owner().pictureWindow().isVisible());
        QCOMPARE(f.label(), QStringLiteral("Click on the picture that you want to delete."));
        QCOMPARE(f.albumFiles().size(), 4);

        f.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(f.form->Image1(1), Qt::LeftButton);
        QCOMPARE(f.albumFiles(), QStringList({"P10I0.jpg", "P2I1.jpg"}));
        QCOMPARE(f.form->Image1(1)->tag(), QStringLiteral("0"));
        QCOMPARE(f.form->Image1(1)->path(), f.env.store.placeholderPath());
        QVERIFY(!f.env.values.ImgDeleteOn);
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(f.label().isEmpty());
    }
};

KOLUMBRA_TEST(ClipboardDeleteTest)
#include "ClipboardDeleteTest.moc"
