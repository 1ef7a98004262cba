#include "albums/frmSelect.h"
#include "albumview/Form1.h"
#include "albumview/ThumbLayout.h"
#include "display/frmDisplayPicture.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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

int checkedPage(const Form1 &form)
{
    int page = 0;
    for (int k = 1; k <= 10; ++k) {
        if (form.pageItem(k)->isChecked()) {
            if (page != 0)
                return -1;  // more than one mark
            page = k;
        }
    }
    return page;
}

// A point of the page background that no thumbnail covers.
QPoint background(const Form1 &form)
{
    return QPoint(form.pageArea()->width() / 2, form.pageArea()->height() - 4);
}

} // namespace

class AlbumPageTest : public QObject
{
    Q_OBJECT

private slots:
    void positionsAreFilledFromTheirFiles()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(400, 300));
        env.putPicture(kAlbum, 1, 3, QStringLiteral(".JPG"), QSize(300, 400));
        env.putPicture(kAlbum, 1, 5, QStringLiteral(".jpg"), QSize(200, 100));
        const QString bmp = env.putPicture(kAlbum, 1, 5, QStringLiteral(".bmp"), QSize(100, 200));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QCOMPARE(tags(*form), QStringList({"1", "0", "1", "0", "1", "0"}));
        QCOMPARE(form->Image1(5)->path(), bmp);
        QCOMPARE(form->Image1(2)->path(), env.store.placeholderPath());
        QCOMPARE(form->windowTitle(), QStringLiteral("Summer, Page 1"));
        QCOMPARE(checkedPage(*form), 1);
        QVERIFY(form->instructionLabel()->text().isEmpty());

        // Laid out for the design page: the wide picture of position 1.
        const QRectF expected = ThumbLayout::toPixels(ThumbLayout::thumbRect(1, QSize(400, 300), 1, 1));
        const QRect got = form->Image1(1)->geometry();
        QVERIFY(qAbs(got.width() - expected.width()) <= 1 && qAbs(got.height() - expected.height()) <= 1);
        QVERIFY(qAbs(got.center().x() - expected.center().x()) <= 1);
        QCOMPARE(form->Image1(1)->accessibleName(), QStringLiteral("Picture 1 of page 1"));
        QVERIFY(!env.owner().albumList().isVisible());
        QVERIFY(form->isVisible());
    }

    void emptyAlbumShowsSixPlaceholders()
    {
        TestEnvironment env;
        env.makeAlbum(QStringLiteral("New one"));
        Form1 *form = env.openAlbum(QStringLiteral("New one"));
        QVERIFY(form);
        QCOMPARE(tags(*form), QStringList({"0", "0", "0", "0", "0", "0"}));
        for (int n = 1; n <= 6; ++n) {
            QVERIFY(form->Image1(n)->hasPicture());
            QVERIFY(form->Image1(n)->isVisible());
        }
        QCOMPARE(form->windowTitle(), QStringLiteral("New one, Page 1"));
    }

    void thumbnailsAreDecodedSmall()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 2, QStringLiteral(".jpg"), QSize(3000, 2000));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QCOMPARE(form->Image1(2)->naturalSize(), QSize(3000, 2000));
        QVERIFY(form->Image1(2)->pixmap().width() <= 160);
    }

    void functionKeysTurnPagesAndMoveTheMark()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, 2, 1, QStringLiteral(".jpg"), QSize(40, 30));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));

        QTest::keyClick(form, Qt::Key_F2);
        QCOMPARE(env.values.PageNumber, 2);
        QCOMPARE(checkedPage(*form), 2);
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("1"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Summer, Page 2"));

        QTest::keyClick(form, Qt::Key_F11);
        QCOMPARE(env.values.PageNumber, 10);
        QCOMPARE(checkedPage(*form), 10);
        QCOMPARE(form->pageItem(10)->text(), QStringLiteral("Page 1&0"));

        QTest::keyClick(form, Qt::Key_F10);
        QCOMPARE(env.values.PageNumber, 10);

        // The page shown is not loaded again: a picture added meanwhile stays
        // unseen until the page is loaded anew.
        QTest::keyClick(form, Qt::Key_F3);
        env.putPicture(kAlbum, 3, 1, QStringLiteral(".jpg"), QSize(40, 30));
        QTest::keyClick(form, Qt::Key_F3);
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("0"));
        QTest::keyClick(form, Qt::Key_F1);
        QTest::keyClick(form, Qt::Key_F3);
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("1"));

        // A menu item chosen with the mouse works the same.
        form->pageItem(9)->trigger();
        QCOMPARE(env.values.PageNumber, 9);
        QCOMPARE(checkedPage(*form), 9);
        form->pageItem(9)->trigger();
        QCOMPARE(checkedPage(*form), 9);
    }

    void greyedPageMenuIgnoresItsKeys()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        form->MNUOff();
        QTest::keyClick(form, Qt::Key_F4);
        QCOMPARE(env.values.PageNumber, 1);
        form->MNUOn();
        QTest::keyClick(form, Qt::Key_F4);
        QCOMPARE(env.values.PageNumber, 4);
    }

    void backgroundClicksTurnPagesWithinLimits()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QWidget *page = form->pageArea();

        QTest::mouseClick(page, Qt::LeftButton, {}, background(*form));
        QCOMPARE(env.values.PageNumber, 1);  // no page before the first
        QTest::mouseClick(page, Qt::RightButton, {}, background(*form));
        QCOMPARE(env.values.PageNumber, 2);
        QCOMPARE(checkedPage(*form), 2);
        QTest::mouseClick(page, Qt::LeftButton, {}, background(*form));
        QCOMPARE(env.values.PageNumber, 1);

        form->mnuP_Click(10);
        QTest::mouseClick(page, Qt::RightButton, {}, background(*form));
        QCOMPARE(env.values.PageNumber, 10);  // no wrap-around

        // Delete, copy and add modes hold the background still; the label
        // still turns pages; paste mode does not hold anything.
        env.values.ImgDeleteOn = true;
        QTest::mouseClick(page, Qt::LeftButton, {}, background(*form));
        QCOMPARE(env.values.PageNumber, 10);
        QTest::mouseClick(form->instructionLabel(), Qt::LeftButton);
        QCOMPARE(env.values.PageNumber, 9);
        env.values.ImgDeleteOn = false;
        env.values.ToClipOn = true;
        QTest::mouseClick(page, Qt::LeftButton, {}, background(*form));
        QCOMPARE(env.values.PageNumber, 9);
        env.values.ToClipOn = false;
        env.values.FromClipOn = true;
        QTest::mouseClick(page, Qt::LeftButton, {}, background(*form));
        QCOMPARE(env.values.PageNumber, 8);
    }

    void selectAlbumReturnsAndReopensAtPageOne()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(40, 30));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        form->mnuP_Click(7);
        form->findChild<QAction *>(QStringLiteral("mnuSelectAlbum"))->trigger();
        QVERIFY(!form->isVisible());
        QVERIFY(env.owner().albumList().isVisible());
        QCOMPARE(env.values.PageNumber, 1);
        QVERIFY(!env.values.PageLoaded);

        form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QCOMPARE(env.values.PageNumber, 1);
        QCOMPARE(checkedPage(*form), 1);
        QCOMPARE(form->Image1(1)->tag(), QStringLiteral("1"));
        QCOMPARE(form->windowTitle(), QStringLiteral("Summer, Page 1"));
    }

    void thumbnailOpensThePictureAndComesBackUnchanged()
    {
        TestEnvironment env;
        const QString path = env.putPicture(kAlbum, 1, 4, QStringLiteral(".jpg"), QSize(60, 40));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QTest::mouseClick(form->Image1(4), Qt::LeftButton);
        frmDisplayPicture &display = env.owner().pictureWindow();
        QVERIFY(display.isVisible());
        QVERIFY(!form->isVisible());
        QCOMPARE(env.values.PictureNumber, 4);
        QCOMPARE(display.image()->path(), path);

        // Coming back shows the page as it was; nothing is loaded again.
        QFile::remove(path);
        QTest::mouseClick(display.image(), Qt::LeftButton);
        QVERIFY(form->isVisible());
        QVERIFY(!display.isVisible());
        QCOMPARE(form->Image1(4)->tag(), QStringLiteral("1"));
        QCOMPARE(form->Image1(4)->path(), path);
        for (int n = 1; n <= 6; ++n)
            QVERIFY(form->Image1(n)->isVisible());
    }

    void rightClickOnAThumbnailOpensPictureEdit()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        env.values.ImgDeleteOn = true;  // in any mode
        QTest::mouseClick(form->Image1(6), Qt::RightButton);
        QTRY_VERIFY(form->pictureEditMenu()->isVisible());
        QCOMPARE(env.values.PopupIndex, 6);
        QCOMPARE(env.values.PictureNumber, 6);
        form->pictureEditMenu()->hide();
        QCOMPARE(form->pictureEditMenu()->title(), QStringLiteral("Picture Edit"));
    }

    void resizingKeepsTheShape()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(env.values.ResizeArmed);
        const QRect before = form->Image1(5)->geometry();
        form->resize(1000, form->height());  // only the width grows
        QTRY_VERIFY(qAbs(form->frameGeometry().height() - form->frameGeometry().width() * 0.7375) <= 2);
        const QRect after = form->Image1(5)->geometry();
        QVERIFY(after.width() > before.width());
        QVERIFY(env.values.LastScaleWidth > 1000);

        form->resize(form->width(), 100);  // far below the minimum
        QTRY_VERIFY(form->frameGeometry().height() >= 233);
        QTRY_VERIFY(qAbs(form->frameGeometry().width() - form->frameGeometry().height() * 1.3559322034) <= 2);
    }

    void brokenPicturesShowThePlaceholder()
    {
        TestEnvironment env;
        QStringList files;
        for (const char *dir : {"bmpsuite-2.8/b", "bmpsuite-2.8/q", "jpeg-mozilla-reftest"}) {
            QDirIterator it(TestEnvironment::testData(QLatin1String(dir)), {QStringLiteral("*.bmp"), QStringLiteral("*.jpg")});
            while (it.hasNext())
                files << it.next();
        }
        QVERIFY(files.size() > 60);
        files = files.mid(0, 60);
        for (int i = 0; i < files.size(); ++i)
            env.putFile(kAlbum, i / 6 + 1, i % 6 + 1, QStringLiteral(".bmp"), files.at(i));
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        for (int page = 1; page <= 10; ++page) {
            form->mnuP_Click(page);
            for (int n = 1; n <= 6; ++n) {
                PictureView *view = form->Image1(n);
                QVERIFY(view->hasPicture());
                if (view->tag() == QLatin1String("0"))
                    QCOMPARE(view->path(), env.store.placeholderPath());
                else
                    QVERIFY(view->naturalSize().isValid());
            }
        }
    }

    void escapeAndClosingEndTheProgram()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        Form1 *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);

        TestEnvironment other;
        other.makeAlbum(kAlbum);
        form = other.openAlbum(kAlbum);
        QVERIFY(form);
        form->close();
        QCOMPARE(other.endCount(), 1);
    }

    void menusCarryTheirCaptions()
    {
        TestEnvironment env;
        Form1 &form = env.owner().albumPage();
        QStringList bar;
        const QList<QAction *> actions = form.menuBar()->actions();
        for (const QAction *a : actions)
            bar << a->text();
        QCOMPARE(bar, QStringList({"&Page", "     ", "&Select Album", "     ", "&Edit", "     ", "&Help"}));
        QVERIFY(!form.findChild<QAction *>(QStringLiteral("mnuSpace0"))->isEnabled());
        QCOMPARE(form.findChild<QAction *>(QStringLiteral("mnuCancelEdit"))->text(), QStringLiteral("Cancel Ed&iT"));
        QCOMPARE(form.findChild<QAction *>(QStringLiteral("mnuDelete"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
        QCOMPARE(form.Image1(3)->toolTip(),
                 QStringLiteral("Left click to display the picture or right click for a edit menu"));
    }
};

KOLUMBRA_TEST(AlbumPageTest)
#include "AlbumPageTest.moc"
