#include "pictureinfo/AddNewChecks.h"
#include "pictureinfo/BrowserRules.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QtTest>

using BrowserRules::Move;
using BrowserRules::MoveButtons;

Q_DECLARE_METATYPE(BrowserRules::Move)
Q_DECLARE_METATYPE(AddNewChecks::Answer::Kind)

namespace {

// "FPNL" with a dash for each button that is disabled.
QByteArray shown(const MoveButtons &m)
{
    return QByteArray(m.first ? "F" : "-") + (m.previous ? "P" : "-") + (m.next ? "N" : "-") + (m.last ? "L" : "-");
}

} // namespace

// The browser's button groups, move rules and counters, and the checks of
// the answers typed for a new description's position.
class BrowserRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void groups()
    {
        const BrowserRules::Buttons off = BrowserRules::buttonsOff();
        QVERIFY(!off.close && !off.cancel && !off.edit && !off.addNew && !off.deleteRecord && !off.search);
        QCOMPARE(shown(off.moves), QByteArray("----"));

        const BrowserRules::Buttons none = BrowserRules::noAlbumButtons();
        QVERIFY(none.close && none.addNew && none.search);
        QVERIFY(!none.cancel && !none.edit && !none.deleteRecord);
        QCOMPARE(shown(none.moves), QByteArray("----"));

        const BrowserRules::Buttons initial = BrowserRules::initialButtons(3, 2);
        QVERIFY(initial.close && initial.edit && initial.addNew && initial.deleteRecord && initial.search);
        QVERIFY(!initial.cancel);
        QCOMPARE(shown(initial.moves), QByteArray("FPNL"));

        // With no row shown there is nothing to edit or delete.
        QVERIFY(BrowserRules::browsing(0, 0) == none);
        QVERIFY(BrowserRules::browsing(3, 0) == none);
        QVERIFY(BrowserRules::browsing(3, 3) == BrowserRules::initialButtons(3, 3));
    }

    void movesAtEachRow_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("empty set") << 0 << 0 << QByteArray("----");
        QTest::newRow("one row") << 1 << 1 << QByteArray("----");
        QTest::newRow("first of three") << 3 << 1 << QByteArray("--NL");
        QTest::newRow("middle of three") << 3 << 2 << QByteArray("FPNL");
        QTest::newRow("last of three") << 3 << 3 << QByteArray("FP--");
        QTest::newRow("none shown of three") << 3 << 0 << QByteArray("----");
        QTest::newRow("past the end") << 3 << 4 << QByteArray("----");
    }

    void movesAtEachRow()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QByteArray, expected);
        QCOMPARE(shown(BrowserRules::movesAt(count, current)), expected);
        QCOMPARE(shown(BrowserRules::initialButtons(count, current).moves), expected);
    }

    void moveButtons_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<Move>("button");
        QTest::addColumn<bool>("acts");
        QTest::addColumn<int>("after");
        QTest::addColumn<QByteArray>("buttons");

        QTest::newRow("next from first of three") << 3 << 1 << Move::Next << true << 2 << QByteArray("FPNL");
        QTest::newRow("next to the last") << 3 << 2 << Move::Next << true << 3 << QByteArray("FP--");
        QTest::newRow("next on the last") << 3 << 3 << Move::Next << false << 3 << QByteArray();
        QTest::newRow("previous to the first") << 3 << 2 << Move::Previous << true << 1 << QByteArray("--NL");
        QTest::newRow("previous from the last") << 3 << 3 << Move::Previous << true << 2 << QByteArray("FPNL");
        QTest::newRow("previous on the first") << 3 << 1 << Move::Previous << false << 1 << QByteArray();
        QTest::newRow("first from the last") << 3 << 3 << Move::First << true << 1 << QByteArray("--NL");
        QTest::newRow("first on the first") << 3 << 1 << Move::First << false << 1 << QByteArray();
        QTest::newRow("last from the first") << 3 << 1 << Move::Last << true << 3 << QByteArray("FP--");
        QTest::newRow("last on the last") << 3 << 3 << Move::Last << false << 3 << QByteArray();
        QTest::newRow("every move on one row") << 1 << 1 << Move::Last << false << 1 << QByteArray();
        QTest::newRow("next in an empty set") << 0 << 0 << Move::Next << false << 0 << QByteArray();
        QTest::newRow("first in an empty set") << 0 << 0 << Move::First << false << 0 << QByteArray();
        QTest::newRow("last in an empty set") << 0 << 0 << Move::Last << false << 0 << QByteArray();
    }

    void moveButtons()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(Move, button);
        QFETCH(bool, acts);
        QFETCH(int, after);
        QFETCH(QByteArray, buttons);
        const BrowserRules::MoveOutcome outcome = BrowserRules::move(button, count, current);
        QCOMPARE(outcome.acts, acts);
        QCOMPARE(outcome.current, after);
        if (acts)
            QCOMPARE(shown(outcome.moves), buttons);
    }

    void counters()
    {
        QCOMPARE(BrowserRules::foundText(0), QStringLiteral("Found - 0 - Records"));
        QCOMPARE(BrowserRules::foundText(100000), QStringLiteral("Found - 100000 - Records"));
        QCOMPARE(BrowserRules::currentText(0), QStringLiteral("Current Record = 0"));
        QCOMPARE(BrowserRules::currentText(17), QStringLiteral("Current Record = 17"));
    }

    void positionAnswers_data()
    {
        using Kind = AddNewChecks::Answer::Kind;
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("highest");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("nothing") << "" << 10 << Kind::Empty << 0;
        QTest::newRow("1") << "1" << 10 << Kind::Accepted << 1;
        QTest::newRow("10") << "10" << 10 << Kind::Accepted << 10;
        QTest::newRow("leading zero") << "05" << 10 << Kind::Accepted << 5;
        QTest::newRow("many zeros") << "0000000000000000000006" << 6 << Kind::Accepted << 6;
        QTest::newRow("0") << "0" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("11") << "11" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("7 of 6") << "7" << 6 << Kind::OutOfRange << 0;
        QTest::newRow("minus") << "-1" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("plus") << "+5" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("word") << "five" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("fraction") << "5.5" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("blank before") << " 5" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("blank only") << " " << 10 << Kind::OutOfRange << 0;
        QTest::newRow("too many digits") << "99999999999999999999" << 10 << Kind::OutOfRange << 0;
        QTest::newRow("other digits") << QString::fromUtf8("٥") << 10 << Kind::OutOfRange << 0;
    }

    void positionAnswers()
    {
        QFETCH(QString, typed);
        QFETCH(int, highest);
        QFETCH(AddNewChecks::Answer::Kind, kind);
        QFETCH(int, number);
        const AddNewChecks::Answer answer = AddNewChecks::check(typed, highest);
        QCOMPARE(answer.kind, kind);
        QCOMPARE(answer.number, number);
    }

    void newPositionIsLookedForUnderThePageAsTyped()
    {
        TestEnvironment env;
        const QString folder = env.store.albumFolder(QStringLiteral("Summer"));
        QCOMPARE(AddNewChecks::candidates(env.store, QStringLiteral("Summer"), QStringLiteral("05"), 1),
                 QStringList({folder + QStringLiteral("/P05I0.BMP"), folder + QStringLiteral("/P05I0.bmp"),
                              folder + QStringLiteral("/P05I0.JPG"), folder + QStringLiteral("/P05I0.jpg")}));

        // Only a picture that loads counts, under any of the four names.
        env.putPicture(QStringLiteral("Summer"), 5, 1, QStringLiteral(".jpg"), QSize(20, 10));
        QVERIFY(!AddNewChecks::anyLoads(
            AddNewChecks::candidates(env.store, QStringLiteral("Summer"), QStringLiteral("05"), 1)));
        QVERIFY(AddNewChecks::anyLoads(
            AddNewChecks::candidates(env.store, QStringLiteral("Summer"), QStringLiteral("5"), 1)));
        QFile broken(env.store.picturePath(QStringLiteral("Summer"), 2, 3, QStringLiteral(".BMP")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("BM not really a bitmap");
        broken.close();
        QVERIFY(!AddNewChecks::anyLoads(
            AddNewChecks::candidates(env.store, QStringLiteral("Summer"), QStringLiteral("2"), 3)));
    }
};

KOLUMBRA_TEST(BrowserRulesTest)
#include "BrowserRulesTest.moc"
