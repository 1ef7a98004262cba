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

QAction *item(QWidget &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

frmSelect1 &openChooser(TestEnvironment &env)
{
    env.owner().showSlideshowChooser();
    return env.owner().slideshowChooser();
}

void closeChooser(frmSelect1 &chooser)
{
    chooser.findChild<QPushButton *>(QStringLiteral("cmdExc"))->click();
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

} // namespace

// The slideshow chooser: its Options menu and the settings behind it, its
// list, and the way into the player.
class ChooserTest : public QObject
{
    Q_OBJECT

private slots:
    // Every reply that is not one second or more is told and asked again;
    // the one accepted is stored as typed and shown again on reopening.
    void setTimeAsksUntilAcceptedAndKeepsIt_data()
    {
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");

        QTest::newRow("twelve") << QStringList{"12"} << "12" << "12";
        QTest::newRow("zero") << QStringList{"0", "3"} << "3" << "3";
        QTest::newRow("negative") << QStringList{"-3", "3"} << "3" << "3";
        QTest::newRow("empty or cancelled") << QStringList{"", "3"} << "3" << "3";
        QTest::newRow("no number") << QStringList{"abc", "0", "4"} << "4" << "4";
        QTest::newRow("number with a word, as typed") << QStringList{"7 seconds"} << "7 seconds" << "7 seconds";
        QTest::newRow("ampersand, not an access key") << QStringList{"1&2"} << "1&2" << "1&&2";
    }

    void setTimeAsksUntilAcceptedAndKeepsIt()
    {
        QFETCH(QStringList, replies);
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        TestEnvironment env;
        frmSelect1 &chooser = openChooser(env);
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Select the Album for the Slideshow"));
        // Nothing stored yet: five seconds, no repeat.
        QVERIFY(item(chooser, "mnu5")->isChecked());
        QVERIFY(!item(chooser, "mnuMore")->isChecked());
        QCOMPARE(item(chooser, "mnuMore")->text(), QStringLiteral("&Set Time in seconds"));
        QVERIFY(!chooser.repeatChecked());

        for (const QString &reply : replies)
            env.dialogs.type(reply);
        item(chooser, "mnuMore")->trigger();
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.dialogs.unexpected());
        const QList<ScriptedDialogs::Shown> &boxes = env.dialogs.shown();
        QCOMPARE(boxes.size(), 2 * replies.size() - 1);
        for (qsizetype i = 0; i < boxes.size(); ++i) {
            const bool asked = i % 2 == 0;
            QCOMPARE(boxes.at(i).kind, asked ? QStringLiteral("input") : QStringLiteral("message"));
            QCOMPARE(boxes.at(i).text, asked ? QStringLiteral("Enter picture time on in seconds  (1 to 60)")
                                             : QStringLiteral("You must enter a value of 1 or more"));
            QCOMPARE(boxes.at(i).title, asked ? QStringLiteral("Picture On Time") : QStringLiteral("WARNING"));
        }
        QCOMPARE(env.settings.value(Settings::kTime), stored);
        QCOMPARE(item(chooser, "mnuMore")->text(), shown + QStringLiteral("sec, set new time"));
        QVERIFY(item(chooser, "mnuMore")->isChecked());
        QVERIFY(!item(chooser, "mnu5")->isChecked());

        closeChooser(chooser);
        openChooser(env);
        QCOMPARE(item(chooser, "mnuMore")->text(), shown + QStringLiteral(" &Sec, Set new time"));
        QVERIFY(item(chooser, "mnuMore")->isChecked());
    }

    void fiveSecondsAndRepeatAreStoredAtOnce()
    {
        TestEnvironment env;
        env.settings.setValue(Settings::kTime, QStringLiteral("12"));
        frmSelect1 &chooser = openChooser(env);
        item(chooser, "mnu5")->trigger();
        QCOMPARE(env.settings.value(Settings::kTime), QStringLiteral("5"));
        QCOMPARE(item(chooser, "mnuMore")->text(), QStringLiteral("&Set Time in seconds"));
        item(chooser, "mnuRepeat")->trigger();
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("Yes"));

        closeChooser(chooser);
        openChooser(env);
        QVERIFY(item(chooser, "mnu5")->isChecked());
        QVERIFY(!item(chooser, "mnuMore")->isChecked());
        QVERIFY(chooser.repeatChecked());
        item(chooser, "mnuRepeat")->trigger();
        QVERIFY(!chooser.repeatChecked());
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("No"));
    }

    void albumListOpensTheChooserOfTheAlbumsOnly()
    {
        TestEnvironment env;
        frmSelect &albums = env.owner().albumList();
        env.owner().present(albums);
        auto *slideshow = albums.findChild<QPushButton *>(QStringLiteral("Command2"));
        QCOMPARE(slideshow->text(), QStringLiteral("&Slideshow"));
        slideshow->click();
        frmSelect1 &chooser = env.owner().slideshowChooser();
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        QTest::keyClick(chooser.list(), Qt::Key_F12, Qt::ShiftModifier);
        QCOMPARE(env.help.opened.size(), 1);

        QCOMPARE(entries(chooser.list()), QStringList({frmSelect1::kNoAlbums}));
        choose(chooser.list(), frmSelect1::kNoAlbums);
        chooser.List1_DblClick();
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You can't select this item as an album"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QVERIFY(!env.owner().slideshowPlayer().isVisible());

        // Closing the chooser leaves the album list where it was; folders
        // made meanwhile show when the chooser is back.
        closeChooser(chooser);
        QVERIFY(albums.isVisible());
        QCOMPARE(env.endCount(), 0);
        for (const char *name : {"beta", "Alpha", "gamma"})
            env.makeAlbum(QLatin1String(name));
        slideshow->click();
        QCOMPARE(entries(chooser.list()), QStringList({"Alpha", "beta", "gamma"}));
    }

    void chosenAlbumPlays_data()
    {
        QTest::addColumn<bool>("byPopup");
        QTest::newRow("double click") << false;
        QTest::newRow("popup menu") << true;
    }

    void chosenAlbumPlays()
    {
        QFETCH(bool, byPopup);
        TestEnvironment env;
        env.putPicture(QStringLiteral("Summer"), 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        env.makeAlbum(QStringLiteral("Autumn"));
        frmSelect1 &chooser = openChooser(env);
        QListWidget *list = chooser.list();
        // Nothing chosen: nothing happens.
        chooser.List1_DblClick();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 8));
        QVERIFY(!chooser.popupMenu()->isVisible());
        QVERIFY(env.values.AlbumName.isEmpty());

        choose(list, QStringLiteral("Summer"));
        if (byPopup) {
            QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 8));
            QTRY_VERIFY(chooser.popupMenu()->isVisible());
            QAction *select = item(chooser, "mnuSelect");
            QCOMPARE(select->text(), QStringLiteral("Select Selected Album"));
            chooser.popupMenu()->hide();
            select->trigger();
        } else {
            const QPoint entry = list->visualItemRect(list->currentItem()).center();
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry);
        }
        QCOMPARE(env.values.AlbumName, QStringLiteral("Summer"));
        frmSlideshow &player = env.owner().slideshowPlayer();
        QVERIFY(player.isVisible());
        QTRY_VERIFY(player.image()->hasPicture());
        QVERIFY(chooser.isVisible());
        QVERIFY(env.dialogs.shown().isEmpty());
    }
};

KOLUMBRA_TEST(ChooserTest)
#include "ChooserTest.moc"
