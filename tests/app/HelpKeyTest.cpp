#include "albums/frmSelect.h"
#include "albumview/Form1.h"
#include "app/frmReadMe.h"
#include "app/frmStartUp.h"
#include "display/frmDisplayPicture.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QAction>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

#include <algorithm>

class HelpKeyTest : public QObject
{
    Q_OBJECT

private slots:
    // F12 with any modifier opens help in the format chosen on the album
    // list, whichever control has the focus; no other key does. Esc ends the
    // program.
    void f12HelpAndEscEndInEveryWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("modifiers");
        for (const char *w :
             {"frmStartUp", "frmReadMe", "frmSelect", "Form1", "frmDisplayPicture"}) {
            const QString name = QString::fromLatin1(w);
            QTest::addRow("%s", w) << name << int(Qt::NoModifier);
            QTest::addRow("%s shift", w) << name << int(Qt::ShiftModifier);
            QTest::addRow("%s ctrl", w) << name << int(Qt::ControlModifier);
        }
    }

    void f12HelpAndEscEndInEveryWindow()
    {
        QFETCH(QString, window);
        QFETCH(int, modifiers);
        TestEnvironment env;
        WindowOwner &owner = env.owner();
        const QList<QWidget *> windows{&owner.startUpScreen(), &owner.readMe(), &owner.albumList(),
                                       &owner.albumPage(), &owner.pictureWindow()};
        QWidget *w = *std::find_if(windows.begin(), windows.end(), [&window](QWidget *each) {
            return each->objectName() == window;
        });
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        if (auto *list = w->findChild<QListWidget *>())
            list->setFocus();
        QTest::keyClick(w, Qt::Key_F10);
        QTest::keyClick(w, Qt::Key_A);
        QTest::keyClick(w, Qt::Key_F12, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(env.help.opened.size(), 1);
        QCOMPARE(env.help.opened.first().first, HelpFormat::WinHelp);
        QCOMPARE(env.help.opened.first().second, env.store.helpFilePath());

        auto *html = owner.albumList().findChild<QRadioButton *>(QStringLiteral("optHtmlHelp"));
        html->setChecked(true);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F12, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(env.help.opened.size(), 2);
        QCOMPARE(env.help.opened.last().first, HelpFormat::HtmlHelp);

        QTest::keyClick(w, Qt::Key_Escape);
        QCOMPARE(env.endCount(), 1);
        QVERIFY(!w->isVisible());
        // Nor does the start-up screen hand over to the album list any more.
        owner.startUpScreen().Timer1_Timer();
        QVERIFY(!owner.albumList().isVisible());
    }

    void helpMenuOfTheAlbumPage()
    {
        TestEnvironment env;
        env.owner().albumPage().findChild<QAction *>(QStringLiteral("mnuHelp"))->trigger();
        QCOMPARE(env.help.opened.size(), 1);
        QCOMPARE(env.help.opened.first().first, HelpFormat::WinHelp);
    }
};

KOLUMBRA_TEST(HelpKeyTest)
#include "HelpKeyTest.moc"
