#include "support/DescriptionFile.h"
#include "support/ReadOnlyPath.h"

#include "albums/frmSelect.h"
#include "app/WindowOwner.h"
#include "pictureinfo/PictureInfo.h"
#include "pictureinfo/RecordPicture.h"
#include "pictureinfo/frmDatabase.h"
#include "platform/PictureView.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <optional>

// The browser is driven as a user would: by its controls, found by their
// names, with questions answered from the test's script.
namespace {

// Shown in the order Alpha 2/1, beta 1/1, beta 1/2.
const QList<PictureRecord> kThreeRows = {{"beta", 1, 2, "second of beta"},
                                         {"Alpha", 2, 1, "alpha two"},
                                         {"beta", 1, 1, "first of beta"}};
const QString kAlpha = "Alpha|2|1|alpha two";
const QString kBeta1 = "beta|1|1|first of beta";
const QString kBeta2 = "beta|1|2|second of beta";

const QStringList kNoMoves = {"cmdClose", "cmdEdit", "cmdAddNew", "cmdDelete", "cmdSearch"};
const QStringList kEmptyTable = {"cmdClose", "cmdAddNew", "cmdSearch"};
const QStringList kTyping = {"cmdClose", "cmdCancel"};
const QStringList kAtFirst = kNoMoves + QStringList{"cmdMoveNext", "cmdMoveLast"};
const QStringList kAtLast = kNoMoves + QStringList{"cmdMoveFirst", "cmdMovePrevious"};
const QStringList kBetween = kAtLast + QStringList{"cmdMoveNext", "cmdMoveLast"};

const QString kPageBox = "Page Number: Input the page number of the picture  (1 to 10)";
const QString kPictureBox = "Picture Number: Input the picture number of the page  (1 to 6)";
const QString kHasData = "WARNING:    This picture already has data saved.\r\n"
                         "Are you sure that you want to change it ?";

template <typename T = QWidget> T *control(const frmDatabase &form, const char *name)
{
    auto *widget = form.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QPushButton *button(const frmDatabase &f, const char *name)
{
    return control<QPushButton>(f, name);
}
QPlainTextEdit *text(const frmDatabase &f) { return control<QPlainTextEdit>(f, "txtDiscription"); }
QString label(const frmDatabase &f, const char *name) { return control<QLabel>(f, name)->text(); }

// Presses a button as a click would; a greyed button does nothing.
void press(const frmDatabase &f, const char *name)
{
    QTest::mouseClick(button(f, name), Qt::LeftButton);
}

frmDatabase &open(TestEnvironment &env)
{
    env.owner().showDatabaseBrowser();
    return env.owner().databaseBrowser();
}

// The names of the enabled buttons, in the window's order.
QStringList enabledButtons(const frmDatabase &form)
{
    QStringList names;
    for (const char *name :
         {"cmdClose", "cmdCancel", "cmdEdit", "cmdAddNew", "cmdDelete", "cmdSearch", "cmdMoveFirst",
          "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"}) {
        if (button(form, name)->isEnabled())
            names << QLatin1String(name);
    }
    return names;
}

// The four fields as "album|page|picture|description".
QString fields(const frmDatabase &form)
{
    QStringList out;
    for (const char *name : {"txtAlbumName", "txtPage", "txtImageNumber"})
        out << control<QLineEdit>(form, name)->text();
    return (out << text(form)->toPlainText()).join('|');
}

QString counters(const frmDatabase &f)
{
    return label(f, "lblFound") + '/' + label(f, "lblCurrent");
}

QString counters(int found, int current)
{
    return QStringLiteral("Found - %1 - Records/Current Record = %2").arg(found).arg(current);
}

// The window as the user sees it once its picture is decoded.
QString look(const frmDatabase &form)
{
    const bool settled = QTest::qWaitFor([&form] { return !form.pictureLoading(); }, 5000);
    return QStringList{fields(form),
                       counters(form),
                       enabledButtons(form).join(','),
                       settled ? form.image()->path() : QStringLiteral("still decoding"),
                       button(form, "cmdClose")->text(),
                       text(form)->isEnabled() ? "typing" : "showing"}
        .join('/');
}

QString look(const QString &fields, const QString &counters, const QStringList &buttons,
             const QString &picture, const char *close, const char *typing)
{
    return QStringList{fields, counters, buttons.join(','), picture, close, typing}.join('/');
}

QStringList rows(const TestEnvironment &env)
{
    return DescriptionFile::rows(env.store.databasePath());
}

// Every box shown so far as "title: text".
QStringList boxes(const TestEnvironment &env)
{
    QStringList out;
    for (const ScriptedDialogs::Shown &s : env.dialogs.shown())
        out << s.title + QStringLiteral(": ") + s.text;
    return out;
}

// Add New with the page and picture answers and the questions scripted, the
// album chosen from the list with a double click.
bool addNew(TestEnvironment &env, frmDatabase &form, const QString &album, const QStringList &typed,
            const QStringList &answers = {})
{
    press(form, "cmdAddNew");
    for (const QString &t : typed)
        env.dialogs.type(t);
    for (const QString &a : answers)
        env.dialogs.answer(a == QLatin1String("Yes") ? Dialogs::Answer::Yes : Dialogs::Answer::No);
    auto *list = control<QListWidget>(form, "List1");
    const QList<QListWidgetItem *> items = list->findItems(album, Qt::MatchExactly);
    if (items.isEmpty() || !list->isVisible())
        return false;
    const QPoint at = list->visualItemRect(items.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// Search in album names (true) or descriptions (false).
void search(frmDatabase &form, bool inAlbumNames, const QString &text)
{
    press(form, "cmdSearch");
    QTest::mouseClick(control<QRadioButton>(form, inAlbumNames ? "optAlb" : "optDisc"),
                      Qt::LeftButton);
    control<QLineEdit>(form, "TxtSearch")->setText(text);
    press(form, "cmdSearch");
}

// Pictures at Alpha 2/2, Alpha 5/1 and beta 1/1 (which has a description),
// a file at gamma 1/1 that is no picture, and the first `described` rows.
void prepare(TestEnvironment &env, int described = 3)
{
    env.putPicture("Alpha", 2, 2, ".jpg", QSize(40, 20));
    env.putPicture("Alpha", 5, 1, ".JPG", QSize(40, 20));
    env.putPicture("beta", 1, 1, ".bmp", QSize(20, 40));
    env.makeAlbum("gamma");
    QFile broken(env.store.picturePath("gamma", 1, 1, ".BMP"));
    if (broken.open(QIODevice::WriteOnly))
        broken.write("BM not really a bitmap");
    DescriptionFile::create(env.store.databasePath(), kThreeRows.mid(0, described));
}

}  // namespace

// The database browser: opening and leaving it, moving through the
// descriptions and their pictures, searching, deleting, editing and adding,
// and what each leaves in the descriptions file.
class DatabaseBrowserTest : public QObject
{
    Q_OBJECT

private slots:
    void opensFromTheAlbumListAndGoesBackThere()
    {
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), kThreeRows);
        frmSelect &list = env.owner().albumList();
        env.owner().present(list);
        QTest::mouseClick(list.findChild<QPushButton *>("cmdDatabase"), Qt::LeftButton);
        frmDatabase &form = env.owner().databaseBrowser();
        QVERIFY(form.isVisible());
        QCOMPARE(look(form), look(kAlpha, counters(3, 1), kAtFirst, "", "&Close", "showing"));
        // Close and Esc go back to the album list, which is still open beneath.
        press(form, "cmdClose");
        QVERIFY(!form.isVisible());
        QVERIFY(list.isVisible());
        open(env);
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!form.isVisible());
        QCOMPARE(env.endCount(), 0);
    }

    // Buttons, counters and the row shown after the presses, for 0, 1 and 3
    // rows, and the rows left in the file. "Delete" is answered Yes,
    // "Delete?" No.
    void movingAndDeleting_data()
    {
        QTest::addColumn<int>("described");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("left");
        const QStringList all{kBeta2, kAlpha, kBeta1};
        QTest::newRow("empty table") << 0 << QStringList{"Next", "Last"} << kEmptyTable
                                     << counters(0, 0) << "|||" << QStringList{};
        QTest::newRow("one row") << 1 << QStringList{"Next", "Last"} << kNoMoves << counters(1, 1)
                                 << kBeta2 << QStringList{kBeta2};
        QTest::newRow("next, next, previous") << 3 << QStringList{"Next", "Next", "Previous"}
                                              << kBetween << counters(3, 2) << kBeta1 << all;
        QTest::newRow("last, first")
            << 3 << QStringList{"Last", "First"} << kAtFirst << counters(3, 1) << kAlpha << all;
        QTest::newRow("delete the only row") << 1 << QStringList{"Delete"} << kEmptyTable
                                             << counters(0, 0) << "|||" << QStringList{};
        QTest::newRow("delete the middle row")
            << 3 << QStringList{"Next", "Delete"} << kAtFirst << counters(2, 1) << kAlpha
            << QStringList{kBeta2, kAlpha};
        QTest::newRow("last, next, delete answered no")
            << 3 << QStringList{"Last", "Next", "Delete?"} << kAtLast << counters(3, 3) << kBeta2
            << all;
    }

    void movingAndDeleting()
    {
        QFETCH(int, described);
        QFETCH(QStringList, presses);
        QFETCH(QStringList, enabled);
        QFETCH(QString, counter);
        QFETCH(QString, shown);
        QFETCH(QStringList, left);
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), kThreeRows.mid(0, described));
        frmDatabase &form = open(env);
        for (const QString &step : presses) {
            if (!step.startsWith(QLatin1String("Delete"))) {
                press(form, qPrintable("cmdMove" + step));
                continue;
            }
            env.dialogs.answer(step.endsWith('?') ? Dialogs::Answer::No : Dialogs::Answer::Yes);
            press(form, "cmdDelete");
            QCOMPARE(boxes(env),
                     QStringList{"WARNING: Are you sure that you want to delete this record"});
        }
        QCOMPARE(enabledButtons(form), enabled);
        QCOMPARE(counters(form), counter);
        QCOMPARE(fields(form), shown);
        QCOMPARE(rows(env), left);
    }

    // The picture the album page shows for the row's position, fitted into
    // the square; the row shown last wins over rows passed quickly; a picture
    // seen before is never shown stale once its file changed.
    void eachRowShowsItsPicture()
    {
        TestEnvironment env;
        env.putPicture("Alpha", 2, 1, ".jpg", QSize(50, 50), Qt::red);
        const QString bitmap = env.putPicture("Alpha", 2, 1, ".bmp", QSize(200, 100), Qt::blue);
        const QString beta1 = env.putPicture("beta", 1, 1, ".jpg", QSize(100, 200));
        DescriptionFile::create(env.store.databasePath(), kThreeRows);
        frmDatabase &form = open(env);
        press(form, "cmdMoveNext");  // while Alpha's picture is being decoded
        look(form);
        QCOMPARE(form.image()->path(), beta1);
        QCOMPARE(form.image()->geometry(), QRect(88, 214, 91, 183));
        press(form, "cmdMovePrevious");
        look(form);
        QCOMPARE(form.image()->path(), bitmap);
        QCOMPARE(form.image()->geometry(), QRect(42, 260, 183, 91));
        // Beta 1/1 changes, and is passed on the way to beta 1/2, which has
        // no picture: the square stays empty.
        env.putPicture("beta", 1, 1, ".jpg", QSize(300, 100));
        press(form, "cmdMoveNext");
        press(form, "cmdMoveNext");
        QTest::qWait(200);
        QVERIFY(!form.image()->hasPicture());
        QCOMPARE(form.image()->geometry(), QRect(42, 214, 183, 183));
        press(form, "cmdMovePrevious");
        look(form);
        QCOMPARE(form.image()->geometry(), QRect(42, 275, 183, 61));
        // A sliver of a picture still gets a pixel; a square fills the square.
        QCOMPARE(RecordPicture::toPixels(QRectF(630, 3210, 1, 2745)), QRect(42, 214, 1, 183));
        QCOMPARE(RecordPicture::toPixels(RecordPicture::fitted(QSize(64, 64))),
                 QRect(42, 214, 183, 183));
    }

    // The fields come from the table, which any program may have written:
    // those that name no position in an album folder have no picture.
    void fieldsThatNameNoPositionHaveNoPicture()
    {
        TestEnvironment env;
        const QList<QStringList> strange{{"..", "1", "1"},
                                         {"../Summer", "1", "1"},
                                         {"x\\..\\Summer", "1", "1"},
                                         {"Summer", "1/../1", "1"},
                                         {"Summer", "1", "0"}};
        for (const QStringList &f : strange) {
            QVERIFY2(RecordPicture::candidates(env.store, f[0], f[1], f[2]).isEmpty(),
                     qPrintable(f.join('|')));
        }
        // A position is looked up under the album page's names, in its order.
        QCOMPARE(RecordPicture::candidates(env.store, "Summer", "3", "2"),
                 env.store.candidatePaths("Summer", 3, 2));
    }

    void searching()
    {
        TestEnvironment env;
        const PictureRecord holiday{"Holiday's", 3, 1, "100% it's"};
        DescriptionFile::create(env.store.databasePath(),
                                kThreeRows + QList<PictureRecord>{holiday});
        frmDatabase &form = open(env);
        // Nothing typed is refused; Cancel puts everything back.
        search(form, false, QString());
        QCOMPARE(boxes(env), QStringList{"WARNING: You did not enter anything to search for"});
        press(form, "cmdCancel");
        QCOMPARE(enabledButtons(form), kAtFirst);
        QVERIFY(!control(form, "TxtSearch")->isVisible());

        // Enter starts the search; the text is taken as typed, "%" and "'"
        // too. "T" is in two album names only.
        press(form, "cmdSearch");
        QTest::mouseClick(control<QRadioButton>(form, "optDisc"), Qt::LeftButton);
        QTest::keyClicks(control(form, "TxtSearch"), QStringLiteral("0% IT'S"));
        QTest::keyClick(control(form, "TxtSearch"), Qt::Key_Return);
        QTRY_COMPARE(counters(form), counters(1, 1));
        QCOMPARE(fields(form), QStringLiteral("Holiday's|3|1|100% it's"));
        search(form, true, QStringLiteral("T"));
        QCOMPARE(counters(form), counters(2, 1));
        QCOMPARE(enabledButtons(form), kAtFirst);

        // Nothing found: "No data found." for three seconds, then the whole
        // table again. A window left has no reload waiting: it would replace
        // the record set another window may be working on.
        auto *timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
        search(form, true, QStringLiteral("nowhere"));
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!timer->isActive());
        open(env);
        search(form, false, QStringLiteral("nowhere"));
        QCOMPARE(label(form, "lblSearch"), QStringLiteral("No data found."));
        QCOMPARE(look(form), look("|||", counters(0, 0), {}, "", "&Close", "showing"));
        QCOMPARE(timer->interval(), 3000);
        QTRY_COMPARE_WITH_TIMEOUT(counters(form), counters(4, 1), 5000);
        QCOMPARE(enabledButtons(form), kAtFirst);

        // Coming back from another window shows the whole table as it is now.
        DescriptionFile::Connection(env.store.databasePath()).insert({{"Aaa", 1, 1, "new"}});
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        QCOMPARE(counters(form), counters(5, 1));
        QCOMPARE(fields(form), QStringLiteral("Aaa|1|1|new"));
    }

    // Edit on a row, or Add New on a position that has a row (after Yes):
    // Save or the window's frame stores the text in that row, Cancel keeps
    // it, and the browser stands on it. A file written elsewhere may hold two
    // rows for a position; it still gets no third. A save the file refuses is
    // told, and the text stays to be saved again or given up.
    void editStoresOrCancels_data()
    {
        QTest::addColumn<bool>("lookup");
        QTest::addColumn<bool>("twoRows");
        QTest::addColumn<QString>("finish");
        QTest::newRow("edit, save") << false << false << "cmdClose";
        QTest::newRow("edit, cancel") << false << false << "cmdCancel";
        QTest::newRow("edit, window closed") << false << false << "frame";
        QTest::newRow("edit, read-only file") << false << false << "refused";
        QTest::newRow("add new finds a row, save") << true << false << "cmdClose";
        QTest::newRow("add new finds a row, cancel") << true << false << "cmdCancel";
        QTest::newRow("add new finds two rows, save") << true << true << "cmdClose";
    }

    void editStoresOrCancels()
    {
        QFETCH(bool, lookup);
        QFETCH(bool, twoRows);
        QFETCH(QString, finish);
        TestEnvironment env;
        prepare(env);
        if (twoRows)
            DescriptionFile::Connection(env.store.databasePath()).insert({{"beta", 1, 1, "again"}});
        const bool refused = finish == QLatin1String("refused");
        std::optional<ReadOnlyPath> file;
        std::optional<ReadOnlyPath> folder;
        if (refused
            && (!file.emplace(env.store.databasePath()).isActive()
                || !folder.emplace(env.programFolder()).isActive()))
            QSKIP("the descriptions file cannot be made read-only here");
        frmDatabase &form = open(env);
        if (lookup) {
            QVERIFY(addNew(env, form, "beta", {"1", "1"}, {"Yes"}));
            QCOMPARE(boxes(env), QStringList({kPageBox, kPictureBox, kHasData}));
        } else {
            press(form, "cmdMoveNext");
            press(form, "cmdEdit");
        }
        QCOMPARE(fields(form), kBeta1);
        QCOMPARE(enabledButtons(form), kTyping);
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Save"));
        QTest::keyClicks(text(form), QStringLiteral(", edited"));
        // Another window meanwhile, and the picture information window's
        // set shared: the typing stays, and goes to the row shown here.
        PictureInfo::openRecords(env.values, env.store, env.dialogs,
                                 RecordQuery::position("Alpha", 2, 1));
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        QCOMPARE(text(form)->toPlainText(), QStringLiteral("first of beta, edited"));
        const bool closed = finish == QLatin1String("frame");
        if (closed) {
            QVERIFY(form.close());
            QVERIFY(!form.isVisible());
            open(env);  // afresh, at the first row
        } else if (refused) {
            press(form, "cmdClose");
            QVERIFY(env.dialogs.lastText().startsWith("The description was not stored."));
            QCOMPARE(text(form)->toPlainText(), QStringLiteral("first of beta, edited"));
            QCOMPARE(enabledButtons(form), kTyping);
            press(form, "cmdCancel");
        } else {
            press(form, qPrintable(finish));
        }
        const bool kept = refused || finish == QLatin1String("cmdCancel");
        const QString stored = kBeta1 + (kept ? "" : ", edited");
        QCOMPARE(fields(form), closed ? kAlpha : stored);
        QCOMPARE(counters(form), counters(3 + int(twoRows), closed ? 1 : 2));
        QCOMPARE(enabledButtons(form), closed ? kAtFirst : kBetween);
        QCOMPARE(button(form, "cmdClose")->text(), QStringLiteral("&Close"));
        QVERIFY(!text(form)->isEnabled());
        file.reset();
        const QStringList again = twoRows ? QStringList{"beta|1|1|again"} : QStringList();
        QCOMPARE(rows(env), QStringList({kBeta2, kAlpha, stored}) + again);
    }

    // An addition is stored at the end of the set. Given up at the album
    // list, by Cancel or by the window's frame, it leaves the row shown before
    // and makes up nothing; an empty description is refused by Save and by the
    // frame, and the user stays in the addition, as when the file refuses it.
    void addNewStoresTheRowAtTheEnd_data()
    {
        QTest::addColumn<int>("described");  // -1: the descriptions file is unusable
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("empty table, save") << 0 << false;
        QTest::newRow("three rows, save") << 3 << false;
        QTest::newRow("three rows, window closed") << 3 << true;
        QTest::newRow("unusable file, save") << -1 << false;
    }

    void addNewStoresTheRowAtTheEnd()
    {
        QFETCH(int, described);
        QFETCH(bool, byFrame);
        TestEnvironment env;
        const QString path = env.store.databasePath();
        prepare(env, std::max(described, 0));
        const bool unusable = described < 0;
        if (unusable)
            QVERIFY(QFile::remove(path) && QDir().mkpath(path));
        frmDatabase &form = open(env);
        const QString before = look(form);
        const QStringList stored = rows(env);
        press(form, "cmdAddNew");
        QCOMPARE(enabledButtons(form), QStringList{"cmdCancel"});
        press(form, "cmdCancel");
        QCOMPARE(look(form), before);
        press(form, "cmdAddNew");
        QVERIFY(form.close());
        QCOMPARE(look(open(env)), before);
        QVERIFY(!control(form, "List1")->isVisible());

        const QString picture = env.store.picturePath("Alpha", 2, 2, ".jpg");
        QVERIFY(addNew(env, form, "Alpha", {"2", "2"}));
        QCOMPARE(look(form), look("Alpha|2|2|", "/", kTyping, picture, "&Save", "typing"));
        QTest::keyClicks(text(form), QStringLiteral("  "));
        press(form, "cmdClose");
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QCOMPARE(boxes(env).filter("WARNING: The description is empty.").size(), 2);

        QTest::keyClicks(text(form), QStringLiteral("The harbour"));
        if (byFrame)
            QVERIFY(form.close());
        else
            press(form, "cmdClose");
        if (unusable) {
            QVERIFY(env.dialogs.lastText().startsWith("The description was not stored."));
            QCOMPARE(look(form),
                     look("Alpha|2|2|  The harbour", "/", kTyping, picture, "&Save", "typing"));
            press(form, "cmdCancel");
            QCOMPARE(enabledButtons(form), kEmptyTable);
            QVERIFY(!form.image()->hasPicture());  // not the one of the position given up
            QVERIFY(QFileInfo(path).isDir());
            return;
        }
        QCOMPARE(rows(env), stored + QStringList{"Alpha|2|2|  The harbour"});
        if (!byFrame) {
            const int n = described + 1;
            QCOMPARE(look(form),
                     look("Alpha|2|2|  The harbour", counters(n, n), described ? kAtLast : kNoMoves,
                          picture, "&Close", "showing"));
        }
    }

    // The page and picture prompts with their checks; whichever step the
    // user gives up at, the row shown before is back: fields, picture,
    // counters and buttons.
    void addNewPrompts_data()
    {
        const QString goOn
            = "WARNING: You either did not enter anything or you pressed <cancel>.\r\n"
              "      Do you want to continue adding a new record ?";
        const QString pageRange = "WARNING: The number must be between 1 and 10";
        const QString pictureRange = "WARNING: The number must be between 1 and 6";
        const QStringList noPicture{
            kPageBox, kPictureBox,
            "WARNING: That Picture location does not exist in your album.\r\n"
            "You can not have data for a picture that does not exist.\r\n"
            "Do you want to try another picture location?"};
        QStringList asked;  // each wrong page and picture answer asks again
        for (int wrong = 0; wrong < 5; ++wrong)
            asked << kPageBox << pageRange;
        asked << kPageBox << kPictureBox << pictureRange << kPictureBox << pictureRange
              << kPictureBox;
        QTest::addColumn<QString>("album");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QString>(
            "outcome");  // the fields ready for typing, "album list" or "given up"
        QTest::newRow("page question, no") << "Alpha" << QStringList{""} << QStringList{"No"}
                                           << QStringList{kPageBox, goOn} << "given up";
        QTest::newRow("picture question, no")
            << "Alpha" << QStringList{"2", ""} << QStringList{"No"}
            << QStringList{kPageBox, kPictureBox, goOn} << "given up";
        QTest::newRow("no picture there, no")
            << "gamma" << QStringList{"1", "1"} << QStringList{"No"} << noPicture << "given up";
        QTest::newRow("already described, no")
            << "beta" << QStringList{"1", "1"} << QStringList{"No"}
            << QStringList{kPageBox, kPictureBox, kHasData} << "given up";
        QTest::newRow("page 05 is looked for as typed")
            << "Alpha" << QStringList{"05", "1"} << QStringList{"No"} << noPicture << "given up";
        QTest::newRow("page 5 finds it") << "Alpha" << QStringList{"5", "1"} << QStringList{}
                                         << QStringList{kPageBox, kPictureBox} << "Alpha|5|1|";
        QTest::newRow("out of range or not whole numbers, asked again")
            << "Alpha"
            << QStringList{"0", "11", "five", "+5", "99999999999999999999", "2", "7", "-2", "02"}
            << QStringList{} << asked << "Alpha|2|2|";
        QTest::newRow("nothing typed, go on")
            << "Alpha" << QStringList{"", "2", "", "2"} << QStringList{"Yes", "Yes"}
            << QStringList{kPageBox, goOn, kPageBox, kPictureBox, goOn, kPictureBox}
            << "Alpha|2|2|";
        QTest::newRow("no picture there, try another")
            << "gamma" << QStringList{"1", "1"} << QStringList{"Yes"} << noPicture << "album list";
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
        const QString before = look(form);
        QVERIFY(form.image()->hasPicture());
        QVERIFY(addNew(env, form, album, typed, answers));
        QCOMPARE(::boxes(env), boxes);
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.dialogs.unexpected());
        QCOMPARE(control(form, "List1")->isVisible(), outcome == QLatin1String("album list"));
        if (outcome == QLatin1String("given up")) {
            QCOMPARE(look(form), before);
            press(form, "cmdMoveNext");  // browsing goes on from there
            QCOMPARE(counters(form), counters(3, 3));
        } else if (outcome == QLatin1String("album list")) {
            QCOMPARE(enabledButtons(form), QStringList{"cmdCancel"});
            QCOMPARE(fields(form), QStringLiteral("|||"));
        } else {
            QCOMPARE(fields(form), outcome);
            QCOMPARE(enabledButtons(form), kTyping);
        }
        QCOMPARE(rows(env).size(), 3);
    }
};

KOLUMBRA_TEST(DatabaseBrowserTest)
#include "DatabaseBrowserTest.moc"
