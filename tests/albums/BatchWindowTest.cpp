#include "albums/BatchFiles.h"

#include "albums/AlbumListWindow.h"
#include "albums/BatchAlbumWindow.h"
#include "albums/BatchMove.h"
#include "albumstore/AlbumName.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
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
    AlbumListWindow &list;
    BatchAlbumWindow &window;

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

}  // namespace

class BatchWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void sixtyOneFilesFillANewAlbumThenAnother()
    {
        BatchFixture f;
        const QStringList names = BatchFiles::numbered(61);
        BatchFiles::make(f.source.path(), names);
        // Hidden files and folders stay where they are.
        BatchFiles::make(f.source.path(), {".hidden.jpg"});
        QDir(f.source.path()).mkdir(QStringLiteral("inner"));
        f.select({"First", "Second"});

        QCOMPARE(f.env.dialogs.shown().size(), 2);
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList({".hidden.jpg", "inner"}));
        QCOMPARE(BatchFiles::all(f.album(QStringLiteral("First"))).size(), 60);
        QCOMPARE(BatchFiles::read(f.album(QStringLiteral("Second")), QStringLiteral("P1I0.JPG")),
                 names.at(60).toUtf8());
        QVERIFY(f.backAtTheList());
        QVERIFY(!f.list.list()->findItems(QStringLiteral("Second"), Qt::MatchExactly).isEmpty());
    }

    void albumNamesAndStartingPositions_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("landed");  // one file each, in order of name
        QTest::addColumn<QStringList>("messages");

        const QString pages = QStringLiteral("The page number must be between 1 and 10.");
        const QString pictures = QStringLiteral("The image number must be between 1 and 6.");
        QTest::newRow("page 10, picture 6, then no name")
            << QStringList{"Old", "10", "6", ""} << QStringList{"Old/P10I5.JPG", "src/IMG_02.bmp"}
            << QStringList{kGaveUp};
        QTest::newRow("pages and pictures out of range, not numbers, then none")
            << QStringList{"Old", "11", "0", "three", "2.5", "2", "7", "x", ""} << QStringList{"src/img_01.JPG"}
            << QStringList{pages, pages, pages, pages, pictures, pictures, kGaveUp};
        QTest::newRow("no page") << QStringList{"Old", ""} << QStringList{"src/img_01.JPG"} << QStringList{kGaveUp};
        QTest::newRow("name in other letters")
            << QStringList{"OLD", "1", "2"} << QStringList{"Old/P1I1.JPG"} << QStringList{};
        // The rules are those of creation.
        QTest::newRow("a name that cannot be an album") << QStringList{"a/b", "Good"} << QStringList{"Good/P1I0.JPG"}
                                                        << QStringList{AlbumName::problem("a/b").value()};
    }

    void albumNamesAndStartingPositions()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, landed);
        BatchFixture f;
        f.env.makeAlbum(QStringLiteral("Old"));
        const QStringList names = BatchFiles::numbered(int(landed.size()));
        BatchFiles::make(f.source.path(), names);
        // "Old" in any letters is asked whether to add to it.
        const bool existing = typed.first().compare(QLatin1String("Old"), Qt::CaseInsensitive) == 0;
        f.select(typed, existing ? QList<Answer>{Answer::Yes} : QList<Answer>{});

        for (int i = 0; i < landed.size(); ++i) {
            const QString where = landed.at(i).section(QLatin1Char('/'), 0, 0);
            const QString folder = where == QLatin1String("src") ? f.source.path() : f.album(where);
            QCOMPARE(BatchFiles::read(folder, landed.at(i).section(QLatin1Char('/'), 1)), names.at(i).toUtf8());
        }
        QTEST(f.messages(), "messages");
        QVERIFY(f.env.dialogs.allAnswered());
        QVERIFY(!f.env.dialogs.unexpected());
        QVERIFY(f.backAtTheList());
    }

    // Before Select, the window says how many pictures the folder open in the
    // list holds (hidden files and folders are not moved and not counted),
    // anew whenever another folder is opened or the window comes back.
    // Only what an album can show goes in. The rest stays where it was,
    // untouched, and the window says so: before Select, while moving, and
    // once the pictures are in.
    void aMixedFolderLeavesItsOtherFilesAndSaysSo()
    {
        BatchFixture f;
        const QString source = f.source.path();
        BatchFiles::make(source, {"a.jpg", "c.bmp"});
        BatchFiles::write(source, QStringLiteral("3d.mpo"), BatchFiles::jpegStart() + "mpo");
        BatchFiles::write(source, QStringLiteral("b.gif"), QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;"));
        BatchFiles::write(source, QStringLiteral("notes.txt"), QByteArray("not a picture"));
        QVERIFY(f.window.setFolder(source));
        QCOMPARE(f.child<QLabel>("lblFolderCount")->text(),
                 QStringLiteral("This folder holds 3 pictures; 2 other files will stay where they are."));

        QStringList whileMoving;
        f.onMoved([&] { whileMoving << f.child<QLabel>("lbl2")->text(); });
        f.select({QStringLiteral("Mixed")});
        QVERIFY(f.backAtTheList());
        QCOMPARE(QDir(f.album(QStringLiteral("Mixed"))).entryList(QDir::Files, QDir::Name),
                 QStringList({"P1I0.jpg", "P1I1.jpg", "P1I2.bmp"}));
        QCOMPARE(QDir(source).entryList(QDir::Files, QDir::Name), QStringList({"b.gif", "notes.txt"}));
        QCOMPARE(BatchFiles::readAll(source, QStringLiteral("notes.txt")), QByteArray("not a picture"));
        QVERIFY(!whileMoving.isEmpty());
        QVERIFY2(whileMoving.first().endsWith(QStringLiteral("are not JPEG or Windows bitmap pictures.")),
                 qPrintable(whileMoving.first()));
        QCOMPARE(f.messages().size(), 1);
        QCOMPARE(f.messages().first(),
                 QStringLiteral("The pictures are in the album.\r\n2 files stay in %1: 2 are not JPEG or Windows "
                                "bitmap pictures.")
                     .arg(QDir::toNativeSeparators(source)));
    }

    // A batch move killed part way (a power cut) left its hidden partial
    // copy in an album; opening the batch creator clears it away.
    void openingClearsWhatAKilledMoveLeft()
    {
        TestEnvironment env;
        const QString album = env.makeAlbum(QStringLiteral("Trip"));
        const QString stale = QDir(album).filePath(QStringLiteral(".P7I3.jpg.2f1c.kolumbra-part"));
        const QString picture = QDir(album).filePath(QStringLiteral("P7I2.jpg"));
        for (const QString &path : {stale, picture}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("part");
            file.flush();
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        env.owner().showBatchCreator();
        QVERIFY(!QFileInfo::exists(stale));
        QVERIFY(QFileInfo::exists(picture));
    }

    void theFolderOpenSaysHowManyPicturesItHolds()
    {
        BatchFixture f;
        const QDir source(f.source.path());
        BatchFiles::make(source.path(), {"a.jpg", "b.JPG", "c.bmp", ".hidden.jpg"});
        QVERIFY(source.mkdir(QStringLiteral("card")) && source.mkdir(QStringLiteral("empty")));
        BatchFiles::make(source.filePath(QStringLiteral("card")), {"d.jpg"});
        QVERIFY(f.window.setFolder(source.path()));
        auto *count = f.child<QLabel>("lblFolderCount");
        QVERIFY(count);
        QVERIFY(count->isVisible());
        QCOMPARE(count->text(), QStringLiteral("This folder holds 3 pictures."));

        // Opened from the folder list with a double click.
        auto *folders = f.child<QListWidget>("Dir1");
        const QList<QListWidgetItem *> card = folders->findItems(QStringLiteral("card"), Qt::MatchEndsWith);
        QCOMPARE(card.size(), 1);
        folders->scrollToItem(card.first());
        const QPoint at = folders->visualItemRect(card.first()).center();
        QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(f.window.folder(), source.filePath(QStringLiteral("card")));
        QCOMPARE(count->text(), QStringLiteral("This folder holds 1 picture."));

        QVERIFY(f.window.setFolder(source.filePath(QStringLiteral("empty"))));
        QCOMPARE(count->text(), QStringLiteral("This folder holds no pictures."));
        // Files that came while the window was away count when it is back.
        BatchFiles::make(source.filePath(QStringLiteral("empty")), {"e.jpg", "f.jpg"});
        f.window.activated();
        QCOMPARE(count->text(), QStringLiteral("This folder holds 2 pictures."));
    }

    void theProgramFolderIsNoSource()
    {
        BatchFixture f;
        f.window.setFolder(f.env.programFolder());
        const QStringList before = BatchFiles::all(f.env.programFolder());
        f.select();
        QVERIFY(f.messages().value(0).contains(QLatin1String("KoLumbra's own files")));
        QCOMPARE(BatchFiles::all(f.env.programFolder()), before);
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
            f.window.activated();
            f.window.cmdSelectFolder_Click();
            if (hiddenMeanwhile)
                QTest::keyClick(&f.window, Qt::Key_Escape);
        });
        f.select({"Old", "1", "1"}, {Answer::Yes});

        const QString old = f.album(QStringLiteral("Old"));
        QCOMPARE(BatchFiles::read(old, QStringLiteral("P1I3.jpg")), QByteArray("in the way"));
        QCOMPARE(BatchFiles::all(f.source.path()), QStringList({"d.jpg", "e.jpg"}));
        QCOMPARE(f.env.dialogs.shown().size(), 4 + int(hiddenMeanwhile));
        const QString told =
            QStringLiteral("d.jpg could not be moved into the album as P1I3.jpg.\r\nThe album has a file of that "
                           "name already.\r\nThe files before it are in the album; it and the files after it are "
                           "still in\r\n%1.\r\nPress Esc to close this window.")
                .arg(QDir::toNativeSeparators(f.source.path()));
        QCOMPARE(f.child<QLabel>("lbl2")->text(), told);
        // Unseen in a hidden window, the failure comes as a message.
        QCOMPARE(f.messages(), hiddenMeanwhile ? QStringList{told} : QStringList{});
        QCOMPARE(f.window.isVisible(), !hiddenMeanwhile);
    }

    // The failure is told whole, above the progress bar, with a long source
    // path on a line of its own: cut short in its middle, never wrapped, so
    // that its start and the folder's own name both show. The full text is
    // the label's tooltip.
    void aFailureFromADeepFolderIsToldWhole()
    {
        BatchFixture f;
        QString folder = f.source.path();
        for (const char *name : {"Pictures from the summer holiday by the sea",
                                 "Camera memory card copied on Sunday evening", "Grandmother's eightieth birthday"})
            folder += QLatin1Char('/') + QLatin1String(name);
        QVERIFY(QDir().mkpath(folder));
        BatchFiles::write(f.env.makeAlbum(QStringLiteral("Old")), QStringLiteral("P1I0.jpg"), "in the way");
        BatchFiles::make(folder, {"a.jpg"});
        QVERIFY(f.window.setFolder(folder));
        f.select({"Old", "1", "1"}, {Answer::Yes});
        QCOMPARE(BatchFiles::all(folder), QStringList{"a.jpg"});

        auto *label = f.child<QLabel>("lbl2");
        auto *bar = f.child<QProgressBar>("prgMoved");
        QVERIFY(label->isVisible());
        QVERIFY(bar->isVisible());
        QVERIFY(!label->geometry().intersects(bar->geometry()));
        QVERIFY(f.window.rect().contains(label->geometry()));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                 qPrintable(QStringLiteral("%1 pixels of text in %2")
                                .arg(label->heightForWidth(label->width()))
                                .arg(label->height())));

        const QStringList lines = label->text().split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(0), QStringLiteral("a.jpg could not be moved into the album as P1I0.jpg."));
        QCOMPARE(lines.at(4), QStringLiteral("Press Esc to close this window."));
        const QString path = lines.at(3);
        QVERIFY2(path.startsWith(QDir::toNativeSeparators(f.source.path()).left(4)), qPrintable(path));
        QVERIFY2(path.endsWith(QStringLiteral("Grandmother's eightieth birthday.")), qPrintable(path));
        QVERIFY2(path.contains(QChar(0x2026)), qPrintable(path));  // …
        QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(path) <= label->contentsRect().width(),
                 qPrintable(path));
        QVERIFY(label->toolTip().contains(QDir::toNativeSeparators(folder) + QLatin1Char('.')));
    }

    // While files move into a new album, its folder is named on one line,
    // cut short in its middle when it is long.
    void theNewAlbumIsNamedOnOneLineWhileFilesMove()
    {
        BatchFixture f;
        BatchFiles::make(f.source.path(), {"a.jpg"});
        const QString album = QStringLiteral(
            "Holiday in the mountains with the whole family and the dog in the summer of the long heat, second week");
        QStringList shown;
        auto *label = f.child<QLabel>("lbl2");
        f.onMoved([label, &shown](int) { shown = label->text().split(QStringLiteral("\r\n")); });
        f.select({album});
        QCOMPARE(BatchFiles::read(f.album(album), QStringLiteral("P1I0.jpg")), QByteArray("a.jpg"));
        QCOMPARE(shown.size(), 2);
        QVERIFY2(shown.at(0).startsWith(QStringLiteral("Moving pictures to /")), qPrintable(shown.at(0)));
        QVERIFY2(shown.at(0).endsWith(QStringLiteral("the long heat, second week")), qPrintable(shown.at(0)));
        QVERIFY2(shown.at(0).contains(QChar(0x2026)), qPrintable(shown.at(0)));  // …
        QVERIFY(QFontMetrics(label->font()).horizontalAdvance(shown.at(0)) <= label->contentsRect().width());
        QCOMPARE(shown.at(1), QStringLiteral("Please wait"));
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
