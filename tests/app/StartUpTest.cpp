#include "albumpage/AlbumPageWindow.h"
#include "albums/AlbumListWindow.h"
#include "app/ReadMeWindow.h"
#include "app/Settings.h"
#include "app/StartUpScreen.h"
#include "display/PictureWindow.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class StartUpTest : public QObject
{
    Q_OBJECT

private slots:
    // A value is read and replaced under its name in any letter case, in the
    // store found whatever the case of its folder and file.
    void storedValues_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("store in another case")
            << "kolumbra/KOLUMBRA.INI" << QByteArray("[STARTUP]\nREPEAT=Yes\n") << "Repeat"
            << "Yes";
        QTest::newRow("hand-edited comma: one text")
            << "KoLumbra/KoLumbra.ini" << QByteArray("[Startup]\nTime=7,5\n") << "Time"
            << "7, 5";
    }

    void storedValues()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QTemporaryDir config;
        const QDir dir(config.path());
        QVERIFY(dir.mkpath(QFileInfo(file).path()));
        QFile ini(dir.filePath(file));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(text);
        ini.close();
        Settings settings(config.path());
        QCOMPARE(settings.value(key, QStringLiteral("5")), value);
        settings.setValue(key.toLower(), QStringLiteral("changed"));
        QCOMPARE(Settings(config.path()).value(key.toUpper()), QStringLiteral("changed"));
        const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders, QStringList(QFileInfo(file).path()));
    }

    // The first run installs the demo album and shows the read-me, whose
    // Continue leads to the start-up screen; later runs go there at once and
    // never install the demo again. Three seconds later the album list takes
    // over.
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
        StartUpScreen &startUp = owner.startUpScreen();
        QCOMPARE(owner.readMe().isVisible(), firstRun);
        QCOMPARE(env.session.screenRatio, ratio);
        QCOMPARE(QDir(env.programFolder() + QStringLiteral("/Demo Album")).entryList(QDir::Files).size(),
                 firstRun ? 6 : 0);
        if (firstRun)
            owner.readMe().findChild<QPushButton *>(QStringLiteral("Command1"))->click();
        QVERIFY(!owner.readMe().isVisible());
        QVERIFY(startUp.isVisible());
        QCOMPARE(startUp.timer()->interval(), 3000);
        QTRY_VERIFY_WITH_TIMEOUT(owner.albumListShown(), 5000);
    }

    // The first run is remembered: the next start on the same settings goes
    // straight to the start-up screen, and a demo album the user deleted in
    // between stays deleted.
    void firstRunIsRememberedAcrossStarts()
    {
        QTemporaryDir program;
        QTemporaryDir config;
        const QString demo = QDir(program.path()).filePath(QStringLiteral("Demo Album"));
        {
            TestEnvironment first(program.path(), config.path());
            first.owner().start();
            QVERIFY(first.owner().readMe().isVisible());
        }
        QVERIFY(QFileInfo::exists(demo));
        QVERIFY(QDir(demo).removeRecursively());

        TestEnvironment second(program.path(), config.path());
        second.owner().start();
        QVERIFY(second.owner().startUpScreen().isVisible());
        QVERIFY(!second.owner().readMe().isVisible());
        QVERIFY(!QFileInfo::exists(demo));
    }

    // F12 with any modifier opens help in the format chosen on the album
    // list, whichever control has the focus. Esc ends the program at once.
    void f12HelpAndEscEndInEveryWindow_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("start-up") << 0 << int(Qt::NoModifier);
        QTest::newRow("read-me") << 1 << int(Qt::ShiftModifier);
        QTest::newRow("album list") << 2 << int(Qt::ControlModifier);
        QTest::newRow("album page") << 3 << int(Qt::AltModifier);
        QTest::newRow("picture") << 4 << int(Qt::ShiftModifier | Qt::ControlModifier);
    }

    void f12HelpAndEscEndInEveryWindow()
    {
        QFETCH(int, window);
        QFETCH(int, modifiers);
        TestEnvironment env;
        WindowOwner &owner = env.owner();
        QWidget *w = QList<QWidget *>{&owner.startUpScreen(), &owner.readMe(), &owner.albumList(), &owner.albumPage(),
                                      &owner.pictureWindow()}
                         .at(window);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (auto *list = w->findChild<QListWidget *>())
            list->setFocus();
        QTest::keyClick(w, Qt::Key_F12, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(env.help.opened.size(), 1);
        QCOMPARE(
            env.help.opened.first(),
            qMakePair(HelpFormat::WinHelp, QDir(env.programFolder()).filePath(QStringLiteral("KoLumbraHelp.html"))));

        owner.albumList().findChild<QRadioButton *>(QStringLiteral("optHtmlHelp"))->setChecked(true);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F12, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(env.help.opened.size(), 2);
        QCOMPARE(env.help.opened.last().first, HelpFormat::HtmlHelp);

        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);
        QVERIFY(!w->isVisible());
        // Nor does the start-up screen hand over to the album list any more.
        owner.startUpScreen().showAlbumList();
        QVERIFY(!owner.albumList().isVisible());
    }
};

KOLUMBRA_TEST(StartUpTest)
#include "StartUpTest.moc"
