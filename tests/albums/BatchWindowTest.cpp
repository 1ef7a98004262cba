#include "albums/BatchFiles.h"

#include "albums/BatchMove.h"
#include "albums/frmBatch.h"
#include "albums/frmSelect.h"
#include "albumstore/AlbumName.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Answer = Dialogs::Answer;

const QString kGaveUp = QStringLiteral(
    "You either did not enter anything or pressed <Clear>.\r\nYou will be returned to the Select Album Page.");

// The album list with the batch creator opened from it, pointed at a folder
// of files.
struct BatchFixture
{
    TestEnvironment env;
    QTemporaryDir source;
    frmSelect &list;
    frmBatch &window;

    BatchFixture()
        : list(env.owner().albumList())
        , window(env.owner().batchCreator())
    {
        env.owner().present(list);
        list.findChild<QPushButton *>(QStringLiteral("cmdCreate"))->click();
        window.setFolder(source.path());
    }

    QString album(const QString &name) const { return env.store.albumFolder(name); }
    template <typename T> T *child(const char *name) const { return window.findChild<T *>(QLatin1String(name)); }
    bool backAtTheList() const { return list.isVisible() && !window.isVisible(); }

    // Scripts the replies and the answers to "add to it?", and presses "&Select".
    void select(const QStringList &typed = {}, const QList<Answer> &answers = {})
    {
        for (const QString &t : typed)
            env.dialogs.type(t);
        for (const Answer a : answers)
            env.dialogs.answer(a);
        QTest::mouseClick(child<QPushButton>("cmdSelectFolder"), Qt::LeftButton);
    }

    // Calls back on every file moved.
    template <typename F> void onMoved(F f)
    {
        QObject::connect(window.findChild<BatchMove *>(), &BatchMove::progressed, &window, f);
    }

    QStringList messages() const
    {
        QStringList out;
        for (const ScriptedDialogs::Shown &s : env.dialogs.shown()) {
            if (s.kind == QLatin1String("message"))
                out << s.text;
        }
        return out;
    }
};

} // namespace

class BatchWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void sixtyOneFilesFillANewAlbumThenAnother()
    {
        BatchFixture f;
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Batch file Album Creator"));
        QCOMPARE(f.child<QLabel>("lbl1")->text(),
                 QStringLiteral("Navigate to and select the folder containing the pictures you want to put in "
                                "the album. Then press <Select>"));
        QVERIFY(f.child<QComboBox>("Drive1")->count() >= 1);
        const QStringList names = BatchFiles::numbered(61);
        BatchFiles::make(f.source.path(), names);
        // What the window shows while the files move.
        QString progressText;
        bool frameShown = true;
        int totalShown = 0;
        f.onMoved([&](int moved) {
            if (moved == 1 && progressText.isEmpty()) {
                progressText = f.child<QLabel>("lbl2")->text();
                frameShown = f.child<QFrame>("Frame1")->isVisible();
                totalShown = f.child<QProgressBar>("prgMoved")->maximum();
            }
        });
        f.select({"First", "Second"});

        QCOMPARE(progressText, QStringLiteral("Moving pictures to %1\r\nPlease wait")
                                   .arg(QDir::toNativeSeparators(f.album(QStringLiteral("First")))));
        QVERIFY(!frameShown);
        QCOMPARE(totalShown, 61);
        QCOMPARE(f.env.dialogs.shown().size(), 2);
        QCOMPARE(f.env.dialogs.shown().first().title, QStringLiteral("New Album Name"));
        QCOMPARE(f.env.dialogs.shown().first().text, QStringLiteral("Input the name of the new album."));
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList());
        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("First"))).size(), 60);
        QCOMPARE(BatchFiles::read(f.album(QStringLiteral("Second")), QStringLiteral("P1I0.JPG")),
                 names.at(60).toUtf8());
        QVERIFY(f.backAtTheList());
        QVERIFY(!f.list.list()->findItems(QStringLiteral("Second"), Qt::MatchExactly).isEmpty());

        // Opened again, the window is ready for the next folder.
        f.list.findChild<QPushButton *>(QStringLiteral("cmdCreate"))->click();
        QVERIFY(f.child<QFrame>("Frame1")->isVisible());
        QVERIFY(f.child<QLabel>("lbl2")->isHidden());
        QVERIFY(f.child<QProgressBar>("prgMoved")->isHidden());
    }

    void albumNamesAndStartingPositions_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("addToIt");  // 1: Yes, -1: No, 0: not asked
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("landed");  // the files' new names, in order of name
        QTest::addColumn<QStringList>("messages");

        const QString pages = QStringLiteral("The page number must be between 1 and 10.");
        const QString pictures = QStringLiteral("The image number must be between 1 and 6.");
        QTest::newRow("page 3, picture 5") << QStringList{"Old", "3", "5"} << 1 << 3
                                           << QStringList{"Old/P3I4.JPG", "Old/P3I5.bmp", "Old/P4I0.BMP"}
                                           << QStringList{};
        QTest::newRow("page 10, picture 6, then no name")
            << QStringList{"Old", "10", "6", ""} << 1 << 2 << QStringList{"Old/P10I5.JPG", "src/IMG_02.bmp"}
            << QStringList{kGaveUp};
        QTest::newRow("pages out of range, not numbers")
            << QStringList{"Old", "11", "0", "three", "2.5", "2", "7", "x", " 1 "} << 1 << 1
            << QStringList{"Old/P2I0.JPG"} << QStringList{pages, pages, pages, pages, pictures, pictures};
        QTest::newRow("no page") << QStringList{"Old", ""} << 1 << 1 << QStringList{"src/img_01.JPG"}
                                 << QStringList{kGaveUp};
        QTest::newRow("no picture") << QStringList{"Old", "4", ""} << 1 << 1 << QStringList{"src/img_01.JPG"}
                                    << QStringList{kGaveUp};
        QTest::newRow("not that one, a new one") << QStringList{"Old", "Fresh"} << -1 << 1
                                                 << QStringList{"Fresh/P1I0.JPG"} << QStringList{};
        QTest::newRow("name in other letters") << QStringList{"OLD", "1", "2"} << 1 << 1
                                               << QStringList{"Old/P1I1.JPG"} << QStringList{};
        // The rules are those of creation.
        QTest::newRow("a name that cannot be an album") << QStringList{"a/b", "Good"} << 0 << 1
                                                        << QStringList{"Good/P1I0.JPG"}
                                                        << QStringList{AlbumName::problem("a/b").value()};
    }

    void albumNamesAndStartingPositions()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, addToIt);
        QFETCH(int, files);
        QFETCH(QStringList, landed);
        BatchFixture f;
        f.env.makeAlbum(QStringLiteral("Old"));
        const QStringList names = BatchFiles::numbered(files);
        BatchFiles::make(f.source.path(), names);
        f.select(typed, addToIt == 0 ? QList<Answer>{} : QList<Answer>{addToIt > 0 ? Answer::Yes : Answer::No});

        for (int i = 0; i < landed.size(); ++i) {
            const QString where = landed.at(i).section(QLatin1Char('/'), 0, 0);
            const QString folder = where == QLatin1String("src") ? f.source.path() : f.album(where);
            QCOMPARE(BatchFiles::read(folder, landed.at(i).section(QLatin1Char('/'), 1)), names.at(i).toUtf8());
        }
        QTEST(f.messages(), "messages");
        for (const ScriptedDialogs::Shown &s : f.env.dialogs.shown()) {
            if (s.kind == QLatin1String("yesno"))
                QCOMPARE(s.text + s.title, QStringLiteral("That album name is allready in use.\r\n"
                                                          "Do you want to add pictures to it?WARNING"));
        }
        QVERIFY(f.env.dialogs.allAnswered());
        QVERIFY(!f.env.dialogs.unexpected());
        QVERIFY(f.backAtTheList());
    }

    void theKeysAndTheFolderList()
    {
        BatchFixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QDir(f.source.path()).mkdir(QStringLiteral("inner"));
        BatchFiles::make(f.source.path(), {"a.jpg"});
        f.window.setFolder(f.source.path());
        QTest::keyClick(&f.window, Qt::Key_F12);
        QCOMPARE(f.env.help.opened.size(), 1);

        // Enter on another folder opens it; on the open folder it starts.
        QListWidget *dir1 = f.child<QListWidget>("Dir1");
        dir1->setFocus();
        dir1->setCurrentRow(dir1->count() - 1);
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(f.window.folder(), QDir(f.source.path()).filePath(QStringLiteral("inner")));
        QVERIFY(f.env.dialogs.shown().isEmpty());
        f.window.setFolder(f.source.path());
        f.env.dialogs.type(QStringLiteral("Keyed"));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("Keyed"))), QStringList{"P1I0.jpg"});

        f.env.owner().present(f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(f.backAtTheList());
        QCOMPARE(f.env.endCount(), 0);

        // Folders that are no source: one that cannot be opened, the
        // program's own, an album's own.
        f.env.owner().present(f.window);
        QVERIFY(!f.window.setFolder(QDir(f.source.path()).filePath(QStringLiteral("gone"))));
        QCOMPARE(f.window.folder(), QDir(f.source.path()).absolutePath());
        QVERIFY(f.messages().value(0).contains(QLatin1String("cannot be opened")));
        f.window.setFolder(f.env.programFolder());
        const QStringList before = BatchFiles::all(f.env.programFolder());
        f.select();
        QVERIFY(f.messages().value(1).contains(QLatin1String("KoLumbra's own files")));
        QCOMPARE(BatchFiles::all(f.env.programFolder()), before);
        const QString keyed = f.album(QStringLiteral("Keyed"));
        f.window.setFolder(keyed);
        f.select({"Keyed", "1", "2", ""}, {Answer::Yes});
        QVERIFY(f.messages().value(2).contains(QLatin1String("in that album already")));
        QCOMPARE(f.messages().value(3), kGaveUp);
        QCOMPARE(BatchFiles::all(keyed), QStringList{"P1I0.jpg"});
    }

    void aClashStopsTheRunAndIsTold_data()
    {
        QTest::addColumn<bool>("hiddenMeanwhile");
        QTest::newRow("window shown") << false;
        QTest::newRow("hidden with Esc while it ran") << true;
    }

    void aClashStopsTheRunAndIsTold()
    {
        QFETCH(bool, hiddenMeanwhile);
        BatchFixture f;
        BatchFiles::write(f.env.makeAlbum(QStringLiteral("Old")), QStringLiteral("P1I3.jpg"), "in the way");
        BatchFiles::make(f.source.path(), {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        // Another activation and a second Select come while the files move.
        f.onMoved([&f, hiddenMeanwhile](int moved) {
            if (moved != 1)
                return;
            f.window.Form_Activate();
            f.window.cmdSelectFolder_Click();
            if (hiddenMeanwhile)
                QTest::keyClick(&f.window, Qt::Key_Escape);
        });
        f.select({"Old", "1", "1"}, {Answer::Yes});

        const QString old = f.album(QStringLiteral("Old"));
        QCOMPARE(BatchFiles::read(old, QStringLiteral("P1I3.jpg")), QByteArray("in the way"));
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList({"d.jpg", "e.jpg"}));
        QCOMPARE(f.env.dialogs.shown().size(), 4 + int(hiddenMeanwhile));
        QVERIFY(!f.child<QFrame>("Frame1")->isVisibleTo(&f.window));
        QCOMPARE(f.child<QProgressBar>("prgMoved")->value(), 3);
        QCOMPARE(f.child<QProgressBar>("prgMoved")->maximum(), 5);
        const QString told =
            QStringLiteral("d.jpg could not be moved into the album as P1I3.jpg.\r\nThe album has a file of that "
                           "name already.\r\nThe files before it are in the album; it and the files after it are "
                           "still in %1.\r\nPress Esc to close this window.")
                .arg(QDir::toNativeSeparators(f.source.path()));
        QVERIFY(f.child<QLabel>("lbl2")->isVisibleTo(&f.window));
        QCOMPARE(f.child<QLabel>("lbl2")->text(), told);
        // Unseen in a hidden window, the failure comes as a message.
        QCOMPARE(f.messages(), hiddenMeanwhile ? QStringList{told} : QStringList{});
        QCOMPARE(f.window.isVisible(), !hiddenMeanwhile);
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
        QCOMPARE(f.env.endCount(), 0);
    }

    void theEndOfTheProgramStopsARun()
    {
        BatchFixture f;
        BatchFiles::make(f.source.path(), BatchFiles::numbered(8));
        f.onMoved([&f](int moved) {
            if (moved == 1)
                f.env.owner().endProgram();
        });
        f.select({"Stopped"});
        QCOMPARE(f.env.endCount(), 1);
        const int moved = int(BatchFiles::all(f.album(QStringLiteral("Stopped"))).size());
        QVERIFY2(moved < 3, qPrintable(QString::number(moved)));
        QCOMPARE(BatchFiles::all(f.source.path()).size(), 8 - moved);
    }
};

KOLUMBRA_TEST(BatchWindowTest)
#include "BatchWindowTest.moc"
