#include "albums/frmSelect.h"
#include "albumview/Form1.h"
#include "display/frmDisplayPicture.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Summer");

QStringList tags(const Form1 &form)
{
    QStringList t;
    for (int n = 1; n <= 6; ++n)
        t << form.Image1(n)->tag();
    return t;
}

// The one page marked in the Page menu; -1 when several are.
int checkedPage(const Form1 &form)
{
    int page = 0;
    for (int k = 1; k <= 10; ++k) {
        if (form.pageItem(k)->isChecked())
            page = page == 0 ? k : -1;
    }
    return page;
}

}  // namespace

class AlbumPageTest : public QObject
{
    Q_OBJECT

private slots:
    void positionsAreFilledFromTheirFiles()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(3000, 2000));
        env.putPicture(kAlbum, QStringLiteral("P1I2.JPG"), QSize(300, 400));
        env.putPicture(kAlbum, QStringLiteral("P1I4.jpg"), QSize(200, 100));
        const QString bmp = env.putPicture(kAlbum, QStringLiteral("P1I4.bmp"), QSize(100, 200));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QCOMPARE(tags(*form), QStringList({"1", "0", "1", "0", "1", "0"}));
        QCOMPARE(form->Image1(5)->path(), bmp);
        QCOMPARE(form->Image1(2)->path(), QDir(env.programFolder()).filePath(QStringLiteral("EMPTY.BMP")));

        // Decoded small, laid out by the size the file has.
        QCOMPARE(form->Image1(1)->naturalSize(), QSize(3000, 2000));
        QVERIFY(form->Image1(1)->pixmap().width() <= 160);
        // The full box width, centred on the box of position 1.
        QCOMPARE(form->Image1(1)->geometry(), QRect(48, 58, 153, 102));
    }

    void keysAndClicksTurnPagesWithinLimits()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, QStringLiteral("P2I0.jpg"), QSize(40, 30));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_F2);
        QCOMPARE(env.values.PageNumber, 2);
        QCOMPARE(checkedPage(*form), 2);
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("1"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Summer, Page 2"));
        QTest::keyClick(form, Qt::Key_F11);
        QCOMPARE(checkedPage(*form), 10);
        QTest::keyClick(form, Qt::Key_F3);

        QWidget *page = form->pageArea();
        const QPoint background(page->width() / 2, page->height() - 4);  // below every thumbnail
        QTest::mouseClick(page, Qt::RightButton, {}, background);
        QCOMPARE(env.values.PageNumber, 4);
        QCOMPARE(checkedPage(*form), 4);
        for (int click = 0; click < 4; ++click)
            QTest::mouseClick(page, Qt::LeftButton, {}, background);
        QCOMPARE(env.values.PageNumber, 1);  // no page before the first
        form->mnuP_Click(10);
        QTest::mouseClick(page, Qt::RightButton, {}, background);
        QCOMPARE(env.values.PageNumber, 10);  // no wrap-around

        QTest::keyClick(form, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);
    }

    // "&Select Album" goes back to the list, the album opens again at page 1,
    // and closing the page ends the program.
    void selectAlbumReturnsAndReopensAtPageOne()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(40, 30));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        form->mnuP_Click(7);
        form->findChild<QAction *>(QStringLiteral("mnuSelectAlbum"))->trigger();
        QVERIFY(env.owner().albumList().isVisible());

        form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QCOMPARE(env.values.PageNumber, 1);
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("1"));
        QCOMPARE(env.endCount(), 0);
        form->close();
        QCOMPARE(env.endCount(), 1);
    }

    void thumbnailOpensThePictureAndComesBackUnchanged()
    {
        TestEnvironment env;
        const QString path = env.putPicture(kAlbum, QStringLiteral("P1I3.jpg"), QSize(60, 40));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QTest::mouseClick(form->Image1(4), Qt::LeftButton);
        frmDisplayPicture &display = env.owner().pictureWindow();
        QVERIFY(display.isVisible());
        QCOMPARE(display.image()->path(), path);

        // Coming back shows the page as it was; nothing is loaded again.
        QFile::remove(path);
        QTest::mouseClick(display.image(), Qt::LeftButton);
        QVERIFY(form->isVisible());
        QCOMPARE(form->Image1(4)->path(), path);
    }

    void resizingKeepsTheShapeAndGrowsTheThumbnails()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        const QRect before = form->Image1(5)->geometry();
        form->resize(1000, form->height());  // only the width grows
        QTRY_VERIFY(qAbs(form->frameGeometry().height() - form->frameGeometry().width() * 0.7375) <= 2);
        QVERIFY(form->Image1(5)->geometry().width() > before.width());
    }
};

KOLUMBRA_TEST(AlbumPageTest)
#include "AlbumPageTest.moc"
