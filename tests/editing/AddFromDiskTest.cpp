#include "EditingFixture.h"
#include "editing/ViewerPreview.h"
#include "support/TestMain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A folder of pictures to add from.
struct SourceFolder
{
    QTemporaryDir dir;
    QString add(const QString &name, const QSize &size, const char *format = "JPEG")
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        const QString path = dir.filePath(name);
        image.save(path, format);
        return path;
    }
};

void pick(dview &viewer, const QString &folder, const QString &file)
{
    viewer.setFolder(folder);
    viewer.File1_Click(file);
    viewer.Command2_Click();
}

} // namespace

class AddFromDiskTest : public QObject
{
    Q_OBJECT

private slots:
    void previewFitsTheSquare_data()
    {
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("upright") << QSize(300, 600) << QRectF(1053.75, 0, 2107.5, 4215);
        QTest::newRow("wide") << QSize(800, 400) << QRectF(0, 1053.75, 4215, 2107.5);
        QTest::newRow("square") << QSize(20, 20) << QRectF(0, 0, 4215, 4215);
    }

    void previewFitsTheSquare()
    {
        QFETCH(QSize, natural);
        QFETCH(QRectF, expected);
        QCOMPARE(ViewerPreview::fit(natural), expected);
    }

    void aJpegIsStoredUnderTheBitmapNameUnchanged()
    {
        EditingFixture f;
        SourceFolder source;
        const QString photo = source.add(QStringLiteral("holiday.JPG"), QSize(120, 80));
        QVERIFY(f.open());
        f.form->mnuP_Click(2);

        int listed = 0;
        f.whileViewerOpen([&](dview &v) {
            v.setFolder(source.dir.path());
            listed = int(v.files()->findItems(QStringLiteral("holiday.JPG"), Qt::MatchExactly).size());
            pick(v, source.dir.path(), QStringLiteral("holiday.JPG"));
        });
        f.action("mnuFromDisk")->trigger();
        QCOMPARE(listed, 1);
        QVERIFY(f.env.values.ImgAddOn);
        QCOMPARE(f.label(), QStringLiteral("Click on the empty position where you want to add the image."));
        QCOMPARE(f.editMenusEnabled(), all(false));

        // The viewer opens again after the placement, keeping its folder and choice.
        QString folderSeenAgain;
        f.whileViewerOpen([&](dview &v) {
            folderSeenAgain = v.folder();
            v.Command1_Click();
        });
        QTest::mouseClick(f.form->Image1(4), Qt::LeftButton);
        const QString stored = f.env.store.picturePath(QStringLiteral("Album"), 2, 4, QStringLiteral(".bmp"));
        QCOMPARE(contents(stored), contents(photo));
        QCOMPARE(f.form->Image1(4)->tag(), QStringLiteral("1"));
        QCOMPARE(f.form->Image1(4)->naturalSize(), QSize(120, 80));
        QCOMPARE(folderSeenAgain, source.dir.path());

        // "E&xit" ends adding and gives the menus back; the viewer starts afresh next time.
        QVERIFY(!f.env.values.ImgAddOn);
        QVERIFY(f.env.values.ViewerExited);
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(f.editing().viewer() == nullptr);
        QVERIFY(!f.form->instructionLabel()->isVisible());
    }

    void replaceQuestionAnswers()
    {
        EditingFixture f;
        SourceFolder source;
        source.add(QStringLiteral("new.jpg"), QSize(50, 100));
        const QString old = f.env.putPicture(QStringLiteral("Album"), 1, 1, QStringLiteral(".bmp"), QSize(100, 50));
        const QByteArray oldBytes = contents(old);
        QVERIFY(f.open());
        f.whileViewerOpen([&](dview &v) { pick(v, source.dir.path(), QStringLiteral("new.jpg")); });
        f.action("mnuFromDisk")->trigger();

        // No: the mode stays for another click.
        f.env.dialogs.answer(Dialogs::Answer::No);
        QTest::mouseClick(f.form->Image1(1), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.lastText(),
                 QStringLiteral("This page position allready has a image,\r\nare you sure that you want to change it?"));
        QCOMPARE(contents(old), oldBytes);
        QVERIFY(f.env.values.ImgAddOn);
        QVERIFY(!f.label().isEmpty());

        // Cancel: the mode ends, the menus stay grey until "Cancel Ed&iT".
        f.env.dialogs.answer(Dialogs::Answer::Cancel);
        QTest::mouseClick(f.form->Image1(1), Qt::LeftButton);
        QVERIFY(!f.env.values.ImgAddOn);
        QVERIFY(f.label().isEmpty());
        QCOMPARE(f.editMenusEnabled(), all(false));
        QCOMPARE(contents(old), oldBytes);
        f.action("mnuCancelEdit")->trigger();
        QCOMPARE(f.editMenusEnabled(), all(true));

        // Yes replaces; an empty position asks nothing.
        f.whileViewerOpen([&](dview &v) { v.Command2_Click(); });  // the same file again
        f.action("mnuFromDisk")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        f.whileViewerOpen([&](dview &v) { v.Command2_Click(); });
        QTest::mouseClick(f.form->Image1(1), Qt::LeftButton);
        QCOMPARE(f.form->Image1(1)->naturalSize(), QSize(50, 100));
        const int asked = f.env.dialogs.shown().size();
        f.whileViewerOpen([&](dview &v) { v.Command1_Click(); });
        QTest::mouseClick(f.form->Image1(2), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.shown().size(), asked);
        QCOMPARE(f.form->Image1(2)->tag(), QStringLiteral("1"));
        QVERIFY(f.env.dialogs.allAnswered());
    }

    void selectWithNothingChosenAsks()
    {
        EditingFixture f;
        QVERIFY(f.open());
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        f.env.dialogs.answer(Dialogs::Answer::No);
        bool stillOpen = false;
        f.whileViewerOpen([&](dview &v) {
            v.Command2_Click();
            stillOpen = v.isVisible();
            v.Command2_Click();  // No acts as "E&xit"
        });
        f.action("mnuFromDisk")->trigger();
        QVERIFY(stillOpen);
        QCOMPARE(f.env.dialogs.shown().first().text,
                 QStringLiteral("No picture has been selected.\r\nDo you want to select a picture?"));
        QVERIFY(!f.env.values.ImgAddOn);
        QCOMPARE(f.editMenusEnabled(), all(true));
        QVERIFY(f.editing().viewer() == nullptr);
    }

    void aFileThatIsNoPictureIsRefused()
    {
        EditingFixture f;
        SourceFolder source;
        QFile fake(source.dir.filePath(QStringLiteral("notes.jpg")));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("this is not a picture");
        fake.close();
        QVERIFY(f.open());
        bool refusedInViewer = false;
        f.whileViewerOpen([&](dview &v) {
            pick(v, source.dir.path(), QStringLiteral("notes.jpg"));
            refusedInViewer = v.isVisible();
            v.Command1_Click();
        });
        f.action("mnuFromDisk")->trigger();
        QVERIFY(refusedInViewer);
        QVERIFY(f.env.dialogs.lastText().contains(QStringLiteral("is not a picture")));
        // Placing it directly (as a drop would) is refused the same way.
        QVERIFY(!f.editing().DoImg(3, fake.fileName()));
        QCOMPARE(f.form->Image1(3)->tag(), QStringLiteral("0"));
        QVERIFY(QDir(f.env.store.albumFolder(QStringLiteral("Album"))).entryList(QDir::Files).isEmpty());
    }

    void rootFolderGetsNoDoubledSeparator()
    {
        EditingFixture f;
        QVERIFY(f.open());
        dview viewer(f.env.owner(), f.editing(), nullptr);
        viewer.setFolder(QStringLiteral("/"));
        viewer.File1_Click(QStringLiteral("picture.jpg"));
        QCOMPARE(viewer.selectedPath(), QStringLiteral("/picture.jpg"));
        viewer.setFolder(QDir::tempPath());
        viewer.File1_Click(QStringLiteral("x.jpg"));
        QCOMPARE(viewer.selectedPath(), QDir(QDir::tempPath()).filePath(QStringLiteral("x.jpg")));
        QVERIFY(viewer.drives()->count() >= 1);
        QCOMPARE(viewer.drives()->itemData(0).toString(), QDir::homePath());
    }

    void fileListMatchesPatternsIgnoringCase()
    {
        SourceFolder source;
        for (const char *name : {"a.JPG", "b.jpeg", "c.PNG", "d.bmp", "e.txt", "f.Gif", "g.tiff"})
            source.add(QLatin1String(name), QSize(4, 4), "BMP");
        QCOMPARE(dview::pictureFiles(source.dir.path()),
                 QStringList({"a.JPG", "b.jpeg", "c.PNG", "d.bmp", "f.Gif"}));
    }

    void aFailedCopyKeepsTheOldPicture()
    {
        EditingFixture f;
        SourceFolder source;
        const QString photo = source.add(QStringLiteral("new.jpg"), QSize(30, 60));
        const QString old = f.env.putPicture(QStringLiteral("Album"), 1, 5, QStringLiteral(".jpg"), QSize(60, 30));
        // The bitmap name is taken by a folder: nothing can be written there.
        QDir().mkpath(f.env.store.picturePath(QStringLiteral("Album"), 1, 5, QStringLiteral(".bmp")));
        QVERIFY(f.open());
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        QVERIFY(!f.editing().DoImg(5, photo));
        QVERIFY(f.env.dialogs.lastText().startsWith(QStringLiteral("The picture could not be added to the album.")));
        QCOMPARE(f.form->Image1(5)->path(), old);
        QCOMPARE(f.form->Image1(5)->naturalSize(), QSize(60, 30));
        QCOMPARE(QDir(f.env.store.albumFolder(QStringLiteral("Album"))).entryList(QDir::Files),
                 QStringList(QStringLiteral("P1I4.jpg")));
    }

    void aDroppedFileIsPlacedLikeOneFromDisk()
    {
        EditingFixture f;
        SourceFolder source;
        const QString photo = source.add(QStringLiteral("dropped.jpg"), QSize(70, 50));
        QVERIFY(f.open());
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(photo)});
        PictureView *target = f.form->Image1(6);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &drop);
        const QString stored = f.env.store.picturePath(QStringLiteral("Album"), 1, 6, QStringLiteral(".bmp"));
        QCOMPARE(contents(stored), contents(photo));
        QCOMPARE(f.form->Image1(6)->tag(), QStringLiteral("1"));

        // Over a picture it asks first; No keeps it.
        const QString other = source.add(QStringLiteral("other.jpg"), QSize(10, 10));
        data.setUrls({QUrl::fromLocalFile(other)});
        f.env.dialogs.answer(Dialogs::Answer::No);
        QDropEvent again(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(target, &again);
        QCOMPARE(contents(stored), contents(photo));
    }
};

KOLUMBRA_TEST(AddFromDiskTest)
#include "AddFromDiskTest.moc"
