#include "albums/frmSelect.h"
#include "albumstore/AlbumStore.h"
#include "albumview/Form1.h"
#include "app/frmReadMe.h"
#include "app/frmStartUp.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    void firstRunInstallsTheDemoAndShowsTheReadMe()
    {
        TestEnvironment env(QSize(1024, 768));
        WindowOwner &owner = env.owner();
        owner.start();
        QVERIFY(owner.readMe().isVisible());
        QVERIFY(!owner.hasStartUpScreen() || !owner.startUpScreen().isVisible());
        QVERIFY(!owner.albumPage().isVisible());
        QCOMPARE(env.values.ScreenRatio, 1.6);
        QVERIFY(!env.values.ResizeArmed);
        QCOMPARE(QDir(env.store.demoAlbumFolder()).entryList(QDir::Files).size(), 6);
        QCOMPARE(owner.readMe().windowTitle(), QStringLiteral("ReadMe"));

        // Continue leads to the start-up screen.
        owner.readMe().findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QVERIFY(!owner.readMe().isVisible());
        QVERIFY(owner.startUpScreen().isVisible());
        QVERIFY(owner.startUpScreen().timer()->isActive());
    }

    void laterRunsShowTheStartUpScreenAndNeverReinstall()
    {
        TestEnvironment env(QSize(640, 480));
        env.settings.setValue(Settings::kFirstRunDone, QStringLiteral("Yes"));
        WindowOwner &owner = env.owner();
        owner.start();
        QVERIFY(owner.startUpScreen().isVisible());
        QVERIFY(!owner.hasAlbumList() || !owner.albumList().isVisible());
        QCOMPARE(env.values.ScreenRatio, 1.0);
        QVERIFY(!QFileInfo::exists(env.store.demoAlbumFolder()));
    }

    void startUpScreenHandsOverAfterThreeSeconds()
    {
        TestEnvironment env;
        env.settings.setValue(Settings::kFirstRunDone, QStringLiteral("Yes"));
        WindowOwner &owner = env.owner();
        owner.start();
        frmStartUp &screen = owner.startUpScreen();
        QCOMPARE(screen.timer()->interval(), 3000);
        QVERIFY(screen.timer()->isActive());
        QCOMPARE(screen.findChild<QLabel *>(QStringLiteral("lblhelp"))->text(),
                 QStringLiteral("Press < F 12 > at any time for help"));
        // Centred on a 1024 x 768 screen.
        QCOMPARE(screen.frameGeometry().center(), QRect(0, 0, 1024, 768).center());

        QTRY_VERIFY_WITH_TIMEOUT(owner.hasAlbumList() && owner.albumList().isVisible(), 5000);
        QVERIFY(!screen.timer()->isActive());
        QVERIFY(!screen.isEnabled());
        const QList<QLabel *> labels = screen.findChildren<QLabel *>();
        for (const QLabel *label : labels)
            QVERIFY(!label->isVisible());
        // The empty screen goes when the album list takes the focus.
        owner.albumList().list()->setFocus();
        QTRY_VERIFY(!screen.isVisible());
    }

    void escapeEndsTheProgramFromTheFirstScreens()
    {
        TestEnvironment env;
        WindowOwner &owner = env.owner();
        owner.start();
        QVERIFY(QTest::qWaitForWindowActive(&owner.readMe()));
        QTest::keyClick(&owner.readMe(), Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);
        QVERIFY(!owner.readMe().isVisible());
        QVERIFY(!owner.hasStartUpScreen() || !owner.startUpScreen().isVisible());

        TestEnvironment later;
        later.settings.setValue(Settings::kFirstRunDone, QStringLiteral("Yes"));
        later.owner().start();
        frmStartUp &screen = later.owner().startUpScreen();
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QTest::keyClick(&screen, Qt::Key_Escape);
        QCOMPARE(later.endCount(), 1);
        QTest::qWait(3200);
        QVERIFY(!later.owner().hasAlbumList() || !later.owner().albumList().isVisible());
    }

    void readMeSitsTopLeftOnSmallScreens_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("centred");
        QTest::newRow("640") << QSize(640, 480) << false;
        QTest::newRow("646") << QSize(646, 480) << false;
        QTest::newRow("800") << QSize(800, 600) << true;
    }

    void readMeSitsTopLeftOnSmallScreens()
    {
        QFETCH(QSize, screen);
        QFETCH(bool, centred);
        TestEnvironment env(screen);
        frmReadMe &readme = env.owner().readMe();
        readme.Form_Load();
        if (centred)
            QVERIFY(qAbs(readme.frameGeometry().center().x() - screen.width() / 2) <= 1);
        else
            QCOMPARE(readme.pos(), QPoint(0, 0));
    }
};

KOLUMBRA_TEST(StartUpTest)
#include "StartUpTest.moc"
