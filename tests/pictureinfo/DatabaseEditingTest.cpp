#include "pictureinfo/BrowserFixture.h"
#include "support/ReadOnlyPath.h"

#include "albums/frmSelect.h"
#include "pictureinfo/PictureInfo.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace BrowserFixture;

namespace {

const QString kPageBox = QStringLiteral("Page Number: Input the page number of the picture  (1 to 10)");
const QString kPictureBox = QStringLiteral("Picture Number: Input the picture number of the page  (1 to 6)");
const QString kGoOn = QStringLiteral("WARNING: You either did not enter anything or you pressed <cancel>.\r\n"
                                     "      Do you want to continue adding a new record ?");
const QString kPageRange = QStringLiteral("WARNING: The number must be between 1 and 10");
const QString kPictureRange = QStringLiteral("WARNING: The number must be between 1 and 6");
const QString kNoPicture = QStringLiteral("WARNING: That Picture location does not exist in your album.\r\n"
                                          "You can not have data for a picture that does not exist.\r\n"
                                          "Do you want to try another picture location?");
const QString kHasData = QStringLiteral("WARNING:    This picture already has data saved.\r\n"
                                        "Are you sure that you want to change it ?");

// Albums with pictures at Alpha 2/2, Alpha 5/1 and beta 1/1 (which has a
// description), a file at gamma 1/1 that is no picture, and the three
// descriptions.
void prepare(TestEnvironment &env)
{
    env.putPicture(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg"), QSize(40, 20));
    env.putPicture(QStringLiteral("Alpha"), 5, 1, QStringLiteral(".JPG"), QSize(40, 20));
    env.putPicture(QStringLiteral("beta"), 1, 1, QStringLiteral(".bmp"), QSize(20, 40));
    env.makeAlbum(QStringLiteral("gamma"));
    QFile broken(env.store.picturePath(QStringLiteral("gamma"), 1, 1, QStringLiteral(".BMP")));
    if (broken.open(QIODevice::WriteOnly))
        broken.write("BM not really a bitmap");
    DescriptionFile::create(descriptionFile(env), kThreeRows);
}

// The window as the user sees it, to compare before and after.
QString look(const frmDatabase &form)
{
    return QStringList{fields(form), counters(form), enabledButtons(form).join(','), form.image()->path(),
                       button(form, "cmdClose")->text(), description(form)->isEnabled() ? "typing" : "showing"}
        .join('/');
}

} // namespace

// Edit, Add New, Save and Cancel in the database browser, and what they
// leave in the descriptions file.
class DatabaseEditingTest : public QObject
{
    Q_OBJECT

private slots:
    // Edit on a row, or Add New on a position that has a row (after Yes):
    // Save stores the text in that row, Cancel keeps it, and the browser
    // stands on it. A file written elsewhere may hold two rows for a
    // position; it still gets no third.
    void editStoresOrCancels_data()
    {
        QTest::addColumn<bool>("lookup");
        QTest::addColumn<bool>("twoRows");
        QTest::addColumn<bool>("save");
        QTest::newRow("edit, save") << false << false << true;
        QTest::newRow("edit, cancel") << false << false << false;
        QTest::newRow("add new finds a row, save") << true << false << true;
        QTest::newRow("add new finds a row, cancel") << true << false << false;
        QTest::newRow("add new finds two rows, save") << true << true << true;
    }

    void editStoresOrCancels()
    {
        QFETCH(bool, lookup);
        QFETCH(bool, twoRows);
        QFETCH(bool, save);
        TestEnvironment env;
        prepare(env);
        if (twoRows)
            DescriptionFile::Connection(descriptionFile(env)).insert({{"beta", 1, 1, "again"}});
        frmDatabase &form = open(env);
        if (lookup) {
            QVERIFY(addNew(env, form, QStringLiteral("beta"), {"1", "1"}, {"Yes"}));
            QCOMPARE(boxes(env), QStringList({kPageBox, kPictureBox, kHasData}));
        } else {
            press(form, "cmdMoveNext");
            press(form, "cmdEdit");
            QVERIFY(env.dialogs.shown().isEmpty());
        }
        QCOMPARE(fields(form), QStringLiteral("beta|1|1|first of beta"));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Save"));
        QCOMPARE(enabledButtons(form), kTyping);
        QVERIFY(description(form)->isEnabled());
        QCOMPARE(description(form)->palette().color(QPalette::Base), QColor(Qt::white));
        QTest::keyClicks(description(form), QStringLiteral(", edited"));
        // Another window meanwhile, and the picture information window's
        // set shared: the typing stays, and goes to the row shown here.
        PictureInfo::openRecords(env.values, env.store, env.dialogs, RecordQuery::position(QStringLiteral("Alpha"), 2, 1));
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        QCOMPARE(description(form)->toPlainText(), QStringLiteral("first of beta, edited"));
        press(form, save ? "cmdClose" : "cmdCancel");

        const QString stored = QStringLiteral("beta|1|1|first of beta") + (save ? ", edited" : "");
        QCOMPARE(fields(form), stored);
        QCOMPARE(counters(form), counters(3 + int(twoRows), 2));
        QCOMPARE(enabledButtons(form), browsing(kAllMoves));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QVERIFY(!description(form)->isEnabled());
        QCOMPARE(description(form)->palette().color(QPalette::Base), QColor(192, 255, 192));
        QStringList expected{"beta|1|2|second of beta", "Alpha|2|1|alpha two", stored};
        if (twoRows)
            expected << QStringLiteral("beta|1|1|again");
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)), expected);
    }

    // An addition is stored at the end of the set; an empty description is
    // refused by Save and by the window's frame, and the user stays in it.
    void addNewStoresTheRowAtTheEndOfTheSet()
    {
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdMoveNext");
        press(form, "cmdAddNew");
        QCOMPARE(enabledButtons(form), QStringList{"cmdCancel"});
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Save"));
        QCOMPARE(counters(form), QStringLiteral("/"));
        QCOMPARE(fields(form), QStringLiteral("|||"));
        QCOMPARE(control<QLabel>(form, "lblList")->text(), QStringLiteral("Double click the Album with the picture."));
        auto *list = control<QListWidget>(form, "List1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Alpha"));

        script(env, {"2", "2"}, {});
        QVERIFY(chooseAlbum(form, QStringLiteral("Alpha")));
        QVERIFY(!list->isVisible() && !control(form, "lblList")->isVisible());
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|2|"));
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->path(), env.store.picturePath(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg")));

        QTest::keyClicks(description(form), QStringLiteral("  "));
        press(form, "cmdClose");
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(env.dialogs.shown().size(), 4);
        for (const ScriptedDialogs::Shown &refused : env.dialogs.shown().mid(2))
            QVERIFY(refused.title == "WARNING" && refused.text.startsWith(QLatin1String("The description is empty.")));
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).size(), 3);
        QCOMPARE(enabledButtons(form), kTyping);

        QTest::keyClicks(description(form), QStringLiteral("The harbour"));
        press(form, "cmdClose");
        QCOMPARE(counters(form), counters(4, 4));
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|2|  The harbour"));
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveFirst", "cmdMovePrevious"}));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QVERIFY(!description(form)->isEnabled());
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).value(3), QStringLiteral("Alpha|2|2|  The harbour"));

        press(form, "cmdMovePrevious");  // the row joined the set at its end
        QCOMPARE(fields(form), QStringLiteral("beta|1|2|second of beta"));
    }

    // The page and picture prompts with their checks; whichever step the
    // user gives up at, the row shown before is back: fields, picture,
    // counters and buttons.
    void addNewPrompts_data()
    {
        QTest::addColumn<QString>("album");  // empty: Cancel while the album list is shown
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("outcome");  // the fields ready for typing, "album list" or "given up"
        const QStringList noPicture{kPageBox, kPictureBox, kNoPicture};
        QTest::newRow("cancel at the album list") << "" << QStringList{} << QStringList{} << QStringList{} << "given up";
        QTest::newRow("page question, no") << "Alpha" << QStringList{""} << QStringList{"No"}
                                           << QStringList{kPageBox, kGoOn} << "given up";
        QTest::newRow("picture question, no") << "Alpha" << QStringList{"2", ""} << QStringList{"No"}
                                              << QStringList{kPageBox, kPictureBox, kGoOn} << "given up";
        QTest::newRow("no picture there, no") << "gamma" << QStringList{"1", "1"} << QStringList{"No"} << noPicture
                                              << "given up";
        QTest::newRow("already described, no") << "beta" << QStringList{"1", "1"} << QStringList{"No"}
                                               << QStringList{kPageBox, kPictureBox, kHasData} << "given up";
        QTest::newRow("page 05 is looked for as typed") << "Alpha" << QStringList{"05", "1"} << QStringList{"No"}
                                                        << noPicture << "given up";
        QTest::newRow("page 5 finds it") << "Alpha" << QStringList{"5", "1"} << QStringList{}
                                         << QStringList{kPageBox, kPictureBox} << "Alpha|5|1|";
        QTest::newRow("out of range or not whole numbers, asked again")
            << "Alpha" << QStringList{"0", "11", "five", "5.5", "2", "7", "-2", "02"} << QStringList{}
            << QStringList{kPageBox, kPageRange, kPageBox, kPageRange, kPageBox, kPageRange, kPageBox, kPageRange,
                           kPageBox, kPictureBox, kPictureRange, kPictureBox, kPictureRange, kPictureBox}
            << "Alpha|2|2|";
        QTest::newRow("nothing typed, go on") << "Alpha" << QStringList{"", "2", "", "2"} << QStringList{"Yes", "Yes"}
                                              << QStringList{kPageBox, kGoOn, kPageBox, kPictureBox, kGoOn, kPictureBox}
                                              << "Alpha|2|2|";
        QTest::newRow("no picture there, try another") << "gamma" << QStringList{"1", "1"} << QStringList{"Yes"}
                                                       << noPicture << "album list";
    }

    void addNewPrompts()
    {
        QFETCH(QString, album);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        QFETCH(QString, outcome);
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdMoveNext");
        QVERIFY(waitForPicture(form));
        QVERIFY(form.image()->hasPicture());
        const QString before = look(form);
        if (album.isEmpty()) {
            press(form, "cmdAddNew");
            press(form, "cmdCancel");
        } else {
            QVERIFY(addNew(env, form, album, typed, answers));
        }
        QCOMPARE(BrowserFixture::boxes(env), boxes);
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.dialogs.unexpected());
        QCOMPARE(control(form, "List1")->isVisible(), outcome == QLatin1String("album list"));
        if (outcome == QLatin1String("given up")) {
            QVERIFY(waitForPicture(form));
            QCOMPARE(look(form), before);
            press(form, "cmdMoveNext");  // browsing goes on from there
            QCOMPARE(counters(form), counters(3, 3));
        } else if (outcome == QLatin1String("album list")) {
            QVERIFY(control(form, "lblList")->isVisible());
            QCOMPARE(enabledButtons(form), QStringList{"cmdCancel"});
            QCOMPARE(fields(form), QStringLiteral("|||"));
        } else {
            QCOMPARE(fields(form), outcome);
            QVERIFY(description(form)->isEnabled());
            QCOMPARE(enabledButtons(form), kTyping);
        }
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).size(), 3);
    }

    void addingToAnEmptyTable()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg"), QSize(40, 20));
        frmDatabase &form = open(env);
        // Given up: still nothing to edit or delete, and nothing made up.
        press(form, "cmdAddNew");
        press(form, "cmdCancel");
        QCOMPARE(fields(form), QStringLiteral("|||"));
        QCOMPARE(counters(form), counters(0, 0));
        QCOMPARE(enabledButtons(form), kEmptyTable);

        QVERIFY(addNew(env, form, QStringLiteral("Alpha"), {"2", "2"}));
        QTest::keyClicks(description(form), QStringLiteral("first ever"));
        press(form, "cmdClose");
        QCOMPARE(counters(form), counters(1, 1));
        QCOMPARE(enabledButtons(form), kBrowsingNoMoves);
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)), QStringList{"Alpha|2|2|first ever"});
    }

    void closingFromTheFrame_data()
    {
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("stored");  // the row of the change
        QTest::newRow("choosing the album") << "choosing" << "Alpha|2|1|alpha two";
        QTest::newRow("typing a new description") << "adding" << "Alpha|2|2|typed";
        QTest::newRow("editing") << "editing" << "Alpha|2|1|alpha twotyped";
    }

    void closingFromTheFrame()
    {
        QFETCH(QString, during);
        QFETCH(QString, stored);
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        if (during == QLatin1String("editing"))
            press(form, "cmdEdit");
        else if (during == QLatin1String("adding"))
            QVERIFY(addNew(env, form, QStringLiteral("Alpha"), {"2", "2"}));
        else
            press(form, "cmdAddNew");
        if (during != QLatin1String("choosing"))
            QTest::keyClicks(description(form), QStringLiteral("typed"));
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        const QStringList rows = DescriptionFile::rows(descriptionFile(env));
        QCOMPARE(rows.size(), during == QLatin1String("adding") ? 4 : 3);
        QVERIFY2(rows.contains(stored), qPrintable(rows.join(QLatin1Char(';'))));

        // Opened again, it starts afresh.
        open(env);
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QVERIFY(!control(form, "List1")->isVisible());
        QVERIFY(!description(form)->isEnabled());
    }

    void aRefusedSaveKeepsTheTypedText()
    {
        TestEnvironment env;
        prepare(env);
        ReadOnlyPath file(descriptionFile(env));
        ReadOnlyPath folder(env.programFolder());
        if (!file.isActive() || !folder.isActive())
            QSKIP("the descriptions file cannot be made read-only here");
        frmDatabase &form = open(env);
        press(form, "cmdEdit");
        QTest::keyClicks(description(form), QStringLiteral(" changed"));
        press(form, "cmdClose");
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The description was not stored.")));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Save"));
        QCOMPARE(description(form)->toPlainText(), QStringLiteral("alpha two changed"));
        press(form, "cmdCancel");
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|1|alpha two"));
    }
};

KOLUMBRA_TEST(DatabaseEditingTest)
#include "DatabaseEditingTest.moc"
