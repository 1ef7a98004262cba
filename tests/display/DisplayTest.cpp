#include "albumview/Form1.h"
#include "display/PictureFit.h"
#include "display/frmDisplayPicture.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QMenu>
#include <QtTest>

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
        const QSizeF inner(600, 400);
        const QSizeF outer(610, 430);
        // Wide in a wider window: the inner width, centred on the outer height.
        QTest::newRow("wide") << QSize(400, 200) << inner << outer << QRectF(0, 215 - 150, 600, 300);
        // Wide, but the window is proportionally taller than the picture is wide.
        QTest::newRow("wide but not enough") << QSize(500, 400) << inner << outer << QRectF(305 - 250, 0, 500, 400);
        QTest::newRow("upright") << QSize(300, 600) << inner << outer << QRectF(305 - 100, 0, 200, 400);
        QTest::newRow("square") << QSize(500, 500) << inner << outer << QRectF(305 - 200, 0, 400, 400);
        QTest::newRow("placeholder in a tall window") << QSize(300, 300) << QSizeF(300, 500) << QSizeF(300, 500)
                                                      << QRectF(-100, 0, 500, 500);
    }

    void fitting()
    {
        QFETCH(QSize, natural);
        QFETCH(QSizeF, inner);
        QFETCH(QSizeF, outer);
        QFETCH(QRectF, expected);
        QCOMPARE(PictureFit::sizePicture(natural, inner, outer), expected);
    }

    void pictureOpensLargeAndClicksGoBackOrOpenTheMenu()
    {
        TestEnvironment env(QSize(640, 480));
        env.putPicture(QStringLiteral("A"), 1, 1, QStringLiteral(".jpg"), QSize(3000, 1500));
        Form1 *form = env.openAlbum(QStringLiteral("A"));
        QVERIFY(form);
        QTest::mouseClick(form->Image1(1), Qt::LeftButton);
        frmDisplayPicture &display = env.owner().pictureWindow();
        QVERIFY(display.isVisible());
        QCOMPARE(display.image()->width(), display.width());
        QCOMPARE(display.image()->height(), display.width() / 2);
        // Decoded for the window, not at full size, and sharper than the thumbnail.
        QVERIFY(display.image()->pixmap().width() <= display.width());
        QVERIFY(display.image()->pixmap().width() > form->Image1(1)->pixmap().width());

        QTest::mouseClick(&display, Qt::RightButton, {}, QPoint(2, 2));
        QTRY_VERIFY(display.popupMenu()->isVisible());
        QStringList captions;
        for (const QAction *a : display.popupMenu()->actions())
            captions << a->text();
        QCOMPARE(captions, QStringList({"Back to Thumbnails", "Print Picture", "Picture Information", "", "Cancel "}));
        display.popupMenu()->hide();
        QVERIFY(display.isVisible());

        form->mnuP_Click(3);
        form->setWindowTitle(QString());
        QTest::mouseClick(&display, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!display.isVisible());
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("A, Page 3"));

        // An empty position opens its placeholder, fitted like any picture.
        QTest::mouseClick(form->Image1(2), Qt::LeftButton);
        QCOMPARE(display.image()->path(), env.store.placeholderPath());
        QVERIFY(display.image()->height() > 0);
        display.popupMenu()->findChild<QAction *>(QStringLiteral("mnuBack"))->trigger();
        QVERIFY(form->isVisible());
    }

    // The window grows by the screen ratio on every activation, never past
    // the screen.
    void windowGrowsWithinTheScreen()
    {
        TestEnvironment env(QSize(1024, 768));
        env.values.ScreenRatio = 1.6;
        frmDisplayPicture &display = env.owner().pictureWindow();
        const QSize design = display.size();
        env.owner().present(display);
        QVERIFY(display.width() > design.width());
        for (int i = 0; i < 4; ++i) {
            display.hide();
            env.owner().present(display);
        }
        QVERIFY(QRect(0, 0, 1024, 768).contains(display.frameGeometry()));
        // Esc ends the program.
        QVERIFY(QTest::qWaitForWindowActive(&display));
        QTest::keyClick(&display, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);
    }
};

KOLUMBRA_TEST(DisplayTest)
#include "DisplayTest.moc"
