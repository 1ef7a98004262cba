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

const QString kPrompt = QStringLiteral("Enter picture time on in seconds  (1 to 60)");
const QString kMustBeOne = QStringLiteral("You must enter a value of 1 or more");

QAction *item(frmSelect1 &chooser, const char *name)
{
    auto *action = chooser.findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no menu item %s", name);
    return action;
}

frmSelect1 &openChooser(TestEnvironment &env)
{
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
    const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    list->setCurrentItem(found.first());
}

} // namespace

// The slideshow chooser: its Options menu and the settings behind it, its
// list, and the way into the player.
class ChooserTest : public QObject
{
    Q_OBJECT

private slots:
    void marksFollowTheStoredSettings_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<bool>("five");
        QTest::addColumn<QString>("moreCaption");
        QTest::addColumn<bool>("repeatChecked");

        QTest::newRow("nothing stored") << QString() << QString() << true << "&Set Time in seconds" << false;
        QTest::newRow("12 with repeat") << "12" << "Yes" << false << "12 &Sec, Set new time" << true;
        QTest::newRow("5 without repeat") << "5" << "No" << true << "&Set Time in seconds" << false;
        QTest::newRow("typed with a word") << "7 seconds" << "No" << false << "7 seconds &Sec, Set new time" << false;
        QTest::newRow("ampersand shown as typed") << "1&2" << "No" << false << "1&&2 &Sec, Set new time" << false;
    }

    void marksFollowTheStoredSettings()
    {
        QFETCH(QString, time);
        QFETCH(QString, repeat);
        QFETCH(bool, five);
        QFETCH(QString, moreCaption);
        QFETCH(bool, repeatChecked);
        TestEnvironment env;
        if (!time.isNull())
            env.settings.setValue(Settings::kTime, time);
        if (!repeat.isNull())
            env.settings.setValue(Settings::kRepeat, repeat);
        frmSelect1 &chooser = openChooser(env);
        QCOMPARE(chooser.windowTitle(), QStringLiteral("Select the Album for the Slideshow"));
        QCOMPARE(item(chooser, "mnu5")->isChecked(), five);
        QCOMPARE(item(chooser, "mnuMore")->isChecked(), !five);
        QCOMPARE(item(chooser, "mnuMore")->text(), moreCaption);
        QCOMPARE(item(chooser, "mnuRepeat")->isChecked(), repeatChecked);
        QCOMPARE(chooser.repeatChecked(), repeatChecked);
    }

    void setTimeShowsTheReplyAndKeepsItOnReopening()
    {
        TestEnvironment env;
        frmSelect1 &chooser = openChooser(env);
        env.dialogs.type(QStringLiteral("12"));
        item(chooser, "mnuMore")->trigger();
        QVERIFY(env.dialogs.allAnswered());
        QCOMPARE(env.dialogs.shown().size(), 1);
        QCOMPARE(env.dialogs.shown().first().text, kPrompt);
        QCOMPARE(env.dialogs.shown().first().title, QStringLiteral("Picture On Time"));
        QCOMPARE(item(chooser, "mnuMore")->text(), QStringLiteral("12sec, set new time"));
        QVERIFY(item(chooser, "mnuMore")->isChecked());
        QVERIFY(!item(chooser, "mnu5")->isChecked());
        QCOMPARE(env.settings.value(Settings::kTime), QStringLiteral("12"));

        chooser.findChild<QPushButton *>(QStringLiteral("cmdExc"))->click();
        QVERIFY(!chooser.isVisible());
        openChooser(env);
        QCOMPARE(item(chooser, "mnuMore")->text(), QStringLiteral("12 &Sec, Set new time"));
        QVERIFY(item(chooser, "mnuMore")->isChecked());

        // Back to five seconds.
        item(chooser, "mnu5")->trigger();
        QVERIFY(item(chooser, "mnu5")->isChecked());
        QVERIFY(!item(chooser, "mnuMore")->isChecked());
        QCOMPARE(item(chooser, "mnuMore")->text(), QStringLiteral("&Set Time in seconds"));
        QCOMPARE(env.settings.value(Settings::kTime), QStringLiteral("5"));
    }

    void setTimeAsksUntilTheReplyIsOneOrMore_data()
    {
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QString>("stored");

        QTest::newRow("zero") << QStringList{"0", "3"} << "3";
        QTest::newRow("negative") << QStringList{"-3", "3"} << "3";
        QTest::newRow("empty or cancelled") << QStringList{"", "3"} << "3";
        QTest::newRow("no number") << QStringList{"abc", "3"} << "3";
        QTest::newRow("several wrong") << QStringList{"", "0", "abc", "0.5", "4"} << "4";
        QTest::newRow("number with a word, as typed") << QStringList{"7 seconds"} << "7 seconds";
        QTest::newRow("above the prompt's sixty") << QStringList{"90"} << "90";
    }

    void setTimeAsksUntilTheReplyIsOneOrMore()
    {
        QFETCH(QStringList, replies);
        QFETCH(QString, stored);
        TestEnvironment env;
        frmSelect1 &chooser = openChooser(env);
        for (const QString &reply : replies)
            env.dialogs.type(reply);
        item(chooser, "mnuMore")->trigger();
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.dialogs.unexpected());
        const qsizetype wrong = replies.size() - 1;
        QCOMPARE(env.dialogs.shown().size(), replies.size() + wrong);
        for (qsizetype i = 0; i < wrong; ++i) {
            QCOMPARE(env.dialogs.shown().at(2 * i + 1).kind, QStringLiteral("message"));
            QCOMPARE(env.dialogs.shown().at(2 * i + 1).text, kMustBeOne);
            QCOMPARE(env.dialogs.shown().at(2 * i + 1).title, QStringLiteral("WARNING"));
        }
        QCOMPARE(env.settings.value(Settings::kTime), stored);
        QCOMPARE(item(chooser, "mnuMore")->text(), stored + QStringLiteral("sec, set new time"));
    }

    void repeatTogglesTheStoredSetting()
    {
        TestEnvironment env;
        frmSelect1 &chooser = openChooser(env);
        QAction *repeat = item(chooser, "mnuRepeat");
        repeat->trigger();
        QVERIFY(repeat->isChecked());
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("Yes"));
        repeat->trigger();
        QVERIFY(!repeat->isChecked());
        QCOMPARE(env.settings.value(Settings::kRepeat), QStringLiteral("No"));
    }

    void listHoldsTheAlbumsOnly()
    {
        TestEnvironment env;
        for (const char *name : {"beta", "Alpha", "gamma"})
            env.makeAlbum(QLatin1String(name));
        frmSelect1 &chooser = openChooser(env);
        QCOMPARE(entries(chooser.list()), QStringList({"Alpha", "beta", "gamma"}));
        // A folder made while the chooser is away shows when it is back.
        chooser.findChild<QPushButton *>(QStringLiteral("cmdExc"))->click();
        env.makeAlbum(QStringLiteral("delta"));
        env.owner().present(env.owner().albumList());
        openChooser(env);
        QCOMPARE(entries(chooser.list()), QStringList({"Alpha", "beta", "delta", "gamma"}));
    }

    void noAlbumsCannotBePlayed()
    {
        TestEnvironment env;
        frmSelect1 &chooser = openChooser(env);
        QCOMPARE(entries(chooser.list()), QStringList({frmSelect1::kNoAlbums}));
        choose(chooser.list(), frmSelect1::kNoAlbums);
        chooser.List1_DblClick();
        QCOMPARE(env.dialogs.lastText(), QStringLiteral("You can't select this item as an album"));
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QCOMPARE(env.values.AlbumName, frmSelect1::kNoAlbums);
        QVERIFY(!env.owner().slideshowPlayer().isVisible());
    }

    void doubleClickChoosesTheAlbumAndPlaysIt()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Summer"), 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        env.makeAlbum(QStringLiteral("Autumn"));
        frmSelect1 &chooser = openChooser(env);
        // Nothing chosen: nothing happens.
        chooser.List1_DblClick();
        QVERIFY(env.values.AlbumName.isEmpty());

        choose(chooser.list(), QStringLiteral("Summer"));
        const QListWidgetItem *entry = chooser.list()->currentItem();
        QTest::mouseDClick(chooser.list()->viewport(), Qt::LeftButton, {},
                           chooser.list()->visualItemRect(entry).center());
        QCOMPARE(env.values.AlbumName, QStringLiteral("Summer"));
        frmSlideshow &player = env.owner().slideshowPlayer();
        QVERIFY(player.isVisible());
        QVERIFY(player.player().isRunning());
        QTRY_VERIFY(player.image()->hasPicture());
        QVERIFY(chooser.isVisible());
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    void popupOffersTheChosenAlbum()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Summer"), 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        frmSelect1 &chooser = openChooser(env);
        QListWidget *list = chooser.list();
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 8));
        QVERIFY(!chooser.popupMenu()->isVisible());

        choose(list, QStringLiteral("Summer"));
        QTest::mouseClick(list->viewport(), Qt::RightButton, {}, QPoint(20, 8));
        QTRY_VERIFY(chooser.popupMenu()->isVisible());
        QAction *select = chooser.popupMenu()->findChild<QAction *>(QStringLiteral("mnuSelect"));
        QVERIFY(select);
        QCOMPARE(select->text(), QStringLiteral("Select Selected Album"));
        chooser.popupMenu()->hide();
        select->trigger();
        QCOMPARE(env.values.AlbumName, QStringLiteral("Summer"));
        QVERIFY(env.owner().slideshowPlayer().player().isRunning());
    }

    void helpKeyOpensHelp()
    {
        TestEnvironment env;
        frmSelect1 &chooser = openChooser(env);
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        QTest::keyClick(chooser.list(), Qt::Key_F12, Qt::ShiftModifier);
        QCOMPARE(env.help.opened.size(), 1);
        QCOMPARE(env.help.opened.first().first, HelpFormat::WinHelp);
    }

    void albumListOpensTheChooser()
    {
        TestEnvironment env;
        frmSelect &albums = env.owner().albumList();
        env.owner().present(albums);
        auto *slideshow = albums.findChild<QPushButton *>(QStringLiteral("Command2"));
        QVERIFY(slideshow->isEnabled());
        QCOMPARE(slideshow->text(), QStringLiteral("&Slideshow"));
        slideshow->click();
        QVERIFY(env.owner().hasSlideshowChooser());
        QVERIFY(env.owner().slideshowChooser().isVisible());
        // Closing the chooser leaves the album list where it was.
        env.owner().slideshowChooser().findChild<QPushButton *>(QStringLiteral("cmdExc"))->click();
        QVERIFY(!env.owner().slideshowChooser().isVisible());
        QVERIFY(albums.isVisible());
        QCOMPARE(env.endCount(), 0);
    }
};

KOLUMBRA_TEST(ChooserTest)
#include "ChooserTest.moc"
