#include "albums/BatchFiles.h"

#include "albums/BatchMove.h"
#include "albums/frmBatch.h"
#include "albums/frmSelect.h"
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

const QString kGaveUp =
    QStringLiteral("You either did not enter anything or pressed <Clear>.\r\nYou will be returned to the Select Album Page.");
const QString kNamePrompt = QStringLiteral("Input the name of the new album.");

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
    void select() { QTest::mouseClick(child<QPushButton>("cmdSelectFolder"), Qt::LeftButton); }
    template <typename T> T *child(const char *name) const { return window.findChild<T *>(QLatin1String(name)); }

    QStringList messages() const
    {
        QStringList out;
        for (const ScriptedDialogs::Shown &s : env.dialogs.shown()) {
            if (s.kind == QLatin1String("message"))
                out << s.text;
        }
        return out;
    }

    int prompts(const QString &text) const
    {
        int n = 0;
        for (const ScriptedDialogs::Shown &s : env.dialogs.shown())
            n += s.kind == QLatin1String("input") && s.text == text;
        return n;
    }

    bool backAtTheList() const { return list.isVisible() && !window.isVisible(); }
};

} // namespace

class BatchWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void openedFromTheAlbumList()
    {
        BatchFixture f;
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Batch file Album Creator"));
        QCOMPARE(f.child<QLabel>("lbl1")->text(),
                 QStringLiteral("Navigate to and select the folder containing the pictures you want to put in the "
                                "album. Then press <Select>"));
        QVERIFY(f.child<QFrame>("Frame1")->isVisible());
        QVERIFY(f.child<QFrame>("Frame1")->isEnabled());
        // The open folder is the one highlighted, below the way to it.
        QListWidget *dir1 = f.child<QListWidget>("Dir1");
        QCOMPARE(dir1->currentItem()->data(Qt::UserRole).toString(), QDir(f.source.path()).absolutePath());
        QVERIFY(f.child<QComboBox>("Drive1")->count() >= 1);

        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTest::keyClick(&f.window, Qt::Key_F12);
        QCOMPARE(f.env.help.opened.size(), 1);
    }

    void fourteenFilesIntoANewAlbum()
    {
        BatchFixture f;
        const QStringList names = BatchFiles::numbered(14);
        BatchFiles::make(f.source.path(), names);
        f.env.dialogs.type(QStringLiteral("Summer"));
        // What the window shows while the files move.
        QString progressText;
        bool frameHidden = false;
        connect(f.window.findChild<BatchMove *>(), &BatchMove::progressed, &f.window, [&](int moved, int) {
            if (moved == 1) {
                progressText = f.child<QLabel>("lbl2")->text();
                frameHidden = !f.child<QFrame>("Frame1")->isVisible();
            }
        });
        f.select();

        QCOMPARE(BatchFiles::all(f.source.path()), QStringList());
        const QStringList positions{"P1I0", "P1I1", "P1I2", "P1I3", "P1I4", "P1I5", "P2I0",
                                    "P2I1", "P2I2", "P2I3", "P2I4", "P2I5", "P3I0", "P3I1"};
        for (int i = 0; i < names.size(); ++i) {
            const QString target = positions.at(i) + names.at(i).mid(names.at(i).lastIndexOf(QLatin1Char('.')));
            QCOMPARE(BatchFiles::read(f.album(QStringLiteral("Summer")), target), names.at(i).toUtf8());
        }
        QCOMPARE(progressText, QStringLiteral("Moving pictures to ")
                                   + QDir::toNativeSeparators(f.album(QStringLiteral("Summer")))
                                   + QStringLiteral("\r\nPlease wait"));
        QVERIFY(frameHidden);
        QVERIFY(f.backAtTheList());
        QVERIFY(!f.list.list()->findItems(QStringLiteral("Summer"), Qt::MatchExactly).isEmpty());
        QCOMPARE(f.env.dialogs.shown().size(), 1);
        QCOMPARE(f.env.dialogs.shown().first().title, QStringLiteral("New Album Name"));
        QVERIFY(f.env.dialogs.allAnswered());

        // Opened again, the window is ready for the next folder.
        f.list.findChild<QPushButton *>(QStringLiteral("cmdCreate"))->click();
        QVERIFY(f.child<QFrame>("Frame1")->isVisible());
        QVERIFY(f.child<QLabel>("lbl2")->isHidden());
        QVERIFY(f.child<QProgressBar>("prgMoved")->isHidden());
    }

    void sixtyOneFilesFillASecondAlbum()
    {
        BatchFixture f;
        const QStringList names = BatchFiles::numbered(61);
        BatchFiles::make(f.source.path(), names);
        f.env.dialogs.type(QStringLiteral("First"));
        f.env.dialogs.type(QStringLiteral("Second"));
        int totalShown = 0;
        connect(f.window.findChild<BatchMove *>(), &BatchMove::progressed, &f.window,
                [&] { totalShown = f.child<QProgressBar>("prgMoved")->maximum(); });
        f.select();

        QCOMPARE(f.prompts(kNamePrompt), 2);
        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("First"))).size(), 60);
        QCOMPARE(BatchFiles::read(f.album(QStringLiteral("First")), QStringLiteral("P10I5.jpg")),
                 names.at(59).toUtf8());
        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("Second"))), QStringList{"P1I0.JPG"});
        QCOMPARE(BatchFiles::read(f.album(QStringLiteral("Second")), QStringLiteral("P1I0.JPG")),
                 names.at(60).toUtf8());
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList());
        QCOMPARE(totalShown, 61);
        QVERIFY(f.backAtTheList());
    }

    void existingAlbum_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("answers");  // how many Yes before the last answer, which is No when negative
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("landed");  // the files' new names, in order of name
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("backAtTheList");

        const QString pageRange = QStringLiteral("The page number must be between 1 and 10.");
        const QString pictureRange = QStringLiteral("The image number must be between 1 and 6.");
        QTest::newRow("page 3, picture 5") << QStringList{"Old", "3", "5"} << 1 << 3
                                           << QStringList{"Old/P3I4.JPG", "Old/P3I5.bmp", "Old/P4I0.BMP"}
                                           << QStringList{} << true;
        QTest::newRow("page 10, picture 6, then no name")
            << QStringList{"Old", "10", "6", ""} << 1 << 2 << QStringList{"Old/P10I5.JPG", "src/IMG_02.bmp"}
            << QStringList{kGaveUp} << true;
        QTest::newRow("page 10, picture 6, then a new album")
            << QStringList{"Old", "10", "6", "Next"} << 1 << 2 << QStringList{"Old/P10I5.JPG", "Next/P1I0.bmp"}
            << QStringList{} << true;
        QTest::newRow("pages out of range, not numbers")
            << QStringList{"Old", "11", "0", "three", "2.5", "2", "7", "x", " 1 "} << 1 << 1
            << QStringList{"Old/P2I0.JPG"} << QStringList{pageRange, pageRange, pageRange, pageRange, pictureRange, pictureRange}
            << true;
        QTest::newRow("no page") << QStringList{"Old", ""} << 1 << 1 << QStringList{"src/img_01.JPG"}
                                 << QStringList{kGaveUp} << true;
        QTest::newRow("no picture") << QStringList{"Old", "4", ""} << 1 << 1 << QStringList{"src/img_01.JPG"}
                                    << QStringList{kGaveUp} << true;
        QTest::newRow("not that one, a new one") << QStringList{"Old", "Fresh"} << -1 << 1
                                                 << QStringList{"Fresh/P1I0.JPG"} << QStringList{} << true;
        QTest::newRow("name in other letters") << QStringList{"OLD", "1", "2"} << 1 << 1
                                               << QStringList{"Old/P1I1.JPG"} << QStringList{} << true;
    }

    void existingAlbum()
    {
        QFETCH(QStringList, typed);
        QFETCH(int, answers);
        QFETCH(int, files);
        QFETCH(QStringList, landed);
        QFETCH(QStringList, messages);
        QFETCH(bool, backAtTheList);
        BatchFixture f;
        f.env.makeAlbum(QStringLiteral("Old"));
        const QStringList names = BatchFiles::numbered(files);
        BatchFiles::make(f.source.path(), names);
        for (const QString &t : typed)
            f.env.dialogs.type(t);
        f.env.dialogs.answer(answers < 0 ? Answer::No : Answer::Yes);
        f.select();

        for (int i = 0; i < landed.size(); ++i) {
            const QString where = landed.at(i).section(QLatin1Char('/'), 0, 0);
            const QString folder = where == QLatin1String("src") ? f.source.path() : f.album(where);
            QCOMPARE(BatchFiles::read(folder, landed.at(i).section(QLatin1Char('/'), 1)), names.at(i).toUtf8());
        }
        QCOMPARE(f.messages(), messages);
        for (const ScriptedDialogs::Shown &s : f.env.dialogs.shown()) {
            if (s.kind == QLatin1String("yesno")) {
                QCOMPARE(s.text, QStringLiteral("That album name is allready in use.\r\nDo you want to add pictures to it?"));
                QCOMPARE(s.title, QStringLiteral("WARNING"));
            }
        }
        QVERIFY(f.env.dialogs.allAnswered());
        QVERIFY(!f.env.dialogs.unexpected());
        QCOMPARE(f.backAtTheList(), backAtTheList);
    }

    void namesThatCannotBeAlbumsAreAskedAgain()
    {
        BatchFixture f;
        BatchFiles::make(f.source.path(), {"a.jpg"});
        for (const char *t : {"a/b", " ", "Create New Album", "Good"})
            f.env.dialogs.type(QLatin1String(t));
        f.select();
        QCOMPARE(f.prompts(kNamePrompt), 4);
        QCOMPARE(f.messages().size(), 3);
        QVERIFY(f.messages().at(0).contains(QLatin1String("'/'")));
        QVERIFY(!QFileInfo::exists(f.album(QStringLiteral("a"))));
        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("Good"))), QStringList{"P1I0.jpg"});
    }

    void noNameReturnsToTheListWithNothingMoved()
    {
        BatchFixture f;
        BatchFiles::make(f.source.path(), {"a.jpg", "b.jpg"});
        f.env.dialogs.type(QString());
        f.select();
        QCOMPARE(f.messages(), QStringList{kGaveUp});
        QCOMPARE(f.env.dialogs.shown().last().title, QStringLiteral("WARNING"));
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList({"a.jpg", "b.jpg"}));
        QVERIFY(f.backAtTheList());
    }

    void aClashStopsTheRunAndSaysWhy()
    {
        BatchFixture f;
        BatchFiles::write(f.env.makeAlbum(QStringLiteral("Old")), QStringLiteral("P1I1.jpg"), "the old picture");
        BatchFiles::make(f.source.path(), {"a.jpg", "b.jpg", "c.jpg"});
        for (const char *t : {"Old", "1", "1"})
            f.env.dialogs.type(QLatin1String(t));
        f.env.dialogs.answer(Answer::Yes);
        f.select();

        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("Old"))), QStringList({"P1I0.jpg", "P1I1.jpg"}));
        QCOMPARE(BatchFiles::read(f.album(QStringLiteral("Old")), QStringLiteral("P1I1.jpg")), QByteArray("the old picture"));
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList({"b.jpg", "c.jpg"}));
        // The window stays, without its folder controls, and says what happened.
        QVERIFY(f.window.isVisible());
        QVERIFY(!f.child<QFrame>("Frame1")->isVisible());
        QCOMPARE(f.child<QLabel>("lbl2")->text(),
                 QStringLiteral("b.jpg could not be moved into the album as P1I1.jpg.\r\nThe album has a file of that "
                                "name already.\r\nThe files before it are in the album; it and the files after it are "
                                "still in %1.\r\nPress Esc to close this window.")
                     .arg(QDir::toNativeSeparators(f.source.path())));
        QVERIFY(f.child<QLabel>("lbl2")->isVisible());
        QCOMPARE(f.child<QProgressBar>("prgMoved")->value(), 1);
        QCOMPARE(f.child<QProgressBar>("prgMoved")->maximum(), 3);
        QVERIFY(f.messages().isEmpty());

        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
    }

    void enterStartsAndEscapeHides()
    {
        BatchFixture f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QDir(f.source.path()).mkdir(QStringLiteral("inner"));
        BatchFiles::make(f.source.path(), {"a.jpg"});
        f.window.setFolder(f.source.path());
        QListWidget *dir1 = f.child<QListWidget>("Dir1");
        dir1->setFocus();

        // Enter on another folder opens it; on the open folder it starts.
        dir1->setCurrentRow(dir1->count() - 1);
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(f.window.folder(), QDir(f.source.path()).filePath(QStringLiteral("inner")));
        QVERIFY(f.env.dialogs.shown().isEmpty());
        f.window.setFolder(f.source.path());
        f.env.dialogs.type(QStringLiteral("Keyed"));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(f.prompts(kNamePrompt), 1);
        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("Keyed"))), QStringList{"P1I0.jpg"});

        f.env.owner().present(f.window);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
        QVERIFY(f.list.isVisible());
        QCOMPARE(f.env.endCount(), 0);
    }

    void whileItRuns()
    {
        // Another activation, a second Select, Esc and the end of the
        // program, each coming while the files move.
        BatchFixture f;
        BatchFiles::write(f.env.makeAlbum(QStringLiteral("Old")), QStringLiteral("P1I3.jpg"), "in the way");
        BatchFiles::make(f.source.path(), {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg"});
        for (const char *t : {"Old", "1", "1"})
            f.env.dialogs.type(QLatin1String(t));
        f.env.dialogs.answer(Answer::Yes);
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        connect(f.window.findChild<BatchMove *>(), &BatchMove::progressed, &f.window, [&f](int moved) {
            if (moved != 1)
                return;
            f.window.Form_Activate();
            f.window.cmdSelectFolder_Click();
            QTest::keyClick(&f.window, Qt::Key_Escape);
        });
        f.select();
        // The frame stayed away, no second run asked for a name, and the
        // failure at d.jpg, unseen in the hidden window, came as a message.
        QCOMPARE(f.prompts(kNamePrompt), 1);
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList({"d.jpg", "e.jpg"}));
        QVERIFY(!f.window.isVisible());
        QVERIFY(!f.child<QFrame>("Frame1")->isVisibleTo(&f.window));
        QCOMPARE(f.messages().size(), 1);
        QVERIFY(f.messages().first().startsWith(QLatin1String("d.jpg could not be moved into the album as P1I3.jpg.")));
        QCOMPARE(f.env.endCount(), 0);
    }

    void theEndOfTheProgramStopsARun()
    {
        BatchFixture f;
        const QStringList names = BatchFiles::numbered(8);
        BatchFiles::make(f.source.path(), names);
        f.env.dialogs.type(QStringLiteral("Stopped"));
        connect(f.window.findChild<BatchMove *>(), &BatchMove::progressed, &f.window, [&f](int moved) {
            if (moved == 1)
                f.env.owner().endProgram();
        });
        f.select();
        QCOMPARE(f.env.endCount(), 1);
        const int moved = int(BatchFiles::all(f.album(QStringLiteral("Stopped"))).size());
        QVERIFY2(moved < 3, qPrintable(QString::number(moved)));
        QCOMPARE(BatchFiles::all(f.source.path()).size(), names.size() - moved);
    }

    void theProgramFolderIsNotASource()
    {
        BatchFixture f;
        f.window.setFolder(f.env.programFolder());
        const QStringList before = BatchFiles::all(f.env.programFolder());
        f.select();
        QCOMPARE(f.messages().size(), 1);
        QVERIFY(f.messages().first().contains(QLatin1String("KoLumbra's own files")));
        QCOMPARE(f.prompts(kNamePrompt), 0);
        QCOMPARE(BatchFiles::all(f.env.programFolder()), before);
        QVERIFY(f.child<QFrame>("Frame1")->isVisible());
    }

    void anAlbumIsNotMovedIntoItself()
    {
        BatchFixture f;
        const QString old = f.env.makeAlbum(QStringLiteral("Old"));
        BatchFiles::make(old, {"P1I1.jpg", "P1I2.jpg"});
        f.window.setFolder(old);
        for (const char *t : {"Old", "1", "1"})
            f.env.dialogs.type(QLatin1String(t));
        f.env.dialogs.answer(Answer::Yes);
        f.env.dialogs.type(QString());
        f.select();
        QCOMPARE(f.messages().size(), 2);
        QVERIFY(f.messages().first().contains(QLatin1String("in that album already")));
        QCOMPARE(f.messages().last(), kGaveUp);
        QCOMPARE(BatchFiles::all(old), QStringList({"P1I1.jpg", "P1I2.jpg"}));
    }

    void aFolderThatCannotBeOpenedKeepsTheOldOne()
    {
        BatchFixture f;
        QVERIFY(!f.window.setFolder(QDir(f.source.path()).filePath(QStringLiteral("gone"))));
        QCOMPARE(f.window.folder(), QDir(f.source.path()).absolutePath());
        QCOMPARE(f.messages().size(), 1);
        QVERIFY(f.messages().first().contains(QLatin1String("cannot be opened")));
    }
};

KOLUMBRA_TEST(BatchWindowTest)
#include "BatchWindowTest.moc"
