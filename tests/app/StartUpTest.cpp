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
    // The first run installs the demo album and shows the read-me, whose
    // Continue leads to the start-up screen; later runs go there at once and
    // never install the demo again. Three seconds later the album list takes
    // over and the emptied screen goes once the list has the focus.
    void startUpHandsOverToTheAlbumList_data()
    {
        QTest::addColumn<bool>("firstRun");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("ratio");
        QTest::newRow("first run") << true << QSize(1024, 768) << 1.6;
        QTest::newRow("later run") << false << QSize(640, 480) << 1.0;
    }

    void startUpHandsOverToTheAlbumList()
    {
        QFETCH(bool, firstRun);
        QFETCH(QSize, screen);
        QFETCH(double, ratio);
        TestEnvironment env(screen);
        if (!firstRun)
            env.settings.setValue(Settings::kFirstRunDone, QStringLiteral("Yes"));
        WindowOwner &owner = env.owner();
        owner.start();
        frmStartUp &startUp = owner.startUpScreen();
        QCOMPARE(owner.readMe().isVisible(), firstRun);
        QCOMPARE(startUp.isVisible(), !firstRun);
        QCOMPARE(env.values.ScreenRatio, ratio);
        QCOMPARE(QDir(env.store.demoAlbumFolder()).entryList(QDir::Files).size(), firstRun ? 6 : 0);
        if (firstRun)
            owner.readMe().findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QVERIFY(!owner.readMe().isVisible());
        QVERIFY(startUp.isVisible());
        QVERIFY(!owner.albumPage().isVisible());
        QVERIFY(!owner.hasAlbumList() || !owner.albumList().isVisible());
        QCOMPARE(startUp.timer()->interval(), 3000);
        QVERIFY(startUp.timer()->isActive());
        QCOMPARE(startUp.findChild<QLabel *>(QStringLiteral("lblhelp"))->text(),
                 QStringLiteral("Press < F 12 > at any time for help"));
        // Centred on screens wider than the design.
        const QPoint middle = QRect(QPoint(0, 0), screen).center();
        QCOMPARE(startUp.frameGeometry().center() == middle, ratio > 1.0);

        QTRY_VERIFY_WITH_TIMEOUT(owner.hasAlbumList() && owner.albumList().isVisible(), 5000);
        QVERIFY(!startUp.timer()->isActive());
        QVERIFY(!startUp.isEnabled());
        for (const QLabel *label : startUp.findChildren<QLabel *>())
            QVERIFY(!label->isVisible());
        owner.albumList().list()->setFocus();
        QTRY_VERIFY(!startUp.isVisible());
    }

    void readMeSitsTopLeftOnSmallScreens_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<bool>("centred");
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
