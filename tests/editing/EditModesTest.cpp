#include "EditingFixture.h"
#include "support/TestMain.h"

#include <QMenu>
#include <QtTest>

class EditModesTest : public QObject
{
    Q_OBJECT

private slots:
    // Each mode shows its instruction and greys the nine menus, whose keys
    // then do nothing; the popup still opens; "Cancel Ed&iT" ends any mode.
    void modesGreyTheMenusUntilCancelled_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flag");  // 0 paste, 1 copy, 2 delete
        const QString paste = QStringLiteral("Click the location where you want the picture to appear.");
        QTest::newRow("paste from Add") << QKeySequence(QStringLiteral("Ctrl+C")) << paste << 0;
        QTest::newRow("paste from Clipboard") << QKeySequence(QStringLiteral("Ctrl+F")) << paste << 0;
        QTest::newRow("copy") << QKeySequence(QStringLiteral("Ctrl+T"))
                              << "Click on the picture you want to send to the Clipboard." << 1;
        QTest::newRow("delete") << QKeySequence(QStringLiteral("Ctrl+E"))
                                << "Click on the picture that you want to delete." << 2;
    }

    void modesGreyTheMenusUntilCancelled()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, text);
        QFETCH(int, flag);
        EditingFixture f;
        QVERIFY(f.open());
        QVERIFY(QTest::qWaitForWindowActive(f.form));
        const auto flags = [&f] {
            return QList<bool>{f.env.values.FromClipOn, f.env.values.ToClipOn, f.env.values.ImgDeleteOn};
        };
        QList<bool> expected(3, false);
        expected[flag] = true;
        QTest::keySequence(f.form, key);
        QCOMPARE(flags(), expected);
        QCOMPARE(f.label(), text);
        QCOMPARE(f.editMenusEnabled(), all(false));
        // Never switched: the Edit menu itself, leaving the mode, picture information.
        QVERIFY(f.action("mnuEdit")->isEnabled());
        QVERIFY(f.action("mnuCancelEdit")->isEnabled());
        QVERIFY(f.action("mnuPicInfo")->isEnabled());

        // What is greyed is out of reach, by key or by a command under a greyed menu.
        QTest::keySequence(f.form, QKeySequence(QStringLiteral("Ctrl+E")));
        QTest::keySequence(f.form, QKeySequence(QStringLiteral("Ctrl+T")));
        QTest::keyClick(f.form, Qt::Key_F3);
        f.action("mnuFromClip")->trigger();
        QCOMPARE(flags(), expected);
        QCOMPARE(f.label(), text);
        QCOMPARE(f.env.values.PageNumber, 1);

        QTest::mouseClick(f.form->Image1(3), Qt::RightButton);
        QTRY_VERIFY(f.form->pictureEditMenu()->isVisible());
        QCOMPARE(f.env.values.PopupIndex, 3);
        f.form->pictureEditMenu()->hide();

        f.action("mnuCancelEdit")->trigger();
        QCOMPARE(flags(), QList<bool>(3, false));
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(!f.instruction()->isVisible());
        QVERIFY(f.instruction()->text().isEmpty());
    }
};

KOLUMBRA_TEST(EditModesTest)
#include "EditModesTest.moc"
