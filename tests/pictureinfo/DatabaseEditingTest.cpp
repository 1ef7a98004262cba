#include "pictureinfo/BrowserFixture.h"
#include "support/ReadOnlyPath.h"

#include "albums/frmSelect.h"
#include "pictureinfo/PictureInfo.h"
#include "support/TestMain.h"

#include <QtTest>

using namespace BrowserFixture;

namespace {

const QList<PictureRecord> kThreeRows = {
    {QStringLiteral("beta"), 1, 2, QStringLiteral("second of beta")},
    {QStringLiteral("Alpha"), 2, 1, QStringLiteral("alpha two")},
    {QStringLiteral("beta"), 1, 1, QStringLiteral("first of beta")},
};

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
// description), and the three descriptions.
void prepare(TestEnvironment &env)
{
    env.putPicture(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg"), QSize(40, 20));
    env.putPicture(QStringLiteral("Alpha"), 5, 1, QStringLiteral(".JPG"), QSize(40, 20));
    env.putPicture(QStringLiteral("beta"), 1, 1, QStringLiteral(".bmp"), QSize(20, 40));
    env.makeAlbum(QStringLiteral("gamma"));
    DescriptionFile::create(descriptionFile(env), kThreeRows);
}

QStringList boxesShown(const ScriptedDialogs &dialogs)
{
    QStringList out;
    for (const ScriptedDialogs::Shown &s : dialogs.shown())
        out << s.title + QStringLiteral(": ") + s.text;
    return out;
}

void script(TestEnvironment &env, const QStringList &typed, const QStringList &answers)
{
    for (const QString &t : typed)
        env.dialogs.type(t);
    for (const QString &a : answers)
        env.dialogs.answer(a == QLatin1String("Yes") ? Dialogs::Answer::Yes : Dialogs::Answer::No);
}

// The window as the user sees it, to compare before and after.
QString look(const frmDatabase &form)
{
    return fields(form) + QLatin1Char('/') + counters(form) + QLatin1Char('/') + enabledButtons(form).join(',')
        + QLatin1Char('/') + form.image()->path() + QLatin1Char('/')
        + (description(form)->isEnabled() ? QStringLiteral("typing") : QStringLiteral("showing"));
}

} // namespace

// Edit, Add New, Save and Cancel in the database browser, and what they
// leave in the descriptions file.
class DatabaseEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void editStoresOrCancels_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("save") << true << "beta|1|1|first of beta, edited" << "first of beta, edited";
        QTest::newRow("cancel") << false << "beta|1|1|first of beta" << "first of beta";
    }

    void editStoresOrCancels()
    {
        QFETCH(bool, save);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdMoveNext");
        press(form, "cmdEdit");
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Save"));
        QCOMPARE(enabledButtons(form), QStringList({"cmdClose", "cmdCancel"}));
        QVERIFY(description(form)->isEnabled());
        QCOMPARE(description(form)->palette().color(QPalette::Base), QColor(Qt::white));
        QTest::keyClicks(description(form), QStringLiteral(", edited"));
        press(form, save ? "cmdClose" : "cmdCancel");

        QCOMPARE(fields(form), shown);
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 2"));
        QCOMPARE(enabledButtons(form),
                 browsing({"cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"}));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QVERIFY(!description(form)->isEnabled());
        QCOMPARE(description(form)->palette().color(QPalette::Base), QColor(192, 255, 192));
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)),
                 QStringList({DescriptionFile::row("beta", 1, 2, "second of beta"),
                              DescriptionFile::row("Alpha", 2, 1, "alpha two"),
                              DescriptionFile::row("beta", 1, 1, stored)}));
        QVERIFY(env.dialogs.shown().isEmpty());
    }

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
        QVERIFY(control(form, "lblList")->isVisible());
        QCOMPARE(control<QLabel>(form, "lblList")->text(), QStringLiteral("Double click the Album with the picture."));
        auto *list = control<QListWidget>(form, "List1");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Alpha"));

        script(env, {"2", "2"}, {});
        QVERIFY(chooseAlbum(form, QStringLiteral("Alpha")));
        QCOMPARE(boxesShown(env.dialogs), QStringList({kPageBox, kPictureBox}));
        QVERIFY(!list->isVisible());
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|2|"));
        QVERIFY(description(form)->isEnabled());
        QCOMPARE(enabledButtons(form), QStringList({"cmdClose", "cmdCancel"}));
        QVERIFY(waitForPicture(form));
        QCOMPARE(form.image()->path(), env.store.picturePath(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg")));

        QTest::keyClicks(description(form), QStringLiteral("The harbour"));
        press(form, "cmdClose");
        QCOMPARE(counters(form), QStringLiteral("Found - 4 - Records/Current Record = 4"));
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|2|The harbour"));
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveFirst", "cmdMovePrevious"}));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QVERIFY(!description(form)->isEnabled());
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).last(), DescriptionFile::row("Alpha", 2, 2, "The harbour"));
        QCOMPARE(env.dialogs.shown().size(), 2);

        // The row joined the set at its end; the next opening reads it in order.
        press(form, "cmdMovePrevious");
        QCOMPARE(fields(form), QStringLiteral("beta|1|2|second of beta"));
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        press(form, "cmdMoveNext");
        QCOMPARE(fields(form), QStringLiteral("Alpha|2|2|The harbour"));
    }

    void addNewPrompts_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>("outcome");  // the fields ready for typing, "album list" or "cancelled"

        QTest::newRow("page and picture with a picture") << "Alpha" << QStringList{"2", "2"} << QStringList{}
                                                         << QStringList{kPageBox, kPictureBox} << "Alpha|2|2|";
        QTest::newRow("page 05 is looked for as typed")
            << "Alpha" << QStringList{"05", "1"} << QStringList{"No"}
            << QStringList{kPageBox, kPictureBox, kNoPicture} << "cancelled";
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
                                                       << QStringList{kPageBox, kPictureBox, kNoPicture}
                                                       << "album list";
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
        const QString before = look(form);
        press(form, "cmdAddNew");
        script(env, typed, answers);
        QVERIFY(chooseAlbum(form, album));
        QCOMPARE(boxesShown(env.dialogs), boxes);
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.dialogs.unexpected());
        if (outcome == QLatin1String("cancelled")) {
            QVERIFY(waitForPicture(form));
            QCOMPARE(look(form), before);
        } else if (outcome == QLatin1String("album list")) {
            QVERIFY(control(form, "List1")->isVisible());
            QVERIFY(control(form, "lblList")->isVisible());
            QCOMPARE(enabledButtons(form), QStringList{"cmdCancel"});
            QCOMPARE(fields(form), QStringLiteral("|||"));
        } else {
            QCOMPARE(fields(form), outcome);
            QVERIFY(description(form)->isEnabled());
            QCOMPARE(enabledButtons(form), QStringList({"cmdClose", "cmdCancel"}));
        }
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).size(), 3);
    }

    // Whichever step the user gives up at, the row shown before is back:
    // fields, picture, counters and buttons.
    void givingUpRestoresTheRowShownBefore_data()
    {
        QTest::addColumn<QString>("album");  // empty: Cancel while the album list is shown
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("answers");
        QTest::newRow("cancel at the album list") << "" << QStringList{} << QStringList{};
        QTest::newRow("page question, no") << "Alpha" << QStringList{""} << QStringList{"No"};
        QTest::newRow("picture question, no") << "Alpha" << QStringList{"2", ""} << QStringList{"No"};
        QTest::newRow("no picture there, no") << "gamma" << QStringList{"1", "1"} << QStringList{"No"};
        QTest::newRow("already described, no") << "beta" << QStringList{"1", "1"} << QStringList{"No"};
    }

    void givingUpRestoresTheRowShownBefore()
    {
        QFETCH(QString, album);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, answers);
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdMoveNext");
        QVERIFY(waitForPicture(form));
        const QString before = look(form);
        QVERIFY(form.image()->hasPicture());
        press(form, "cmdAddNew");
        script(env, typed, answers);
        if (album.isEmpty())
            press(form, "cmdCancel");
        else
            QVERIFY(chooseAlbum(form, album));
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!control(form, "List1")->isVisible());
        QVERIFY(waitForPicture(form));
        QCOMPARE(look(form), before);
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).size(), 3);

        // Browsing goes on from there.
        press(form, "cmdMoveNext");
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 3"));
    }

    void anAlreadyDescribedPositionIsEditedInstead_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("stored");
        QTest::newRow("save") << true << "first of beta at the beach";
        QTest::newRow("cancel") << false << "first of beta";
    }

    void anAlreadyDescribedPositionIsEditedInstead()
    {
        QFETCH(bool, save);
        QFETCH(QString, stored);
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdAddNew");
        script(env, {"1", "1"}, {"Yes"});
        QVERIFY(chooseAlbum(form, QStringLiteral("beta")));
        QCOMPARE(boxesShown(env.dialogs), QStringList({kPageBox, kPictureBox, kHasData}));
        QCOMPARE(fields(form), QStringLiteral("beta|1|1|first of beta"));
        QVERIFY(description(form)->isEnabled());
        QCOMPARE(enabledButtons(form), QStringList({"cmdClose", "cmdCancel"}));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Save"));
        QTest::keyClicks(description(form), QStringLiteral(" at the beach"));
        press(form, save ? "cmdClose" : "cmdCancel");

        // One row for the position, and the browser standing on it.
        const QStringList rows = DescriptionFile::rows(descriptionFile(env));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.filter(QStringLiteral("beta|1|1|")), QStringList{DescriptionFile::row("beta", 1, 1, stored)});
        QCOMPARE(fields(form), QStringLiteral("beta|1|1|") + stored);
        QCOMPARE(counters(form), QStringLiteral("Found - 3 - Records/Current Record = 2"));
        QCOMPARE(enabledButtons(form),
                 browsing({"cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"}));
        QVERIFY(!description(form)->isEnabled());
        press(form, "cmdMoveNext");
        QCOMPARE(fields(form), QStringLiteral("beta|1|2|second of beta"));
    }

    // A file written elsewhere may hold two rows for a position; it still
    // gets no third.
    void aPositionWithSeveralRowsGetsNoMore()
    {
        TestEnvironment env;
        prepare(env);
        DescriptionFile::Connection(descriptionFile(env)).insert({{QStringLiteral("beta"), 1, 1, QStringLiteral("again")}});
        frmDatabase &form = open(env);
        press(form, "cmdAddNew");
        script(env, {"1", "1"}, {"Yes"});
        QVERIFY(chooseAlbum(form, QStringLiteral("beta")));
        QCOMPARE(boxesShown(env.dialogs), QStringList({kPageBox, kPictureBox, kHasData}));
        QTest::keyClicks(description(form), QStringLiteral("!"));
        press(form, "cmdClose");
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).filter(QStringLiteral("beta|1|1|")),
                 QStringList({DescriptionFile::row("beta", 1, 1, "first of beta!"), DescriptionFile::row("beta", 1, 1, "again")}));
    }

    void anEmptyDescriptionIsNotStored()
    {
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdAddNew");
        script(env, {"2", "2"}, {});
        QVERIFY(chooseAlbum(form, QStringLiteral("Alpha")));
        QTest::keyClicks(description(form), QStringLiteral("  "));
        press(form, "cmdClose");
        QCOMPARE(env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The description is empty.")));
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).size(), 3);
        QCOMPARE(enabledButtons(form), QStringList({"cmdClose", "cmdCancel"}));
        QVERIFY(description(form)->isEnabled());

        QTest::keyClicks(description(form), QStringLiteral("now something"));
        press(form, "cmdClose");
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)).last(),
                 DescriptionFile::row("Alpha", 2, 2, "  now something"));
        QCOMPARE(counters(form), QStringLiteral("Found - 4 - Records/Current Record = 4"));
    }

    void addingToAnEmptyTable()
    {
        TestEnvironment env;
        env.putPicture(QStringLiteral("Alpha"), 2, 2, QStringLiteral(".jpg"), QSize(40, 20));
        frmDatabase &form = open(env);
        QCOMPARE(enabledButtons(form), kEmptyTable);

        // Given up: still nothing to edit or delete, and nothing made up.
        press(form, "cmdAddNew");
        press(form, "cmdCancel");
        QCOMPARE(fields(form), QStringLiteral("|||"));
        QCOMPARE(counters(form), QStringLiteral("Found - 0 - Records/Current Record = 0"));
        QCOMPARE(enabledButtons(form), kEmptyTable);

        press(form, "cmdAddNew");
        script(env, {"2", "2"}, {});
        QVERIFY(chooseAlbum(form, QStringLiteral("Alpha")));
        QTest::keyClicks(description(form), QStringLiteral("first ever"));
        press(form, "cmdClose");
        QCOMPARE(counters(form), QStringLiteral("Found - 1 - Records/Current Record = 1"));
        QCOMPARE(enabledButtons(form), kBrowsingNoMoves);
        QCOMPARE(DescriptionFile::rows(descriptionFile(env)), QStringList{DescriptionFile::row("Alpha", 2, 2, "first ever")});
    }

    void closingFromTheFrame_data()
    {
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("stored");  // the row stored, or empty
        QTest::newRow("choosing the album") << "choosing" << "";
        QTest::newRow("typing a new description") << "adding" << DescriptionFile::row("Alpha", 2, 2, "typed");
        QTest::newRow("editing") << "editing" << DescriptionFile::row("Alpha", 2, 1, "alpha twotyped");
    }

    void closingFromTheFrame()
    {
        QFETCH(QString, during);
        QFETCH(QString, stored);
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        if (during == QLatin1String("editing")) {
            press(form, "cmdEdit");
        } else {
            press(form, "cmdAddNew");
            if (during == QLatin1String("adding")) {
                script(env, {"2", "2"}, {});
                QVERIFY(chooseAlbum(form, QStringLiteral("Alpha")));
            }
        }
        if (during != QLatin1String("choosing"))
            QTest::keyClicks(description(form), QStringLiteral("typed"));
        QVERIFY(form.close());
        QVERIFY(!form.isVisible());
        const QStringList rows = DescriptionFile::rows(descriptionFile(env));
        QCOMPARE(rows.size(), during == QLatin1String("adding") ? 4 : 3);
        if (!stored.isEmpty())
            QVERIFY2(rows.contains(stored), qPrintable(rows.join(QLatin1Char(';'))));
        else
            QVERIFY(rows.contains(DescriptionFile::row("Alpha", 2, 1, "alpha two")));

        // Opened again, it starts afresh.
        open(env);
        QCOMPARE(enabledButtons(form), browsing({"cmdMoveNext", "cmdMoveLast"}));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QVERIFY(!control(form, "List1")->isVisible());
        QVERIFY(!description(form)->isEnabled());
    }

    // An empty description typed in an addition is not stored, so the frame
    // does not close over it either.
    void theFrameDoesNotCloseOverAnAdditionItCannotStore()
    {
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdAddNew");
        script(env, {"2", "2"}, {});
        QVERIFY(chooseAlbum(form, QStringLiteral("Alpha")));
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QVERIFY(env.dialogs.lastText().startsWith(QStringLiteral("The description is empty.")));
        QCOMPARE(enabledButtons(form), QStringList({"cmdClose", "cmdCancel"}));
    }

    // Going to another window in the middle of an edit and coming back keeps
    // what was typed.
    void comingBackDuringAnEditKeepsIt()
    {
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdEdit");
        QTest::keyClicks(description(form), QStringLiteral(" and more"));
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        QCOMPARE(description(form)->toPlainText(), QStringLiteral("alpha two and more"));
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Save"));
        press(form, "cmdClose");
        QVERIFY(DescriptionFile::rows(descriptionFile(env)).contains(DescriptionFile::row("Alpha", 2, 1, "alpha two and more")));
    }

    // The picture information window may open the shared record set in the
    // meantime; the browser's change still goes to the row it shows.
    void aChangeGoesToTheRowShownWhateverTheSharedSetIs()
    {
        TestEnvironment env;
        prepare(env);
        frmDatabase &form = open(env);
        press(form, "cmdMoveLast");
        press(form, "cmdEdit");
        PictureInfo::openRecords(env.values, env.store, env.dialogs,
                                 RecordQuery::position(QStringLiteral("Alpha"), 2, 1));
        QTest::keyClicks(description(form), QStringLiteral("!"));
        press(form, "cmdClose");
        QVERIFY(DescriptionFile::rows(descriptionFile(env)).contains(DescriptionFile::row("beta", 1, 2, "second of beta!")));
        QVERIFY(DescriptionFile::rows(descriptionFile(env)).contains(DescriptionFile::row("Alpha", 2, 1, "alpha two")));
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
