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

namespace {

QWidget *windowNamed(WindowOwner &owner, const QString &name)
{
    if (name == QLatin1String("frmStartUp"))
        return &owner.startUpScreen();
    if (name == QLatin1String("frmReadMe"))
        return &owner.readMe();
    if (name == QLatin1String("frmSelect"))
        return &owner.albumList();
    if (name == QLatin1String("Form1"))
        return &owner.albumPage();
    return &owner.pictureWindow();
}

} // namespace

class HelpKeyTest : public QObject
{
    Q_OBJECT

private slots:
    void f12OpensTheChosenFormatInEveryWindow_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("modifiers");
        for (const char *w : {"frmStartUp", "frmReadMe", "frmSelect", "Form1", "frmDisplayPicture"}) {
            QTest::addRow("%s", w) << QString::fromLatin1(w) << int(Qt::NoModifier);
            QTest::addRow("%s shift", w) << QString::fromLatin1(w) << int(Qt::ShiftModifier);
            QTest::addRow("%s ctrl", w) << QString::fromLatin1(w) << int(Qt::ControlModifier);
        }
    }

    void f12OpensTheChosenFormatInEveryWindow()
    {
        QFETCH(QString, window);
        QFETCH(int, modifiers);
        TestEnvironment env;
        QWidget *w = windowNamed(env.owner(), window);
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        // Whichever control has the focus.
        if (auto *list = w->findChild<QListWidget *>())
            list->setFocus();
        QTest::keyClick(w, Qt::Key_F12, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(env.help.opened.size(), 1);
        QCOMPARE(env.help.opened.first().first, HelpFormat::WinHelp);
        QCOMPARE(env.help.opened.first().second, env.store.helpFilePath());

        env.owner().albumList().findChild<QRadioButton *>(QStringLiteral("optHtmlHelp"))->setChecked(true);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_F12, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(env.help.opened.size(), 2);
        QCOMPARE(env.help.opened.last().first, HelpFormat::HtmlHelp);
        QVERIFY(!env.owner().albumList().isVisible() || window == QLatin1String("frmSelect"));
    }

    void helpMenuOfTheAlbumPage()
    {
        TestEnvironment env;
        env.owner().albumPage().findChild<QAction *>(QStringLiteral("mnuHelp"))->trigger();
        QCOMPARE(env.help.opened.size(), 1);
        QCOMPARE(env.help.opened.first().first, HelpFormat::WinHelp);
    }

    void otherKeysOpenNoHelp()
    {
        TestEnvironment env;
        Form1 &form = env.owner().albumPage();
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F10);
        QTest::keyClick(&form, Qt::Key_A);
        QVERIFY(env.help.opened.isEmpty());
    }
};

KOLUMBRA_TEST(HelpKeyTest)
#include "HelpKeyTest.moc"
