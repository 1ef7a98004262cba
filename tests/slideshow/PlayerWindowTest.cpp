#include "platform/PictureView.h"
#include "slideshow/SlideshowPlayer.h"
#include "slideshow/frmSelect1.h"
#include "slideshow/frmSlideshow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Trip");

// Plays kAlbum from the chooser, as a double click does, and waits for the
// first picture.
frmSlideshow &play(TestEnvironment &env)
{
    env.owner().showSlideshowChooser();
    frmSelect1 &chooser = env.owner().slideshowChooser();
    const QList<QListWidgetItem *> found = chooser.list()->findItems(kAlbum, Qt::MatchExactly);
    if (found.isEmpty())
        qFatal("album not listed");
    chooser.list()->setCurrentItem(found.first());
    chooser.List1_DblClick();
    frmSlideshow &player = env.owner().slideshowPlayer();
    // Esc reaches a window only while it is the active one.
    if (!QTest::qWaitForWindowActive(&player))
        qWarning("the player did not become active");
    return player;
}

// Puts pictures at the first positions of page 1 and plays them.
frmSlideshow &playPictures(TestEnvironment &env, int count)
{
    for (int k = 1; k <= count; ++k)
        env.putPicture(kAlbum, 1, k, QStringLiteral(".jpg"), QSize(64, 48));
    return play(env);
}

bool waitForPicture(frmSlideshow &player)
{
    return QTest::qWaitFor([&] { return player.image()->hasPicture() && player.image()->isVisible(); }, 5000);
}

QString shownFile(frmSlideshow &player)
{
    return QFileInfo(player.image()->path()).fileName();
}

} // namespace

// The full-screen player as the user drives it: fitting, keys and clicks,
// the pointer and the screen saver, and the way back to the chooser.
class PlayerWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void picturesAreFittedToTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("square on a landscape screen") << QSize(1024, 768) << QSize(300, 300)
                                                      << QRect(128, 0, 768, 768);
        QTest::newRow("panorama") << QSize(1024, 768) << QSize(2000, 500) << QRect(0, 256, 1024, 256);
        QTest::newRow("square on an upright screen") << QSize(768, 1024) << QSize(300, 300)
                                                     << QRect(0, 128, 768, 768);
    }

    void picturesAreFittedToTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, picture);
        QFETCH(QRect, expected);
        TestEnvironment env(screen);
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), picture);
        frmSlideshow &player = play(env);
        QVERIFY(waitForPicture(player));
        QCOMPARE(player.image()->geometry(), expected);
        // Decoded at the size it is shown, so showing it costs no scaling.
        QCOMPARE(player.image()->pixmap().size(), expected.size() * player.devicePixelRatioF());
        QCOMPARE(player.image()->naturalSize(), picture);
    }

    void timeSettingIsReadAtEachStart_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("intervalMs");
        QTest::newRow("five") << "5" << 5000;
        QTest::newRow("twelve") << "12" << 12000;
        QTest::newRow("a hundred, as typed") << "100" << 100000;
        QTest::newRow("zero plays at five") << "0" << 5000;
    }

    void timeSettingIsReadAtEachStart()
    {
        QFETCH(QString, time);
        QFETCH(int, intervalMs);
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        env.settings.setValue(Settings::kTime, QStringLiteral("3"));
        frmSlideshow &player = play(env);
        QVERIFY(waitForPicture(player));
        QCOMPARE(player.player().timer().interval(), 3000);
        QTest::keyClick(&player, Qt::Key_Escape);
        QVERIFY(!player.isVisible());

        env.settings.setValue(Settings::kTime, time);
        play(env);
        QVERIFY(waitForPicture(player));
        QCOMPARE(player.player().timer().interval(), intervalMs);
        QVERIFY(player.player().timer().isActive());
    }

    void spacePausesAndGivesThePointerBack()
    {
        TestEnvironment env;
        frmSlideshow &player = playPictures(env, 2);
        QVERIFY(waitForPicture(player));
        QVERIFY(player.pointerHidden());
        QVERIFY(player.screenSaverHeld());

        QTest::keyClick(&player, Qt::Key_Space);
        QVERIFY(player.player().isPaused());
        QVERIFY(!player.pointerHidden());
        QVERIFY(!player.screenSaverHeld());

        // Clicks and keypad keys step while paused; the main keyboard's
        // minus and plus do not.
        QTest::keyClick(&player, Qt::Key_Plus);
        QVERIFY(!player.player().forwardRequested());
        QTest::keyClick(&player, Qt::Key_Plus, Qt::KeypadModifier);
        QVERIFY(player.player().forwardRequested());
        QTest::mouseClick(player.image(), Qt::LeftButton);
        QVERIFY(player.player().backRequested());

        QTest::keyClick(&player, Qt::Key_Space);
        QVERIFY(player.player().isPlaying());
        QVERIFY(player.pointerHidden());
        QVERIFY(player.screenSaverHeld());
    }

    void keypadAndClicksStepWhilePaused()
    {
        TestEnvironment env;
        frmSlideshow &player = playPictures(env, 3);
        QVERIFY(waitForPicture(player));
        QTest::keyClick(&player, Qt::Key_Space);
        player.player().Timer1_Timer();
        QTest::keyClick(&player, Qt::Key_Plus, Qt::KeypadModifier);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I1.jpg"));
        player.player().Timer1_Timer();
        QTest::mouseClick(&player, Qt::RightButton, {}, QPoint(5, 5));
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I2.jpg"));
        player.player().Timer1_Timer();
        QTest::keyClick(&player, Qt::Key_Minus, Qt::KeypadModifier);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I1.jpg"));
    }

    void clicksWhilePlayingDoNothing()
    {
        TestEnvironment env;
        frmSlideshow &player = playPictures(env, 1);
        QVERIFY(waitForPicture(player));
        QTest::mouseClick(player.image(), Qt::LeftButton);
        QTest::mouseClick(&player, Qt::RightButton, {}, QPoint(5, 5));
        QTest::keyClick(&player, Qt::Key_Minus, Qt::KeypadModifier);
        QVERIFY(!player.player().backRequested());
        QVERIFY(!player.player().forwardRequested());
        QVERIFY(player.player().isPlaying());
        QVERIFY(player.isVisible());
    }

    void helpKeyOpensHelpAndPauses()
    {
        TestEnvironment env;
        frmSlideshow &player = playPictures(env, 1);
        QVERIFY(waitForPicture(player));
        QTest::keyClick(&player, Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(env.help.opened.size(), 1);
        QVERIFY(player.player().isPaused());
        QVERIFY(!player.pointerHidden());
        QVERIFY(player.isVisible());
    }

    void escapeStopsAndReturnsToTheChooser()
    {
        TestEnvironment env;
        frmSlideshow &player = playPictures(env, 2);
        QVERIFY(waitForPicture(player));
        QTest::keyClick(&player, Qt::Key_Escape);
        QVERIFY(!player.isVisible());
        QVERIFY(!player.pointerHidden());
        QVERIFY(!player.screenSaverHeld());
        QVERIFY(!player.image()->hasPicture());
        QVERIFY(env.owner().slideshowChooser().isVisible());
        // The time running out afterwards loads nothing.
        player.player().Timer1_Timer();
        QTest::qWait(150);
        QVERIFY(!player.image()->hasPicture());
        QCOMPARE(env.endCount(), 0);
    }

    void endOfAlbumReturnsOrRepeatsAsTheChooserSays_data()
    {
        QTest::addColumn<bool>("repeat");
        QTest::newRow("back to the chooser") << false;
        QTest::newRow("starts again") << true;
    }

    void endOfAlbumReturnsOrRepeatsAsTheChooserSays()
    {
        QFETCH(bool, repeat);
        TestEnvironment env;
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        env.putPicture(kAlbum, 2, 1, QStringLiteral(".bmp"), QSize(64, 48));
        env.owner().showSlideshowChooser();
        if (repeat)
            env.owner().slideshowChooser().findChild<QAction *>(QStringLiteral("mnuRepeat"))->trigger();
        frmSlideshow &player = play(env);
        QVERIFY(waitForPicture(player));
        player.player().Timer1_Timer();
        QTRY_COMPARE(shownFile(player), QStringLiteral("P2I0.bmp"));
        player.player().Timer1_Timer();
        if (repeat) {
            QTRY_COMPARE(shownFile(player), QStringLiteral("P1I0.jpg"));
            QVERIFY(player.isVisible());
            QVERIFY(player.pointerHidden());
        } else {
            QTRY_VERIFY(!player.isVisible());
            QVERIFY(!player.pointerHidden());
            QVERIFY(env.owner().slideshowChooser().isVisible());
        }
    }

    void emptyAlbumEndsAtOnce()
    {
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        frmSlideshow &player = play(env);
        QTRY_VERIFY(!player.isVisible());
        QVERIFY(!player.player().isRunning());
        QVERIFY(!player.pointerHidden());
        QVERIFY(!player.screenSaverHeld());
    }

    void endOfProgramStopsTheShow()
    {
        TestEnvironment env;
        frmSlideshow &player = playPictures(env, 2);
        QVERIFY(waitForPicture(player));
        env.owner().endProgram();
        QCOMPARE(env.endCount(), 1);
        QVERIFY(!player.isVisible());
        QVERIFY(!player.player().isRunning());
        QVERIFY(!player.pointerHidden());
        QVERIFY(!player.screenSaverHeld());
    }

    void pausedShowStartsPausedNextTime()
    {
        TestEnvironment env;
        frmSlideshow &player = playPictures(env, 1);
        QVERIFY(waitForPicture(player));
        QTest::keyClick(&player, Qt::Key_Space);
        QTest::keyClick(&player, Qt::Key_Escape);
        play(env);
        QVERIFY(waitForPicture(player));
        QVERIFY(player.player().isPaused());
        QVERIFY(!player.pointerHidden());
        QVERIFY(!player.screenSaverHeld());
    }
};

KOLUMBRA_TEST(PlayerWindowTest)
#include "PlayerWindowTest.moc"
