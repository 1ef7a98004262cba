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
        const QSizeF in(600, 400);
        const QSizeF out(610, 430);
        // Wide in a wider window: the inner width, centred on the outer height;
        // else the inner height, centred on the outer width.
        QTest::newRow("wide") << QSize(400, 200) << in << out << QRectF(0, 65, 600, 300);
        QTest::newRow("wide, taller") << QSize(500, 400) << in << out << QRectF(55, 0, 500, 400);
        QTest::newRow("upright") << QSize(300, 600) << in << out << QRectF(205, 0, 200, 400);
        QTest::newRow("square") << QSize(500, 500) << in << out << QRectF(105, 0, 400, 400);
    }

    void fitting()
    {
        QFETCH(QSize, natural);
        QFETCH(QSizeF, inner);
        QFETCH(QSizeF, outer);
        QFETCH(QRectF, expected);
        QCOMPARE(PictureFit::sizePicture(natural, inner, outer), expected);
    }

    // A thumbnail opens as large as the window, which grows by the screen
    // ratio on every activation but never past the screen; a left click goes
    // back to the page, a right click opens the popup.
    void pictureOpensLargeAndClicksGoBackOrOpenTheMenu()
    {
        TestEnvironment env(QSize(1024, 768));
        env.values.ScreenRatio = 1.6;
        env.putPicture(QStringLiteral("A"), 1, 1, QStringLiteral(".jpg"), QSize(3000, 1500));
        Form1 *form = env.openAlbum(QStringLiteral("A"));
        QVERIFY(form);
        frmDisplayPicture &display = env.owner().pictureWindow();
        const QSize design = display.size();
        QTest::mouseClick(form->Image1(1), Qt::LeftButton);
        QVERIFY(display.isVisible());
        QVERIFY(display.width() > design.width());
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
        QCOMPARE(captions, QStringList({"Back to Thumbnails", "Print Picture",
                                        "Picture Information", "", "Cancel "}));
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
        QVERIFY(QRect(0, 0, 1024, 768).contains(display.frameGeometry()));
        display.popupMenu()->findChild<QAction *>(QStringLiteral("mnuBack"))->trigger();
        QVERIFY(form->isVisible());
    }
};

KOLUMBRA_TEST(DisplayTest)
#include "DisplayTest.moc"
