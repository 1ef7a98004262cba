#include "albums/frmSelect.h"
#include "platform/PictureView.h"
#include "slideshow/SlideshowPlayer.h"
#include "slideshow/frmSelect1.h"
#include "slideshow/frmSlideshow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Trip");

QAction *item(QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

// Closes the chooser if it is open and opens it afresh, as the album list does.
frmSelect1 &openChooser(TestEnvironment &env)
{
    if (env.owner().hasSlideshowChooser())
        env.owner().slideshowChooser().cmdExc_Click();
    env.owner().showSlideshowChooser();
    return env.owner().slideshowChooser();
}

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void choose(QListWidget *list, const QString &text)
{
    list->setCurrentItem(list->findItems(text, Qt::MatchExactly).value(0));
}

// Plays kAlbum from the chooser, as a double click does, and waits for the
// first picture, or for the show to end; false when no picture came up.
bool play(TestEnvironment &env)
{
    env.owner().showSlideshowChooser();
    frmSelect1 &chooser = env.owner().slideshowChooser();
    choose(chooser.list(), kAlbum);
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
        QTest::addColumn<QString>("shown");
        QTest::newRow("twelve") << QStringList{"12"} << "12";
        QTest::newRow("asked again, kept as typed") << QStringList{"", "abc", "-3", "0", "7 seconds"}
                                                    << "7 seconds";
        QTest::newRow("ampersand, not an access key") << QStringList{"1&2"} << "1&&2";
    }

    void optionsAreStoredAndShownAgain()
    {
        QFETCH(QStringList, replies);
        QFETCH(QString, shown);
        TestEnvironment env;
        frmSelect1 &chooser = openChooser(env);
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Select the Album for the Slideshow"));
        // Nothing stored yet: five seconds, no repeat.
        QVERIFY(item(chooser, "mnu5")->isChecked());
        QVERIFY(!item(chooser, "mnuMore")->isChecked());
        QVERIFY(!chooser.repeatChecked());

        for (const QString &reply : replies)
            env.dialogs.type(reply);
        item(chooser, "mnuMore")->trigger();
        QVERIFY(env.dialogs.allAnswered());
        const QList<ScriptedDialogs::Shown> &boxes = env.dialogs.shown();
        QCOMPARE(boxes.size(), 2 * replies.size() - 1);
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const bool asked = i % 2 == 0;
            QCOMPARE(boxes.at(i).kind, asked ? QStringLiteral("input") : QStringLiteral("message"));
            QCOMPARE(boxes.at(i).text, asked ? QStringLiteral("Enter picture time on in seconds  (1 to 60)")
                                             : QStringLiteral("You must enter a value of 1 or more"));
            QCOMPARE(boxes.at(i).title, asked ? QStringLiteral("Picture On Time") : QStringLiteral("WARNING"));
        }
        QCOMPARE(env.settings.value(Settings::kTime), replies.last());
        QCOMPARE(item(chooser, "mnuMore")->text(), shown + QStringLiteral("sec, set new time"));
        QVERIFY(!item(chooser, "mnu5")->isChecked());

        openChooser(env);
        QCOMPARE(item(chooser, "mnuMore")->text(), shown + QStringLiteral(" &Sec, Set new time"));
        QVERIFY(item(chooser, "mnuMore")->isChecked());

        // "&5 Sec." and repeat are stored at once too.
        item(chooser, "mnu5")->trigger();
        QCOMPARE(env.settings.value(Settings::kTime), QStringLiteral("5"));
        QCOMPARE(item(chooser, "mnuMore")->text(), QStringLiteral("&Set Time in seconds"));
        item(chooser, "mnuRepeat")->trigger();
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("Yes"));
        openChooser(env);
        QVERIFY(item(chooser, "mnu5")->isChecked() && !item(chooser, "mnuMore")->isChecked());
        QVERIFY(chooser.repeatChecked());
        item(chooser, "mnuRepeat")->trigger();
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("No"));
    }

    void theAlbumChosenPlays()
    {
        TestEnvironment env;
        frmSelect &albums = env.owner().albumList();
        env.owner().present(albums);
        auto *slideshow = albums.findChild<QPushButton *>(QStringLiteral("Command2"));
        slideshow->click();
        frmSelect1 &chooser = env.owner().slideshowChooser();
        QListWidget *list = chooser.list();
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        QTest::keyClick(list, Qt::Key_F12, Qt::ShiftModifier);
        QCOMPARE(env.help.opened.size(), 1);

        QCOMPARE(entries(list), QStringList({frmSelect1::kNoAlbums}));
        choose(list, frmSelect1::kNoAlbums);
        chooser.List1_DblClick();
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You can't select this item as an album"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        frmSlideshow &player = env.owner().slideshowPlayer();
        QVERIFY(!player.isVisible());

        // Closing the chooser leaves the album list where it was; albums made
        // meanwhile show when the chooser is back.
        chooser.findChild<QPushButton *>(QStringLiteral("cmdExc"))->click();
        QVERIFY(albums.isVisible());
        QCOMPARE(env.endCount(), 0);
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        env.makeAlbum(QStringLiteral("Alpha"));
        slideshow->click();
        QCOMPARE(entries(list), QStringList({"Alpha", "Trip"}));
        choose(list, kAlbum);
        const QPoint row = list->visualItemRect(list->currentItem()).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(env.values.AlbumName, kAlbum);
        QTRY_VERIFY(player.image()->hasPicture());
        QVERIFY(chooser.isVisible());
        player.cmdExc_Click();
        QVERIFY(!player.isVisible());

        // The popup's one command plays the album chosen, whichever row was clicked.
        choose(list, kAlbum);
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 8));
        QTRY_VERIFY(chooser.popupMenu()->isVisible());
        QCOMPARE(item(chooser, "mnuSelect")->text(), QStringLiteral("Select Selected Album"));
        chooser.popupMenu()->hide();
        item(chooser, "mnuSelect")->trigger();
        QTRY_VERIFY(player.isVisible() && player.image()->hasPicture());
        QCOMPARE(env.dialogs.shown().size(), 1);
    }

    void userDrivesTheShow()
    {
        TestEnvironment env(QSize(1024, 768));
        env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(2000, 500));
        for (int k = 2; k <= 3; ++k)
            env.putPicture(kAlbum, 1, k, QStringLiteral(".jpg"), QSize(64, 48));
        env.settings.setValue(Settings::kTime, QStringLiteral("3"));
        env.settings.setValue(Settings::kRepeat, QStringLiteral("Yes"));
        QVERIFY(play(env));
        frmSlideshow &player = env.owner().slideshowPlayer();
        const QRect expected(0, 256, 1024, 256);
        QCOMPARE(player.image()->geometry(), expected);
        // Decoded at the size it is shown, so showing it costs no scaling.
        QCOMPARE(player.image()->pixmap().size(), expected.size() * player.devicePixelRatioF());
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

        // With repeat the album starts again, with the time as it is set then.
        QTest::keyClick(&player, Qt::Key_Space);
        env.settings.setValue(Settings::kTime, QStringLiteral("100"));
        for (const char *next : {"P1I1.jpg", "P1I2.jpg", "P1I0.jpg"}) {
            player.player().Timer1_Timer();
            QTRY_COMPARE(shownFile(player), QLatin1String(next));
        }
        QCOMPARE(player.player().timer().interval(), 100000);
    }

    void showEndsAndGivesBack_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("end of the program") << "program";
        QTest::newRow("no pictures: at once, even with repeat") << "empty";
    }

    void showEndsAndGivesBack()
    {
        QFETCH(QString, ending);
        TestEnvironment env;
        env.makeAlbum(kAlbum);
        if (ending != QLatin1String("empty"))
            env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        env.settings.setValue(Settings::kRepeat, QStringLiteral("Yes"));
        QCOMPARE(play(env), ending != QLatin1String("empty"));
        frmSlideshow &player = env.owner().slideshowPlayer();
        if (ending == QLatin1String("Esc"))
            QTest::keyClick(&player, Qt::Key_Escape);
        else if (ending == QLatin1String("program"))
            env.owner().endProgram();
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

KOLUMBRA_TEST(SlideshowWindowsTest)
#include "SlideshowWindowsTest.moc"
