#include "EditingFixture.h"
#include "support/TestMain.h"

#include <QMenu>
#include <QtTest>

class EditModesTest : public QObject
{
    Q_OBJECT

private slots:
    void modesShowTheirTextAndGreyTheMenus_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("flag");  // 0 paste, 1 copy, 2 delete
        QTest::newRow("paste from Add") << "mnuFromClipboard" << "Click the location where you want the picture to appear." << 0;
        QTest::newRow("paste from Clipboard") << "mnuFromClip" << "Click the location where you want the picture to appear." << 0;
        QTest::newRow("copy") << "mnuToClip" << "Click on the picture you want to send to the Clipboard." << 1;
        QTest::newRow("delete") << "mnuDelete" << "Click on the picture that you want to delete." << 2;
    }

    void modesShowTheirTextAndGreyTheMenus()
    {
        QFETCH(QString, command);
        QFETCH(QString, text);
        QFETCH(int, flag);
        EditingFixture f;
        QVERIFY(f.open());
        f.action(command.toLatin1().constData())->trigger();
        QCOMPARE(f.label(), text);
        const bool flags[] = {f.env.values.FromClipOn, f.env.values.ToClipOn, f.env.values.ImgDeleteOn};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(flags[i], i == flag);
        QCOMPARE(f.editMenusEnabled(), all(false));
        // Never switched: the Edit menu itself, leaving the mode, picture information.
        QVERIFY(f.action("mnuEdit")->isEnabled());
        QVERIFY(f.action("mnuCancelEdit")->isEnabled());
        QVERIFY(f.action("mnuPicInfo")->isEnabled());

        // Another mode's command is out of reach while greyed.
        f.action("mnuDelete")->trigger();
        QCOMPARE(f.label(), text);

        f.action("mnuCancelEdit")->trigger();
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(!f.env.values.FromClipOn && !f.env.values.ToClipOn && !f.env.values.ImgDeleteOn);
        QVERIFY(!f.form->instructionLabel()->isVisible());
        QVERIFY(f.form->instructionLabel()->text().isEmpty());
    }

    void shortcutsEnterModesOnlyWhenReachable()
    {
        EditingFixture f;
        QVERIFY(f.open());
        QVERIFY(QTest::qWaitForWindowActive(f.form));
        QTest::keyClick(f.form, Qt::Key_E, Qt::ControlModifier);
        QVERIFY(f.env.values.ImgDeleteOn);
        QTest::keyClick(f.form, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(!f.env.values.ToClipOn);
        QTest::keyClick(f.form, Qt::Key_F3);
        QCOMPARE(f.env.values.PageNumber, 1);
    }

    void aClickInAModeDoesNotOpenThePicture()
    {
        EditingFixture f;
        f.env.putPicture(QStringLiteral("Album"), 1, 2, QStringLiteral(".jpg"), QSize(40, 30));
        QVERIFY(f.open());
        f.action("mnuDelete")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::No);
        QTest::mouseClick(f.form->Image1(2), Qt::LeftButton);
        QVERIFY(f.form->isVisible());
        QVERIFY(!f.env.owner().hasPictureWindow() || !f.env.owner().pictureWindow().isVisible());
        // No keeps the mode and its instruction.
        QCOMPARE(f.label(), QStringLiteral("Click on the picture that you want to delete."));
        QVERIFY(f.env.values.ImgDeleteOn);
        QCOMPARE(f.form->Image1(2)->tag(), QStringLiteral("1"));
        QCOMPARE(f.env.dialogs.lastText(), QStringLiteral("Are you sure that you want to delete this picture from the album?"));
    }

    void popupOpensInEveryMode_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("none") << QString();
        QTest::newRow("paste") << "mnuFromClip";
        QTest::newRow("copy") << "mnuToClip";
        QTest::newRow("delete") << "mnuDelete";
    }

    void popupOpensInEveryMode()
    {
        QFETCH(QString, command);
        EditingFixture f;
        QVERIFY(f.open());
        if (!command.isEmpty())
            f.action(command.toLatin1().constData())->trigger();
        QTest::mouseClick(f.form->Image1(3), Qt::RightButton);
        QTRY_VERIFY(f.form->pictureEditMenu()->isVisible());
        QCOMPARE(f.env.values.PopupIndex, 3);
        f.form->pictureEditMenu()->hide();
    }

    void backgroundClicksRespectTheModes()
    {
        EditingFixture f;
        QVERIFY(f.open());
        f.action("mnuToClip")->trigger();
        QTest::mouseClick(f.form->pageArea(), Qt::RightButton, {}, QPoint(4, f.form->pageArea()->height() - 4));
        QCOMPARE(f.env.values.PageNumber, 1);
        // The instruction label pages whatever the mode.
        QTest::mouseClick(f.form->instructionLabel(), Qt::RightButton);
        QCOMPARE(f.env.values.PageNumber, 2);
        QCOMPARE(f.label(), QString());  // a page load empties the label text
    }
};

KOLUMBRA_TEST(EditModesTest)
#include "EditModesTest.moc"
