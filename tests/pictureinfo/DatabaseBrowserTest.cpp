#include "support/Contrast.h"
#include "support/DescriptionFile.h"

#include "albums/AlbumListWindow.h"
#include "app/WindowOwner.h"
#include "pictureinfo/DatabaseBrowserWindow.h"
#include "pictureinfo/Descriptions.h"
#include "pictureinfo/RecordPicture.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

// The browser is driven as a user would: by its controls, found by their
// names, with questions answered from the test's script.
namespace {

// Shown in the order Alpha 2/1, beta 1/1, beta 1/2.
const QList<PictureRecord> kThreeRows = {
    {"beta", 1, 2, "second of beta"}, {"Alpha", 2, 1, "alpha two"}, {"beta", 1, 1, "first of beta"}};
const QString kAlpha = "Alpha|2|1|alpha two";
const QString kBeta1 = "beta|1|1|first of beta";
const QString kBeta2 = "beta|1|2|second of beta";

const QStringList kNoMoves = {"cmdClose", "cmdEdit", "cmdAddNew", "cmdDelete", "cmdSearch"};
const QStringList kEmptyTable = {"cmdClose", "cmdAddNew", "cmdSearch"};
const QStringList kAtFirst = kNoMoves + QStringList{"cmdMoveNext", "cmdMoveLast"};
const QStringList kAtLast = kNoMoves + QStringList{"cmdMoveFirst", "cmdMovePrevious"};
const QStringList kBetween = kAtLast + QStringList{"cmdMoveNext", "cmdMoveLast"};

const QString kHasData = "WARNING:    This picture already has data saved.\r\n"
                         "Are you sure that you want to change it ?";

template <typename T = QWidget> T *control(const DatabaseBrowserWindow &form, const char *name)
{
    auto *widget = form.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

QPlainTextEdit *text(const DatabaseBrowserWindow &f)
{
    return control<QPlainTextEdit>(f, "txtDiscription");
}

// Presses a button as a click would; a greyed button does nothing.
void press(const DatabaseBrowserWindow &f, const char *name)
{
    QTest::mouseClick(control<QPushButton>(f, name), Qt::LeftButton);
}

DatabaseBrowserWindow &open(TestEnvironment &env)
{
    env.owner().showDatabaseBrowser();
    return env.owner().databaseBrowser();
}

// The names of the enabled buttons, in the window's order.
QStringList enabledButtons(const DatabaseBrowserWindow &form)
{
    QStringList names;
    for (const char *name : {"cmdClose", "cmdCancel", "cmdEdit", "cmdAddNew", "cmdDelete", "cmdSearch", "cmdMoveFirst",
                             "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast"}) {
        if (control<QPushButton>(form, name)->isEnabled())
            names << QLatin1String(name);
    }
    return names;
}

// The four fields as "album|page|picture|description".
QString fields(const DatabaseBrowserWindow &form)
{
    QStringList out;
    for (const char *name : {"txtAlbumName", "txtPage", "txtImageNumber"})
        out << control<QLineEdit>(form, name)->text();
    return (out << text(form)->toPlainText()).join('|');
}

QString counters(const DatabaseBrowserWindow &f)
{
    return control<QLabel>(f, "lblFound")->text() + '/' + control<QLabel>(f, "lblCurrent")->text();
}

QString counters(int found, int current)
{
    return QStringLiteral("Found - %1 - Records/Current Record = %2").arg(found).arg(current);
}

// The window as the user sees it once its picture is decoded.
QString look(const DatabaseBrowserWindow &form)
{
    const bool settled = QTest::qWaitFor([&form] { return !form.pictureLoading(); }, 5000);
    return QStringList{fields(form), counters(form), enabledButtons(form).join(','),
                       settled ? form.image()->path() : QStringLiteral("still decoding")}
        .join('/');
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
bool addNew(TestEnvironment &env, DatabaseBrowserWindow &form, const QString &album, const QStringList &typed,
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
void search(DatabaseBrowserWindow &form, bool inAlbumNames, const QString &text)
{
    press(form, "cmdSearch");
    QTest::mouseClick(control<QRadioButton>(form, inAlbumNames ? "optAlb" : "optDisc"), Qt::LeftButton);
    control<QLineEdit>(form, "TxtSearch")->setText(text);
    press(form, "cmdSearch");
}

// Pictures at Alpha 2/2, Alpha 5/1 and beta 1/1 (which has a description),
// and the first `described` rows.
void prepare(TestEnvironment &env, int described = 3)
{
    env.putPicture("Alpha", "P2I1.jpg", QSize(40, 20));
    env.putPicture("Alpha", "P5I0.JPG", QSize(40, 20));
    env.putPicture("beta", "P1I0.bmp", QSize(20, 40));
    DescriptionFile::create(env.store.databasePath(), kThreeRows.mid(0, described));
}

}  // namespace

// The database browser: moving, searching, deleting, editing and adding, and
// what each leaves in the descriptions file.
class DatabaseBrowserTest : public QObject
{
    Q_OBJECT

private slots:
    // Buttons, counters, the row shown and the rows left after the presses,
    // for 1 and 3 rows and none left; "Delete" is answered Yes, "Delete?" No.
    void movingAndDeleting_data()
    {
        QTest::addColumn<int>("described");
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("left");
        const QStringList all{kBeta2, kAlpha, kBeta1};
        QTest::newRow("one row") << 1 << QStringList{"Next", "Last"} << kNoMoves << counters(1, 1) << kBeta2
                                 << QStringList{kBeta2};
        QTest::newRow("last, previous, first, next")
            << 3 << QStringList{"Last", "Previous", "First", "Next"} << kBetween << counters(3, 2) << kBeta1 << all;
        QTest::newRow("delete the only row")
            << 1 << QStringList{"Delete"} << kEmptyTable << counters(0, 0) << "|||" << QStringList{};
        QTest::newRow("delete the middle row") << 3 << QStringList{"Next", "Delete"} << kAtFirst << counters(2, 1)
                                               << kAlpha << QStringList{kBeta2, kAlpha};
        QTest::newRow("last, next, delete answered no")
            << 3 << QStringList{"Last", "Next", "Delete?"} << kAtLast << counters(3, 3) << kBeta2 << all;
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
        DatabaseBrowserWindow &form = open(env);
        for (const QString &step : presses) {
            const bool deleting = step.startsWith(QLatin1String("Delete"));
            if (deleting)
                env.dialogs.answer(step.endsWith('?') ? Dialogs::Answer::No : Dialogs::Answer::Yes);
            press(form, qPrintable(deleting ? QStringLiteral("cmdDelete") : "cmdMove" + step));
        }
        QCOMPARE(enabledButtons(form), enabled);
        QCOMPARE(counters(form), counter);
        QCOMPARE(fields(form), shown);
        QCOMPARE(rows(env), left);
    }

    // Every caption reads at 4.5 : 1 or better; a button that cannot be
    // pressed loses its green, so that it does not look like one that can.
    void buttonsShowWhetherTheyCanBePressed()
    {
        TestEnvironment env;
        DescriptionFile::create(env.store.databasePath(), kThreeRows);
        DatabaseBrowserWindow &form = open(env);
        QCOMPARE(enabledButtons(form), kAtFirst);
        for (const char *name :
             {"cmdMoveFirst", "cmdMovePrevious", "cmdMoveNext", "cmdMoveLast", "cmdClose", "cmdCancel"}) {
            auto *button = control<QPushButton>(form, name);
            const Contrast::Drawn drawn = Contrast::drawnColours(button, 4);
            const QByteArray seen = QStringLiteral("%1: %2 on %3, %4 : 1")
                                        .arg(QLatin1String(name), drawn.ink.name(), drawn.background.name())
                                        .arg(drawn.contrast(), 0, 'f', 2)
                                        .toUtf8();
            QVERIFY2(drawn.contrast() >= 4.5, seen.constData());
            const bool green = drawn.background.hsvSaturation() > 60 && qAbs(drawn.background.hsvHue() - 120) < 30;
            QVERIFY2(green == button->isEnabled(), seen.constData());
        }
    }

    // A picture keeps its shape in the square, and a sliver still gets a
    // pixel. Fields from the table, which any program may have written, that
    // name no position in an album folder have no picture.
    void recordPictures()
    {
        QCOMPARE(RecordPicture::toPixels(RecordPicture::fitted(QSize(100, 200))), QRect(88, 214, 91, 183));
        QCOMPARE(RecordPicture::toPixels(RecordPicture::fitted(QSize(200, 100))), QRect(42, 260, 183, 91));
        QCOMPARE(RecordPicture::toPixels(QRectF(630, 3210, 1, 2745)), QRect(42, 214, 1, 183));
        TestEnvironment env;
        const QList<QStringList> strange{
            {"..", "1", "1"}, {"x\\..\\Summer", "1", "1"}, {"Summer", "1/../1", "1"}, {"Summer", "1", "0"}};
        for (const QStringList &f : strange)
            QVERIFY2(RecordPicture::candidates(env.store, f[0], f[1], f[2]).isEmpty(), qPrintable(f.join('|')));
    }

    // Album names or descriptions, the text taken as typed; nothing found
    // shows the whole table again three seconds later, unless the window was
    // left: that reload would replace the set another window works on.
    void searching()
    {
        TestEnvironment env;
        const PictureRecord holiday{"Holiday's", 3, 1, "by the sea"};
        DescriptionFile::create(env.store.databasePath(), kThreeRows + QList<PictureRecord>{holiday});
        DatabaseBrowserWindow &form = open(env);
        search(form, false, QString());
        QCOMPARE(boxes(env), QStringList{"WARNING: You did not enter anything to search for"});
        press(form, "cmdCancel");
        search(form, true, QStringLiteral("DAY'S"));
        QCOMPARE(counters(form), counters(1, 1));
        QCOMPARE(fields(form), QStringLiteral("Holiday's|3|1|by the sea"));

        auto *timer = form.findChild<QTimer *>(QStringLiteral("Timer1"));
        search(form, false, QStringLiteral("DAY'S"));  // in an album name only
        QTest::keyClick(&form, Qt::Key_Escape);
        QVERIFY(!timer->isActive());
        open(env);
        search(form, false, QStringLiteral("DAY'S"));
        QCOMPARE(control<QLabel>(form, "lblSearch")->text(), QStringLiteral("No data found."));
        QCOMPARE(counters(form), counters(0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(counters(form), counters(4, 1), 5000);
    }

    // Edit on a row, or Add New on a position that has a row (after Yes): Save
    // or the frame stores the text in that row, Cancel keeps it, and the
    // browser stands on it.
    void editStoresOrCancels_data()
    {
        QTest::addColumn<bool>("lookup");
        QTest::addColumn<QString>("finish");
        QTest::newRow("edit, save") << false << "cmdClose";
        QTest::newRow("edit, window closed") << false << "frame";
        QTest::newRow("add new finds a row, save") << true << "cmdClose";
        QTest::newRow("add new finds a row, cancel") << true << "cmdCancel";
    }

    void editStoresOrCancels()
    {
        QFETCH(bool, lookup);
        QFETCH(QString, finish);
        TestEnvironment env;
        prepare(env);
        DatabaseBrowserWindow &form = open(env);
        if (lookup) {
            QVERIFY(addNew(env, form, "beta", {"1", "1"}, {"Yes"}));
        } else {
            press(form, "cmdMoveNext");
            press(form, "cmdEdit");
        }
        QCOMPARE(fields(form), kBeta1);
        QTest::keyClicks(text(form), QStringLiteral(", edited"));
        // Another window meanwhile opens the descriptions for a row of its
        // own: the typing stays, and goes to the row shown here.
        const auto other = env.descriptions.records(RecordQuery::position("Alpha", 2, 1));
        env.owner().present(env.owner().albumList());
        env.owner().showDatabaseBrowser();
        const bool closed = finish == QLatin1String("frame");
        if (closed) {
            QVERIFY(form.close());
            open(env);  // afresh, at the first row
        } else {
            press(form, qPrintable(finish));
        }
        const QString stored = kBeta1 + (finish == QLatin1String("cmdCancel") ? "" : ", edited");
        QCOMPARE(fields(form), closed ? kAlpha : stored);
        QCOMPARE(counters(form), counters(3, closed ? 1 : 2));
        QCOMPARE(rows(env), QStringList({kBeta2, kAlpha, stored}));
    }

    // A description saved blank is no description: the row goes, as it does
    // from the picture information window, and the counters follow. The
    // browser stands on the row that took its place (the one before it when
    // it was the last), or, for a row that Add New found, on the row shown
    // before Add New.
    void aDescriptionSavedBlankDeletesTheRow_data()
    {
        QTest::addColumn<int>("described");
        QTest::addColumn<QString>("reach");  // the move before Edit, or "AddNew" with the page and picture
        QTest::addColumn<bool>("byFrame");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("counter");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("the middle row") << 3 << "Next" << false << kBeta2 << counters(2, 2) << kAtLast
                                        << QStringList{kBeta2, kAlpha};
        QTest::newRow("the last row") << 3 << "Last" << false << kBeta1 << counters(2, 2) << kAtLast
                                      << QStringList{kAlpha, kBeta1};
        QTest::newRow("the only row") << 1 << "" << false << "|||" << counters(0, 0) << kEmptyTable << QStringList{};
        QTest::newRow("the row Add New found")
            << 3 << "AddNew 1 1" << false << kAlpha << counters(2, 1) << kAtFirst << QStringList{kBeta2, kAlpha};
        QTest::newRow("the only row, found by Add New")
            << 1 << "AddNew 1 2" << false << "|||" << counters(0, 0) << kEmptyTable << QStringList{};
        QTest::newRow("window closed, shown again")
            << 3 << "Next" << true << kAlpha << counters(2, 1) << kAtFirst << QStringList{kBeta2, kAlpha};
    }

    void aDescriptionSavedBlankDeletesTheRow()
    {
        QFETCH(int, described);
        QFETCH(QString, reach);
        QFETCH(bool, byFrame);
        TestEnvironment env;
        prepare(env, described);
        env.putPicture("beta", "P1I1.jpg", QSize(20, 40));
        DatabaseBrowserWindow &form = open(env);
        if (reach.startsWith(QLatin1String("AddNew"))) {
            QVERIFY(addNew(env, form, "beta", reach.split(' ').mid(1), {"Yes"}));
        } else {
            if (!reach.isEmpty())
                press(form, qPrintable("cmdMove" + reach));
            press(form, "cmdEdit");
        }
        QCOMPARE(form.mode(), BrowserMode::Editing);
        QTest::keyClick(text(form), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text(form), Qt::Key_Delete);
        QTest::keyClicks(text(form), QStringLiteral("  "));
        QTest::keyClick(text(form), Qt::Key_Return);
        QTest::keyClicks(text(form), QStringLiteral(" "));
        if (byFrame) {
            QVERIFY(form.close());
            open(env);
        } else {
            press(form, "cmdClose");
        }
        QTEST(rows(env), "left");
        QCOMPARE(form.mode(), BrowserMode::Browsing);
        QTEST(fields(form), "shown");
        QTEST(counters(form), "counter");
        QTEST(enabledButtons(form), "enabled");
        QVERIFY(!env.dialogs.unexpected());
        // The picture is the row's: the two rows of beta have one.
        QVERIFY(QTest::qWaitFor([&form] { return !form.pictureLoading(); }, 5000));
        QCOMPARE(form.image()->hasPicture(), fields(form).startsWith(QLatin1String("beta|")));
    }

    // An addition is stored at the end of the set; given up at the album list
    // it leaves the row shown before. An empty description, or one the file
    // refuses, keeps the user in the addition.
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
        DatabaseBrowserWindow &form = open(env);
        const QString before = look(form);
        const QStringList stored = rows(env);
        press(form, "cmdAddNew");
        press(form, "cmdCancel");
        QCOMPARE(look(form), before);
        press(form, "cmdAddNew");
        QVERIFY(form.close());
        QCOMPARE(look(open(env)), before);

        QVERIFY(addNew(env, form, "Alpha", {"2", "2"}));
        QTest::keyClicks(text(form), QStringLiteral("  "));
        press(form, "cmdClose");
        QVERIFY(!form.close());
        QCOMPARE(boxes(env).filter("WARNING: The description is empty.").size(), 2);

        QTest::keyClicks(text(form), QStringLiteral("The harbour"));
        if (byFrame)
            QVERIFY(form.close());
        else
            press(form, "cmdClose");
        const QString added = QStringLiteral("Alpha|2|2|  The harbour");
        if (unusable) {
            QVERIFY(env.dialogs.lastText().startsWith("The description was not stored."));
            QCOMPARE(fields(form), added);
            QTRY_VERIFY(form.image()->hasPicture());  // the position's, until the addition is given up
            press(form, "cmdCancel");
            QVERIFY(!form.image()->hasPicture());  // not the one of the position given up
            return;
        }
        QCOMPARE(rows(env), stored + QStringList{added});
        if (!byFrame) {
            QCOMPARE(fields(form), added);
            QCOMPARE(counters(form), counters(described + 1, described + 1));
        }
    }

    // The page and picture prompts with their checks, and the warnings they
    // give; whichever step the user gives up at, the row shown before is back.
    void addNewPrompts_data()
    {
        const QString goOn = "WARNING: You either did not enter anything or you pressed <cancel>.\r\n"
                             "      Do you want to continue adding a new record ?";
        const QString noPicture = "WARNING: That Picture location does not exist in your album.\r\n"
                                  "You can not have data for a picture that does not exist.\r\n"
                                  "Do you want to try another picture location?";
        const QStringList outOfRange = QStringList(5, "WARNING: The number must be between 1 and 10")
            + QStringList(2, "WARNING: The number must be between 1 and 6");
        QTest::addColumn<QString>("album");
        QTest::addColumn<QStringList>("typed");  // page and picture answers
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("warned");
        QTest::addColumn<QString>("outcome");  // the fields ready for typing, or "given up"
        QTest::newRow("page question, no")
            << "Alpha" << QStringList{""} << QStringList{"No"} << QStringList{goOn} << "given up";
        QTest::newRow("already described, no")
            << "beta" << QStringList{"1", "1"} << QStringList{"No"} << QStringList{kHasData} << "given up";
        QTest::newRow("page 05 is looked for as typed")
            << "Alpha" << QStringList{"05", "1"} << QStringList{"No"} << QStringList{noPicture} << "given up";
        QTest::newRow("out of range or not whole numbers, asked again")
            << "Alpha" << QStringList{"0", "11", "five", "+5", "99999999999999999999", "2", "7", "-2", "02"}
            << QStringList{} << outOfRange << "Alpha|2|2|";
    }

    void addNewPrompts()
    {
        QFETCH(QString, album);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, warned);
        QFETCH(QString, outcome);
        TestEnvironment env;
        prepare(env);
        DatabaseBrowserWindow &form = open(env);
        press(form, "cmdMoveNext");
        const QString before = look(form);
        QVERIFY(form.image()->hasPicture());
        QVERIFY(addNew(env, form, album, typed, answers));
        QCOMPARE(boxes(env).filter(QRegularExpression("^WARNING: ")), warned);
        QVERIFY(env.dialogs.allAnswered());
        QVERIFY(!env.dialogs.unexpected());
        if (outcome == QLatin1String("given up")) {
            QCOMPARE(look(form), before);
            press(form, "cmdMoveNext");  // browsing goes on from there
            QCOMPARE(counters(form), counters(3, 3));
        } else {
            QCOMPARE(fields(form), outcome);
        }
        QCOMPARE(rows(env).size(), 3);
    }
};

KOLUMBRA_TEST(DatabaseBrowserTest)
#include "DatabaseBrowserTest.moc"
