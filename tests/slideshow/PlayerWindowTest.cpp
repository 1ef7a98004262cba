#include "platform/PictureView.h"
#include "slideshow/SlideshowPlayer.h"
#include "slideshow/frmSelect1.h"
#include "slideshow/frmSlideshow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QListWidget>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Trip");

// Plays kAlbum from the chooser, as a double click does, and waits for the
// first picture, or for the show to end; false when no picture came up.
bool play(TestEnvironment &env)
{
    env.owner().showSlideshowChooser();
    frmSelect1 &chooser = env.owner().slideshowChooser();
    chooser.list()->setCurrentItem(chooser.list()->findItems(kAlbum, Qt::MatchExactly).value(0));
    chooser.List1_DblClick();
    frmSlideshow &player = env.owner().slideshowPlayer();
    const auto up = [&] { return player.image()->hasPicture() && player.image()->isVisible(); };
    // Esc reaches a window only while it is the active one.
    return QTest::qWaitFor([&] { return up() || !player.isVisible(); }, 5000) && up()
        && QTest::qWaitForWindowActive(&player);
}

QString shownFile(frmSlideshow &player)
{
    return QFileInfo(player.image()->path()).fileName();
}

// Neither the pointer nor the screen saver is held.
bool letGo(frmSlideshow &player)
{
    return !player.pointerHidden() && !player.screenSaverHeld();
}

} // namespace

// The full-screen player as the user drives it: fitting, keys and clicks,
// the pointer and the screen saver, and the way back to the chooser.
class PlayerWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void userDrivesTheShow()
    {
        TestEnvironment env(QSize(1024, 768));
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(2000, 500));
        for (int k = 2; k <= 3; ++k)
            env.putPicture(kAlbum, 1, k, QStringLiteral(".jpg"), QSize(64, 48));
        env.settings.setValue(Settings::kTime, QStringLiteral("3"));
        QVERIFY(play(env));
        frmSlideshow &player = env.owner().slideshowPlayer();
        const QRect expected(0, 256, 1024, 256);
        QCOMPARE(player.image()->geometry(), expected);
        // Decoded at the size it is shown, so showing it costs no scaling.
        QCOMPARE(player.image()->pixmap().size(), expected.size() * player.devicePixelRatioF());
        QCOMPARE(player.image()->naturalSize(), QSize(2000, 500));
        QCOMPARE(player.player().timer().interval(), 3000);
        QVERIFY(player.pointerHidden());
        QVERIFY(player.screenSaverHeld());

        QTest::keyClick(&player, Qt::Key_Space);
        QVERIFY(player.player().isPaused());
        QVERIFY(letGo(player));
        // The main keyboard's plus does not step.
        QTest::keyClick(&player, Qt::Key_Plus);
        QVERIFY(!player.player().forwardRequested());
        player.player().Timer1_Timer();
        QTest::keyClick(&player, Qt::Key_Plus, Qt::KeypadModifier);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I1.jpg"));
        player.player().Timer1_Timer();
        QTest::mouseClick(&player, Qt::RightButton, {}, QPoint(5, 5));
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I2.jpg"));
        player.player().Timer1_Timer();
        QTest::keyClick(&player, Qt::Key_Minus, Qt::KeypadModifier);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I1.jpg"));
        player.player().Timer1_Timer();
        QTest::mouseClick(player.image(), Qt::LeftButton);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I0.jpg"));

        QTest::keyClick(&player, Qt::Key_Space);
        QVERIFY(player.player().isPlaying());
        QVERIFY(player.pointerHidden());
        QVERIFY(player.screenSaverHeld());
        // Help pauses the show.
        QTest::keyClick(&player, Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(env.help.opened.size(), 1);
        QVERIFY(player.player().isPaused());
        QVERIFY(letGo(player));

        // The time is read at each start, and honoured above a minute.
        QTest::keyClick(&player, Qt::Key_Escape);
        env.settings.setValue(Settings::kTime, QStringLiteral("100"));
        QVERIFY(play(env));
        QCOMPARE(player.player().timer().interval(), 100000);
    }

    void showEndsAndGivesBack_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("repeat");
        QTest::newRow("Esc") << "Esc" << false;
        QTest::newRow("end of the program") << "program" << false;
        QTest::newRow("end of the album") << "album" << false;
        QTest::newRow("end of the album with repeat: starts again") << "album" << true;
        QTest::newRow("no pictures: at once, even with repeat") << "empty" << true;
    }

    void showEndsAndGivesBack()
    {
        QFETCH(QString, ending);
        QFETCH(bool, repeat);
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        if (ending != QLatin1String("empty")) {
            env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
            env.putPicture(kAlbum, 2, 1, QStringLiteral(".bmp"), QSize(64, 48));
        }
        env.owner().showSlideshowChooser();
        if (repeat)
            env.owner().slideshowChooser().findChild<QAction *>(QStringLiteral("mnuRepeat"))->trigger();
        QCOMPARE(play(env), ending != QLatin1String("empty"));
        frmSlideshow &player = env.owner().slideshowPlayer();
        if (ending == QLatin1String("Esc")) {
            QTest::keyClick(&player, Qt::Key_Escape);
        } else if (ending == QLatin1String("program")) {
            env.owner().endProgram();
        } else if (ending == QLatin1String("album")) {
            player.player().Timer1_Timer();
            QTRY_COMPARE(shownFile(player), QStringLiteral("P2I0.bmp"));
            env.settings.setValue(Settings::kTime, QStringLiteral("9"));
            player.player().Timer1_Timer();
            if (repeat) {
                QTRY_COMPARE(shownFile(player), QStringLiteral("P1I0.jpg"));
                QCOMPARE(player.player().timer().interval(), 9000);  // read again for the new round
                QVERIFY(player.pointerHidden());
                return;
            }
        }
        QTRY_VERIFY(!player.isVisible());
        QVERIFY(!player.player().isRunning());
        QVERIFY(letGo(player));
        QCOMPARE(env.owner().slideshowChooser().isVisible(), ending != QLatin1String("program"));
        QCOMPARE(env.endCount(), ending == QLatin1String("program") ? 1 : 0);
        // The time running out afterwards loads nothing.
        player.player().Timer1_Timer();
        QTest::qWait(150);
        QVERIFY(!player.image()->hasPicture());
    }
};

KOLUMBRA_TEST(PlayerWindowTest)
#include "PlayerWindowTest.moc"
