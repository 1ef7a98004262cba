#include "EditingFixture.h"
#include "support/TestMain.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QImageReader>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Album");

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
    void pasteIntoAnEmptyPositionAsksNothing()
    {
        EditingFixture f;
        QVERIFY(f.open());
        f.form->mnuP_Click(10);
        const QString jpg = f.env.putPicture(kAlbum, 10, 6, QStringLiteral(".jpg"), QSize(8, 8));
        const QImage picture = pattern(QSize(64, 40));
        QApplication::clipboard()->setImage(picture);
        f.action("mnuFromClip")->trigger();
        QTest::mouseClick(f.form->Image1(5), Qt::LeftButton);
        QVERIFY(f.env.dialogs.shown().isEmpty());
        const QString bmp = f.env.store.picturePath(kAlbum, 10, 5, QStringLiteral(".bmp"));
        const QImage written(bmp);
        QCOMPARE(written.convertToFormat(QImage::Format_RGB32), picture);
        QCOMPARE(QByteArray(QImageReader(bmp).format()), QByteArray("bmp"));
        QCOMPARE(f.form->Image1(5)->tag(), QStringLiteral("1"));
        QVERIFY(!f.env.values.FromClipOn);
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(f.label().isEmpty());
        QVERIFY(QFileInfo::exists(jpg));
    }

    void pasteOverAPictureAsksAndNoKeepsIt()
    {
        EditingFixture f;
        const QString old = f.env.putPicture(kAlbum, 1, 2, QStringLiteral(".jpg"), QSize(30, 20));
        QVERIFY(f.open());
        QApplication::clipboard()->setImage(pattern(QSize(10, 10)));
        f.action("mnuFromClipboard")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::No);
        QTest::mouseClick(f.form->Image1(2), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.lastText(), QStringLiteral("Are you sure you want to change the picture?"));
        QVERIFY(f.env.values.FromClipOn);
        QCOMPARE(f.form->Image1(2)->path(), old);
        QVERIFY(!QFileInfo::exists(f.env.store.picturePath(kAlbum, 1, 2, QStringLiteral(".bmp"))));

        f.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(f.form->Image1(2), Qt::LeftButton);
        QVERIFY(QFileInfo::exists(f.env.store.picturePath(kAlbum, 1, 2, QStringLiteral(".bmp"))));
        QCOMPARE(f.form->Image1(2)->naturalSize(), QSize(10, 10));
        QVERIFY(!f.env.values.FromClipOn);
    }

    void textOnTheClipboardIsNoPicture()
    {
        EditingFixture f;
        QVERIFY(f.open());
        QApplication::clipboard()->setText(QStringLiteral("just words"));
        f.action("mnuFromClip")->trigger();
        QTest::mouseClick(f.form->Image1(1), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.lastText(), QStringLiteral("There is no picture in the clipboard."));
        QCOMPARE(f.env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QVERIFY(!f.env.values.FromClipOn);
        QCOMPARE(f.editMenusEnabled(), all(true));
        QCOMPARE(f.form->Image1(1)->tag(), QStringLiteral("0"));
        QVERIFY(QDir(f.env.store.albumFolder(kAlbum)).entryList(QDir::Files).isEmpty());
    }

    void popupPasteLeavesModeAndLabelAlone()
    {
        EditingFixture f;
        QVERIFY(f.open());
        f.action("mnuDelete")->trigger();
        QApplication::clipboard()->setImage(pattern(QSize(20, 30)));
        f.env.values.PopupIndex = 3;
        f.action("mnuPFromClip")->setEnabled(true);
        f.editing().mnuPFromClip_Click();
        QCOMPARE(f.form->Image1(3)->tag(), QStringLiteral("1"));
        QVERIFY(f.env.values.ImgDeleteOn);
        QCOMPARE(f.label(), QStringLiteral("Click on the picture that you want to delete."));
        QCOMPARE(f.editMenusEnabled(), all(false));
    }

    void pasteWithTransparencyLandsOnWhite()
    {
        EditingFixture f;
        QVERIFY(f.open());
        QImage clear(16, 16, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QApplication::clipboard()->setImage(clear);
        f.env.values.PopupIndex = 1;
        f.editing().mnuAddFromClipboard_Click();
        const QImage written(f.env.store.picturePath(kAlbum, 1, 1, QStringLiteral(".bmp")));
        QCOMPARE(written.pixel(8, 8), qRgb(255, 255, 255));
    }

    void copyPutsTheWholePictureOnTheClipboard()
    {
        EditingFixture f;
        f.env.putPicture(kAlbum, 1, 4, QStringLiteral(".jpg"), QSize(900, 600));
        QVERIFY(f.open());
        f.action("mnuToClip")->trigger();
        QCOMPARE(f.label(), QStringLiteral("Click on the picture you want to send to the Clipboard."));
        QTest::mouseClick(f.form->Image1(4), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(900, 600));
        QVERIFY(!f.env.values.ToClipOn);
        QCOMPARE(f.editMenusEnabled(), all(true));

        // An empty position gives the placeholder.
        f.env.values.PopupIndex = 2;
        f.editing().mnuDToClip_Click();
        QCOMPARE(QApplication::clipboard()->image().size(), f.form->Image1(0)->naturalSize());
    }

    void deleteTakesEveryFileOfThePosition()
    {
        EditingFixture f;
        f.env.putPicture(kAlbum, 2, 1, QStringLiteral(".jpg"), QSize(20, 20));
        f.env.putPicture(kAlbum, 2, 1, QStringLiteral(".bmp"), QSize(20, 20));
        f.env.putPicture(kAlbum, 2, 2, QStringLiteral(".jpg"), QSize(20, 20));
        f.env.putPicture(kAlbum, 10, 1, QStringLiteral(".jpg"), QSize(20, 20));
        QVERIFY(f.open());
        f.form->mnuP_Click(2);
        f.action("mnuDelete")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(f.form->Image1(1), Qt::LeftButton);
        QCOMPARE(QDir(f.env.store.albumFolder(kAlbum)).entryList(QDir::Files, QDir::Name),
                 QStringList({"P10I0.jpg", "P2I1.jpg"}));
        QCOMPARE(f.form->Image1(1)->tag(), QStringLiteral("0"));
        QCOMPARE(f.form->Image1(1)->path(), f.env.store.placeholderPath());
        QVERIFY(!f.env.values.ImgDeleteOn);
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(f.label().isEmpty());
    }

    void popupDeleteOfAnEmptyPositionChangesNothing()
    {
        EditingFixture f;
        f.env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(20, 20));
        QVERIFY(f.open());
        f.env.values.PopupIndex = 2;
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        f.editing().mnuDDelete_Click();
        QCOMPARE(f.env.dialogs.lastText(), QStringLiteral("Are you sure that you want to delete this picture from the album?"));
        QCOMPARE(QDir(f.env.store.albumFolder(kAlbum)).entryList(QDir::Files), QStringList("P1I0.jpg"));
    }
};

KOLUMBRA_TEST(ClipboardDeleteTest)
#include "ClipboardDeleteTest.moc"
