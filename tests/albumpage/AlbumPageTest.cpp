#include "albumpage/AlbumPageWindow.h"
#include "albumpage/ThumbnailGrid.h"
#include "albums/AlbumListWindow.h"
#include "display/PictureWindow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"

#include <QDir>
#include <QLabel>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Summer");

// "1" for each position that holds a picture, "0" for each empty one.
QStringList filled(const AlbumPageWindow &form)
{
    QStringList t;
    for (int n = 1; n <= 6; ++n)
        t << (form.grid().isFilled(n) ? QStringLiteral("1") : QStringLiteral("0"));
    return t;
}

// The one page marked in the Page menu; -1 when several are.
int checkedPage(const AlbumPageWindow &form)
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
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QCOMPARE(filled(*form), QStringList({"1", "0", "1", "0", "1", "0"}));
        QCOMPARE(form->grid().view(5)->path(), bmp);
        QCOMPARE(form->grid().view(2)->path(), QDir(env.programFolder()).filePath(QStringLiteral("EMPTY.BMP")));

        // Decoded small, laid out by the size the file has.
        QCOMPARE(form->grid().view(1)->naturalSize(), QSize(3000, 2000));
        QVERIFY(form->grid().view(1)->pixmap().width() <= 160);
        // The full box width, centred on the box of position 1.
        QCOMPARE(form->grid().view(1)->geometry(), QRect(48, 58, 153, 102));
    }

    void keysAndClicksTurnPagesWithinLimits()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, QStringLiteral("P2I0.jpg"), QSize(40, 30));
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(form, Qt::Key_F2);
        QCOMPARE(env.session.page, 2);
        QCOMPARE(checkedPage(*form), 2);
        QVERIFY(form->grid().isFilled(1));
        QCOMPARE(form->windowTitle(), QStringLiteral("Summer, Page 2"));
        QTest::keyClick(form, Qt::Key_F11);
        QCOMPARE(checkedPage(*form), 10);
        QTest::keyClick(form, Qt::Key_F3);

        QWidget *page = &form->grid();
        const QPoint background(page->width() / 2, page->height() - 4);  // below every thumbnail
        QTest::mouseClick(page, Qt::RightButton, {}, background);
        QCOMPARE(env.session.page, 4);
        QCOMPARE(checkedPage(*form), 4);
        for (int click = 0; click < 4; ++click)
            QTest::mouseClick(page, Qt::LeftButton, {}, background);
        QCOMPARE(env.session.page, 1);  // no page before the first
        form->mnuP_Click(10);
        QTest::mouseClick(page, Qt::RightButton, {}, background);
        QCOMPARE(env.session.page, 10);  // no wrap-around

        QTest::keyClick(form, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);
    }

    // "&Select Album" goes back to the list, the album opens again at page 1,
    // and closing the page ends the program.
    void selectAlbumReturnsAndReopensAtPageOne()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(40, 30));
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        form->mnuP_Click(7);
        form->findChild<QAction *>(QStringLiteral("mnuSelectAlbum"))->trigger();
        QVERIFY(env.owner().albumList().isVisible());

        form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QCOMPARE(env.session.page, 1);
        QVERIFY(form->grid().isFilled(1));
        QCOMPARE(env.endCount(), 0);
        form->close();
        QCOMPARE(env.endCount(), 1);
    }

    void thumbnailOpensThePictureAndComesBackUnchanged()
    {
        TestEnvironment env;
        const QString path = env.putPicture(kAlbum, QStringLiteral("P1I3.jpg"), QSize(60, 40));
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QTest::mouseClick(form->grid().view(4), Qt::LeftButton);
        PictureWindow &display = env.owner().pictureWindow();
        QVERIFY(display.isVisible());
        QCOMPARE(display.image()->path(), path);

        // Coming back shows the page as it was; nothing is loaded again.
        QFile::remove(path);
        QTest::mouseClick(display.image(), Qt::LeftButton);
        QVERIFY(form->isVisible());
        QCOMPARE(form->grid().view(4)->path(), path);
    }

    // While a page loads the window is disabled; the line that says so
    // stays in the text colour, readable on the page's blue.
    void loadingLineIsReadable()
    {
        TestEnvironment env;
        env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(40, 30));
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        QLabel *line = form->instructionLabel();
        line->setText(QStringLiteral("Calculating Picture  - - -  Loading Page 1   - - -   Please Wait ."));
        line->show();
        form->setEnabled(false);
        const QImage shot = line->grab().toImage();
        form->setEnabled(true);
        const auto luminance = [](QRgb c) {
            const auto channel = [](int v) {
                const double s = v / 255.0;
                return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
        };
        double darkest = 1.0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                darkest = std::min(darkest, luminance(shot.pixel(x, y)));
        const double background = luminance(qRgb(192, 192, 255));
        QVERIFY2((background + 0.05) / (darkest + 0.05) >= 4.5, "the loading line is too faint to read");
    }

    void resizingKeepsTheShapeAndGrowsTheThumbnails()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        AlbumPageWindow *form = env.openAlbum(kAlbum);
        QVERIFY(form);
        const QRect before = form->grid().view(5)->geometry();
        form->resize(1000, form->height());  // only the width grows
        QTRY_VERIFY(qAbs(form->frameGeometry().height() - form->frameGeometry().width() * 0.7375) <= 2);
        QVERIFY(form->grid().view(5)->geometry().width() > before.width());
    }
};

KOLUMBRA_TEST(AlbumPageTest)
#include "AlbumPageTest.moc"
