#include "albums/AlbumListWindow.h"
#include "slideshow/SlideshowAlbumChooser.h"
#include "slideshow/SlideshowPlayer.h"
#include "slideshow/SlideshowWindow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Trip");

QAction *item(QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

// Closes the chooser if it is open and opens it afresh, as the album list does.
SlideshowAlbumChooser &openChooser(TestEnvironment &env)
{
    if (env.owner().slideshowChooserShown())
        env.owner().slideshowChooser().cmdExc_Click();
    env.owner().showSlideshowChooser();
    return env.owner().slideshowChooser();
}

void choose(QListWidget *list, const QString &text)
{
    list->setCurrentItem(list->findItems(text, Qt::MatchExactly).value(0));
}

// Plays kAlbum from the chooser, as a double click does, and waits for the
// first picture, or for the show to end; false when no picture came up.
bool play(TestEnvironment &env)
{
    SlideshowAlbumChooser &chooser = openChooser(env);
    choose(chooser.list(), kAlbum);
    chooser.List1_DblClick();
    SlideshowWindow &player = env.owner().slideshowPlayer();
    const auto up = [&] { return player.image()->hasPicture() && player.image()->isVisible(); };
    // Esc reaches a window only while it is the active one.
    return QTest::qWaitFor([&] { return up() || !player.isVisible(); }, 5000) && up()
        && QTest::qWaitForWindowActive(&player);
}

QString shownFile(SlideshowWindow &player)
{
    return QFileInfo(player.image()->path()).fileName();
}

// Neither the pointer nor the screen saver is held.
bool letGo(SlideshowWindow &player)
{
    return !player.pointerHidden() && !player.screenSaverHeld();
}

}  // namespace

// The chooser with its options and its list, and the full-screen player as
// the user drives it: keys and clicks, the pointer and the screen saver, and
// the way back.
class SlideshowWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    // Every reply that is not one second or more is told and asked again;
    // the one accepted is stored as typed and shown again on reopening.
    void optionsAreStoredAndShownAgain_data()
    {
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QString>("shown");  // in the captions
        QTest::newRow("twelve") << QStringList{"12"} << "12";
        QTest::newRow("asked again, kept as typed") << QStringList{"", "abc", "-3", "0", "7 seconds"} << "7 seconds";
        QTest::newRow("ampersand, not an access key") << QStringList{"1&2"} << "1&&2";
    }

    void optionsAreStoredAndShownAgain()
    {
        QFETCH(QStringList, replies);
        QFETCH(QString, shown);
        TestEnvironment env;
        SlideshowAlbumChooser &chooser = openChooser(env);
        // Nothing stored yet: five seconds, no repeat.
        QVERIFY(item(chooser, "mnu5")->isChecked());
        QVERIFY(!item(chooser, "mnuMore")->isChecked());
        QVERIFY(!chooser.repeats());

        for (const QString &reply : replies)
            env.dialogs.type(reply);
        item(chooser, "mnuMore")->trigger();
        QVERIFY(env.dialogs.allAnswered());
        const QList<ScriptedDialogs::Shown> &boxes = env.dialogs.shown();
        QCOMPARE(boxes.size(), 2 * replies.size() - 1);
        for (qsizetype i = 1; i < boxes.size(); i += 2)
            QCOMPARE(boxes.at(i).text, QStringLiteral("You must enter a value of 1 or more"));
        const QString typed = replies.last();
        QCOMPARE(env.settings.value(Settings::kTime), typed);
        QCOMPARE(item(chooser, "mnuMore")->text(), shown + QStringLiteral("sec, set new time"));
        openChooser(env);
        QCOMPARE(item(chooser, "mnuMore")->text(), shown + QStringLiteral(" &Sec, Set new time"));
        QVERIFY(item(chooser, "mnuMore")->isChecked());

        // "&5 Sec." and repeat are stored at once too.
        item(chooser, "mnu5")->trigger();
        QCOMPARE(env.settings.value(Settings::kTime), QStringLiteral("5"));
        item(chooser, "mnuRepeat")->trigger();
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("Yes"));
        openChooser(env);
        QVERIFY(chooser.repeats());
        item(chooser, "mnuRepeat")->trigger();
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("No"));
    }

    // The list holds the albums as they are when the chooser opens; its
    // stand-in row is refused; a double click on an album plays it.
    void theAlbumChosenPlays()
    {
        TestEnvironment env;
        AlbumListWindow &albums = env.owner().albumList();
        env.owner().present(albums);
        auto *slideshow = albums.findChild<QPushButton *>(QStringLiteral("Command2"));
        slideshow->click();
        SlideshowAlbumChooser &chooser = env.owner().slideshowChooser();
        QListWidget *list = chooser.list();
        choose(list, QStringLiteral("There are no Album's stored"));
        chooser.List1_DblClick();
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You can't select this item as an album"));
        SlideshowWindow &player = env.owner().slideshowPlayer();
        QVERIFY(!player.isVisible());

        chooser.findChild<QPushButton *>(QStringLiteral("cmdExc"))->click();
        QVERIFY(albums.isVisible());
        QCOMPARE(env.endCount(), 0);
        env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(64, 48));
        env.makeAlbum(QStringLiteral("Alpha"));
        slideshow->click();
        QCOMPARE(list->count(), 2);  // sorted, and no entry to make an album
        QCOMPARE(list->item(0)->text(), QStringLiteral("Alpha"));
        choose(list, kAlbum);
        const QPoint row = list->visualItemRect(list->currentItem()).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        QTRY_VERIFY(player.image()->hasPicture());
        QVERIFY(chooser.isVisible());
    }

    void userDrivesTheShow()
    {
        TestEnvironment env(QSize(1024, 768));
        env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(2000, 500));
        for (const char *name : {"P1I1.jpg", "P1I2.jpg"})
            env.putPicture(kAlbum, QLatin1String(name), QSize(64, 48));
        env.settings.setValue(Settings::kTime, QStringLiteral("30"));
        QVERIFY(play(env));
        SlideshowWindow &player = env.owner().slideshowPlayer();
        const QRect expected(0, 256, 1024, 256);
        QCOMPARE(player.image()->geometry(), expected);
        // Decoded at the size it is shown, so showing it costs no scaling.
        QCOMPARE(player.image()->pixmap().size(), expected.size() * player.devicePixelRatioF());
        QCOMPARE(player.player().timer().interval(), 30000);
        QVERIFY(player.pointerHidden() && player.screenSaverHeld());

        QTest::keyClick(&player, Qt::Key_Space);
        QVERIFY(player.player().isPaused());
        QVERIFY(letGo(player));
        // Each step shows its picture at once, long before the time is up.
        QTest::keyClick(&player, Qt::Key_Plus, Qt::KeypadModifier);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I1.jpg"));
        QTest::mouseClick(&player, Qt::RightButton, {}, QPoint(5, 5));
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I2.jpg"));
        QTest::keyClick(&player, Qt::Key_Minus, Qt::KeypadModifier);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I1.jpg"));
        QTest::mouseClick(player.image(), Qt::LeftButton);
        QTRY_COMPARE(shownFile(player), QStringLiteral("P1I0.jpg"));

        QTest::keyClick(&player, Qt::Key_Space);
        QVERIFY(player.player().isPlaying());
        QVERIFY(player.pointerHidden() && player.screenSaverHeld());
        // Help pauses the show.
        QTest::keyClick(&player, Qt::Key_F12, Qt::ControlModifier);
        QCOMPARE(env.help.opened.size(), 1);
        QVERIFY(player.player().isPaused());
        QVERIFY(letGo(player));
    }

    // Esc, or an album without pictures even with repeat on, ends the show at
    // once and goes back to the chooser.
    void showEndsAndGivesBack_data()
    {
        QTest::addColumn<bool>("pictures");
        QTest::newRow("Esc") << true;
        QTest::newRow("no pictures") << false;
    }

    void showEndsAndGivesBack()
    {
        QFETCH(bool, pictures);
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        if (pictures)
            env.putPicture(kAlbum, QStringLiteral("P1I0.jpg"), QSize(64, 48));
        env.settings.setValue(Settings::kRepeat, QStringLiteral("Yes"));
        QCOMPARE(play(env), pictures);
        SlideshowWindow &player = env.owner().slideshowPlayer();
        if (pictures)
            QTest::keyClick(&player, Qt::Key_Escape);
        QTRY_VERIFY(!player.isVisible());
        QVERIFY(!player.player().isRunning());
        QVERIFY(letGo(player));
        QVERIFY(env.owner().slideshowChooser().isVisible());
        // The time running out afterwards loads nothing.
        player.player().timeUp();
        QTest::qWait(150);
        QVERIFY(!player.image()->hasPicture());
    }
};

KOLUMBRA_TEST(SlideshowWindowsTest)
#include "SlideshowWindowsTest.moc"
