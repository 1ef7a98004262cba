#include "pictureinfo/BrowserFixture.h"

#include "albums/frmSelect.h"
#include "pictureinfo/RecordPicture.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace BrowserFixture;

namespace {

// Search in album names (true) or descriptions (false) as the user does it.
void search(frmDatabase &form, bool inAlbumNames, const QString &text)
{
    press(form, "cmdSearch");
    QTest::mouseClick(control<QRadioButton>(form, inAlbumNames ? "optAlb" : "optDisc"), Qt::LeftButton);
    control<QLineEdit>(form, "TxtSearch")->setText(text);
    press(form, "cmdSearch");
}

QRect fittedPixels(const QSize &natural)
{
    return RecordPicture::toPixels(RecordPicture::fitted(natural));
}

} // namespace

// The database browser: opening it from the album list, moving through the
// descriptions, their pictures, searching, deleting, and leaving it.
class DatabaseBrowserTest : public QObject
{
    Q_OBJECT

private slots:
    void opensFromTheAlbumListAndGoesBackThere()
    {
        TestEnvironment env(QSize(1280, 1024));
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        QTest::mouseClick(list.findChild<QPushButton *>(QStringLiteral("cmdDatabase")), Qt::LeftButton);
        frmDatabase &form = env.owner().databaseBrowser();
        QVERIFY(form.isVisible());
        QCOMPARE(form.windowTitle(), QStringLiteral("Picture Database"));
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|1|alpha two"));
        QCOMPARE(counters(form), counters(3, 1));
        QVERIFY(!control(form, "lblSearchMsg")->isVisible());
        QVERIFY(!description(form)->isEnabled());
        const auto centred = [&form] { return (form.frameGeometry().center() - QPoint(640, 512)).manhattanLength() <= 4; };
        QVERIFY(centred());
        QTest::keyClick(&form, Qt::Key_F12);
        QCOMPARE(env.help.opened.size(), 1);

        // Close and Esc go back to the album list, which is still open beneath.
        press(form, "cmdClose");
        QVERIFY(!form.isVisible());
        QVERIFY(list.isVisible());
        open(env);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());

        // Closed from its frame, the window comes back as newly opened: in
        // the middle of the screen again.
        open(env);
        form.move(10, 10);
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        open(env);
        QVERIFY(centred());
        QCOMPARE(counters(form), counters(3, 1));
        QCOMPARE(env.endCount(), 0);
        QVERIFY(env.dialogs.shown().isEmpty());
    }

    void keepsItsPlaceOnTheScreenItWasDesignedFor()
    {
        TestEnvironment env(QSize(640, 480));
        QCOMPARE(open(env).pos(), QPoint(0, 0));
    }

    // Button states, counters and the row shown after each press, for 0, 1
    // and 3 rows, and the rows left in the file. A step with "!" asks for the
    // move directly rather than through its (maybe greyed) button: a move
    // that cannot go anywhere changes nothing. "Delete" is answered Yes,
    // "Delete?" No.
    void movingAndDeleting_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("left");  // the rows in the file afterwards
        const QStringList one{"beta|1|2|second of beta"};
        const QStringList all = one + QStringList{"Alpha|2|1|alpha two", "beta|1|1|first of beta"};
        const QStringList atFirst{"cmdMoveNext", "cmdMoveLast"};
        const QStringList atLast{"cmdMoveFirst", "cmdMovePrevious"};
        QTest::newRow("empty table") << 0 << QStringList{"!Next", "!Last"} << kEmptyTable << counters(0, 0) << "|||"
                                     << QStringList{};
        QTest::newRow("one row, every move") << 1 << QStringList{"Next", "Last", "!Previous", "!First"}
                                             << kBrowsingNoMoves << counters(1, 1) << "beta|1|2|second of beta"
                                             << one;
        QTest::newRow("three rows at the first") << 3 << QStringList{"!Previous", "!First"} << browsing(atFirst)
                                                 << counters(3, 1) << "Alpha|2|1|alpha two" << all;
        QTest::newRow("next") << 3 << QStringList{"Next"} << browsing(kAllMoves) << counters(3, 2)
                              << "beta|1|1|first of beta" << all;
        QTest::newRow("last") << 3 << QStringList{"Last", "!Next", "!Last"} << browsing(atLast) << counters(3, 3)
                              << "beta|1|2|second of beta" << all;
        QTest::newRow("last, previous") << 3 << QStringList{"Last", "Previous"} << browsing(kAllMoves) << counters(3, 2)
                                        << "beta|1|1|first of beta" << all;
        QTest::newRow("last, first") << 3 << QStringList{"Last", "First"} << browsing(atFirst) << counters(3, 1)
                                     << "Alpha|2|1|alpha two" << all;
        QTest::newRow("delete the only row") << 1 << QStringList{"Delete"} << kEmptyTable << counters(0, 0) << "|||"
                                             << QStringList{};
        QTest::newRow("delete the middle of three")
            << 3 << QStringList{"Next", "Delete"} << browsing(atFirst) << counters(2, 1) << "Alpha|2|1|alpha two"
            << QStringList{"beta|1|2|second of beta", "Alpha|2|1|alpha two"};
        QTest::newRow("delete answered no") << 3 << QStringList{"Last", "Delete?"} << browsing(atLast) << counters(3, 3)
                                            << "beta|1|2|second of beta" << all;
    }

    void movingAndDeleting()
    {
        QFETCH(int, rows);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, enabled);
        QFETCH(QString, counter);
        QFETCH(QString, shown);
        QFETCH(QStringList, left);
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows.mid(0, rows));
        frmDatabase &form = open(env);
        const QMap<QString, void (frmDatabase::*)()> direct{{"!First", &frmDatabase::cmdMoveFirst_Click},
                                                          {"!Previous", &frmDatabase::cmdMovePrevious_Click},
                                                          {"!Next", &frmDatabase::cmdMoveNext_Click},
                                                          {"!Last", &frmDatabase::cmdMoveLast_Click}};
        for (const QString &step : presses) {
            if (direct.contains(step)) {
                (form.*direct.value(step))();
            } else if (step.startsWith(QLatin1String("Delete"))) {
                env.dialogs.answer(step.endsWith('?') ? Dialogs::Answer::No : Dialogs::Answer::Yes);
                press(form, "cmdDelete");
                QCOMPARE(boxes(env), QStringList{"WARNING: Are you sure that you want to delete this record"});
            } else {
                press(form, qPrintable(QStringLiteral("cmdMove") + step));
            }
        }
        QCOMPARE(enabledButtons(form), enabled);
        QCOMPARE(counters(form), counter);
        QCOMPARE(fields(form), shown);
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)), left);
    }

    // The picture the album shows for the row's position, fitted into the
    // square; the row shown last wins over rows passed quickly; a picture
    // seen before is never shown stale once its file changed.
    void eachRowShowsItsPicture()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".jpg"), QSize(50, 50), Qt::red);
        const QString replacement =
            env.putPicture(QStringLiteral("Alpha"), 2, 1, QStringLiteral(".bmp"), QSize(200, 100), Qt::blue);
        const QString beta1 = env.putPicture(QStringLiteral("beta"), 1, 1, QStringLiteral(".jpg"), QSize(100, 200));
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        press(form, "cmdMoveNext");  // while Alpha's picture is being decoded
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->path(), beta1);
        QCOMPARE(form.image()->geometry(), QRect(88, 214, 91, 183));
        press(form, "cmdMovePrevious");
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->path(), replacement);
        QCOMPARE(form.image()->naturalSize(), QSize(200, 100));
        QCOMPARE(form.image()->geometry(), QRect(42, 260, 183, 91));

        // Passing beta 1/1, whose file changed, on the way to beta 1/2, which
        // has no picture: the square stays empty whenever the passed picture
        // is decoded, and coming back shows the new one.
        env.putPicture(QStringLiteral("beta"), 1, 1, QStringLiteral(".jpg"), QSize(300, 100));
        press(form, "cmdMoveNext");
        press(form, "cmdMoveNext");
        QTest::qWait(200);
        QVERIFY(!form.image()->hasPicture());
        QCOMPARE(form.image()->geometry(), QRect(42, 214, 183, 183));
        press(form, "cmdMovePrevious");
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->naturalSize(), QSize(300, 100));
        QCOMPARE(form.image()->geometry(), fittedPixels(QSize(300, 100)));
    }

    void searchStepsShowTheirPrompts()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows + QList<PictureRecord>{{"Holiday's", 3, 1, "100% it's"}});
        frmDatabase &form = open(env);
        press(form, "cmdSearch");
        QCOMPARE(enabledButtons(form), QStringList{"cmdCancel"});
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(), QStringLiteral("Select where to search in option"));
        QVERIFY(control(form, "optAlb")->isVisible() && control(form, "optDisc")->isVisible());
        QTest::mouseClick(control<QRadioButton>(form, "optDisc"), Qt::LeftButton);
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(),
                 QStringLiteral("Enter a word or phrase to search for in Discription"));
        QVERIFY(!control(form, "optAlb")->isVisible() && !control(form, "optDisc")->isVisible());
        QVERIFY(control(form, "TxtSearch")->isVisible() && control(form, "TxtSearch")->isEnabled());
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("Start &Search"));
        QCOMPARE(enabledButtons(form), QStringList({"cmdCancel", "cmdSearch"}));

        // Nothing typed: refused, and the text can still be typed.
        press(form, "cmdSearch");
        QCOMPARE(boxes(env), QStringList{"WARNING: You did not enter anything to search for"});
        QVERIFY(control(form, "TxtSearch")->isVisible());
        QCOMPARE(counters(form), counters(4, 1));

        // Cancel puts everything back.
        press(form, "cmdCancel");
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        QCOMPARE(button(form, "cmdSearch")->text(), QStringLiteral("&Search"));
        QVERIFY(!control(form, "TxtSearch")->isVisible() && !control(form, "lblSearch")->isVisible());
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|1|alpha two"));

        // Enter in the search box starts the search; the text is taken as
        // typed, "%" and "'" too. "T" is in two album names only.
        press(form, "cmdSearch");
        QTest::mouseClick(control<QRadioButton>(form, "optDisc"), Qt::LeftButton);
        QTest::keyClicks(control(form, "TxtSearch"), QStringLiteral("0% IT'S"));
        QTest::keyClick(control(form, "TxtSearch"), Qt::Key_Return);
        QTRY_COMPARE(counters(form), counters(1, 1));
        QCOMPARE(fields(form), QStringLiteral("Holiday's|3|1|100% it's"));
        search(form, true, QStringLiteral("T"));
        QCOMPARE(counters(form), counters(2, 1));
        QCOMPARE(fields(form), QStringLiteral("beta|1|1|first of beta"));
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        QVERIFY(!control<QRadioButton>(form, "optAlb")->isChecked());
        press(form, "cmdMoveLast");
        QCOMPARE(fields(form), QStringLiteral("beta|1|2|second of beta"));

        // Whatever window the user went to meanwhile, coming back shows the
        // whole table as it is now.
        DescriptionFile::Connection(descriptionFile(env)).insert({{QStringLiteral("Aaa"), 1, 1, QStringLiteral("new")}});
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        QCOMPARE(counters(form), counters(5, 1));
        QCOMPARE(fields(form), QStringLiteral("Aaa|1|1|new"));
    }

    // "No data found." for three seconds, then the whole table again. Once
    // the window is left the reload waits for nobody: it would replace the
    // record set the picture information window may be working on.
    void aSearchWithoutResultReloadsAfterThreeSeconds()
    {
        TestEnvironment env;
        DescriptionFile::create(descriptionFile(env), kThreeRows);
        frmDatabase &form = open(env);
        auto *timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
        search(form, true, QStringLiteral("nowhere"));
        QVERIFY(timer->isActive());
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QVERIFY(!timer->isActive());
        open(env);
        QCOMPARE(counters(form), counters(3, 1));

        search(form, false, QStringLiteral("nowhere"));
        QVERIFY(control(form, "lblSearch")->isVisible());
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(), QStringLiteral("No data found."));
        QCOMPARE(counters(form), counters(0, 0));
        QCOMPARE(fields(form), QStringLiteral("|||"));
        QCOMPARE(enabledButtons(form), QStringList());
        QCOMPARE(timer->interval(), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(counters(form), counters(3, 1), 5000);
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|1|alpha two"));
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        QVERIFY(!control(form, "lblSearch")->isVisible());
    }

    // Descriptions that cannot be read: told once, and the window still works
    // as far as it can.
    void anUnusableDescriptionsFileIsToldOnce()
    {
        TestEnvironment env;
        QVERIFY(QDir().mkpath(descriptionFile(env)));
        env.putPicture(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg"), QSize(40, 20));
        frmDatabase &form = open(env);
        QCOMPARE(env.dialogs.shown().size(), 1);
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("Picture descriptions are not available.")));
        QCOMPARE(counters(form), counters(0, 0));
        QCOMPARE(enabledButtons(form), kEmptyTable);
        search(form, false, QStringLiteral("x"));
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(), QStringLiteral("No data found."));

        // An addition is refused when it is saved; the text typed stays.
        form.Timer1_Timer();
        QVERIFY(addNew(env, form, QStringLiteral("Alpha"), {"2", "2"}));
        QTest::keyClicks(description(form), QStringLiteral("kept"));
        press(form, "cmdClose");
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The description was not stored.")));
        QCOMPARE(description(form)->toPlainText(), QStringLiteral("kept"));
        QCOMPARE(enabledButtons(form), kTyping);
        press(form, "cmdCancel");
        QCOMPARE(enabledButtons(form), kEmptyTable);
        QVERIFY(QFileInfo(descriptionFile(env)).isDir());
    }
};

KOLUMBRA_TEST(DatabaseBrowserTest)
#include "DatabaseBrowserTest.moc"
