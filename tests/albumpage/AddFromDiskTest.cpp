#include "EditingFixture.h"
#include "albumpage/ViewerPreview.h"
#include "support/TestMain.h"

#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

namespace {

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

void drop(PictureView *target, const QString &file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(target, &dropped);
}

}  // namespace

class AddFromDiskTest : public QObject
{
    Q_OBJECT

private slots:
    // The file goes in byte for byte under the ".bmp" name; the viewer opens
    // again after each placement until "E&xit"; a filled position asks first.
    void placingAndReplacing()
    {
        EditingFixture f;
        SourceFolder source;
        const QString photo = source.add(QStringLiteral("holiday.JPG"), QSize(120, 80));
        const QString old = f.env.putPicture(f.album, QStringLiteral("P2I0.bmp"), QSize(100, 50));
        const QByteArray oldBytes = contents(old);
        QVERIFY(f.open());
        f.form->mnuP_Click(2);
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        bool stillOpen = false;
        f.whileViewerOpen([&](PictureFilePicker &v) {
            v.selectClicked();  // nothing chosen yet: asked, and Yes keeps the viewer
            stillOpen = v.isVisible();
            v.setFolder(source.dir.path());
            v.File1_Click(QStringLiteral("holiday.JPG"));
            v.selectClicked();
        });
        f.action("mnuFromDisk")->trigger();
        QVERIFY(stillOpen);
        QCOMPARE(f.env.dialogs.lastText(),
                 QStringLiteral("No picture has been selected.\r\nDo you want to select a picture?"));
        QVERIFY(f.editMenus(false));

        f.whileViewerOpen([](PictureFilePicker &v) { v.selectClicked(); });  // the same file again
        QTest::mouseClick(f.form->grid().view(4), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.shown().size(), 1);  // an empty position asks nothing
        QCOMPARE(contents(f.file(QStringLiteral("P2I3.bmp"))), contents(photo));

        // No keeps the mode for another click; so does Cancel, and the
        // instruction says how to go on. Neither touches the file.
        f.env.dialogs.answer(Dialogs::Answer::No);
        QTest::mouseClick(f.form->grid().view(1), Qt::LeftButton);
        QCOMPARE(f.env.dialogs.lastText(),
                 QStringLiteral("This page position allready has a image,\r\n"
                                "are you sure that you want to change it?"));
        QCOMPARE(f.editing().mode(), EditMode::AddFromDisk);
        f.env.dialogs.answer(Dialogs::Answer::Cancel);
        QTest::mouseClick(f.form->grid().view(1), Qt::LeftButton);
        QCOMPARE(f.editing().mode(), EditMode::AddFromDisk);
        QCOMPARE(f.label(), QStringLiteral("Click another position, or end with Edit, Cancel EdiT."));
        QVERIFY(f.editMenus(false));
        QCOMPARE(contents(old), oldBytes);
        f.action("mnuCancelEdit")->trigger();
        QCOMPARE(f.editing().mode(), EditMode::None);
        QVERIFY(f.editMenus(true));

        // Yes replaces; "E&xit" in the viewer opened again ends adding.
        f.whileViewerOpen([&](PictureFilePicker &v) { v.selectClicked(); });
        f.action("mnuFromDisk")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        f.whileViewerOpen([](PictureFilePicker &) {});
        QTest::mouseClick(f.form->grid().view(1), Qt::LeftButton);
        QCOMPARE(contents(old), contents(photo));
        QCOMPARE(f.form->grid().view(1)->naturalSize(), QSize(120, 80));
        QCOMPARE(f.editing().mode(), EditMode::None);
        QVERIFY(f.editMenus(true));
        QVERIFY(f.env.dialogs.allAnswered());
    }

    // The viewer opens beside the page, where the screen has room, and
    // comes back there after a placement: every position stays in sight.
    void viewerLeavesThePageInSight()
    {
        EditingFixture f;
        f.env.screen.size = QSize(1920, 1080);
        QVERIFY(f.open());
        f.form->move(100, 100);
        SourceFolder source;
        source.add(QStringLiteral("a.jpg"), QSize(40, 30));
        QList<QRect> seen;
        f.whileViewerOpen([&](PictureFilePicker &v) {
            seen << v.frameGeometry();
            v.setFolder(source.dir.path());
            v.File1_Click(QStringLiteral("a.jpg"));
            v.selectClicked();
        });
        f.action("mnuFromDisk")->trigger();
        f.whileViewerOpen([&](PictureFilePicker &v) { seen << v.frameGeometry(); });
        QTest::mouseClick(f.form->grid().view(2), Qt::LeftButton);
        QCOMPARE(seen.size(), 2);
        for (const QRect &viewer : std::as_const(seen)) {
            QVERIFY2(!viewer.intersects(f.form->frameGeometry()), "the viewer covers the page");
            QVERIFY(QRect(0, 0, 1920, 1080).contains(viewer));
        }
    }

    void viewerOffersPicturesOfAnyCaseAndFitsThePreview()
    {
        EditingFixture f;
        QVERIFY(f.open());
        PictureFilePicker viewer(f.env.owner().context(), f.env.owner(), f.editing(), nullptr);
        viewer.setFolder(QStringLiteral("/"));
        viewer.File1_Click(QStringLiteral("picture.jpg"));
        QCOMPARE(viewer.selectedPath(), QStringLiteral("/picture.jpg"));

        SourceFolder source;
        for (const char *name : {"a.JPG", "b.jpeg", "c.PNG", "d.bmp", "e.txt", "f.Gif", "g.tiff"})
            source.add(QLatin1String(name), QSize(4, 4), "BMP");
        QCOMPARE(PictureFilePicker::pictureFiles(source.dir.path()),
                 QStringList({"a.JPG", "b.jpeg", "c.PNG", "d.bmp", "f.Gif"}));

        QCOMPARE(ViewerPreview::fit(QSize(300, 600)), QRectF(1053.75, 0, 2107.5, 4215));
        QCOMPARE(ViewerPreview::fit(QSize(800, 400)), QRectF(0, 1053.75, 4215, 2107.5));
        QCOMPARE(ViewerPreview::fit(QSize(20, 20)), QRectF(0, 0, 4215, 4215));
    }

    // A file dropped on a thumbnail is placed as one from disk: a file that is
    // no picture is refused, a picture copied unchanged; a copy that cannot be
    // written keeps the old picture and says so.
    void droppedFiles()
    {
        EditingFixture f;
        SourceFolder source;
        QFile fake(source.dir.filePath(QStringLiteral("notes.jpg")));
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("this is not a picture");
        fake.close();
        const QString photo = source.add(QStringLiteral("dropped.jpg"), QSize(70, 50));
        const QString old = f.env.putPicture(f.album, QStringLiteral("P1I4.jpg"), QSize(60, 30));
        QDir().mkpath(f.file(QStringLiteral("P1I4.bmp")));  // the bitmap name is taken by a folder
        QVERIFY(f.open());
        drop(f.form->grid().view(6), fake.fileName());
        QVERIFY(f.env.dialogs.lastText().contains(QStringLiteral("is not a picture")));
        QCOMPARE(f.albumFiles(), QStringList(QStringLiteral("P1I4.jpg")));
        drop(f.form->grid().view(6), photo);
        QCOMPARE(contents(f.file(QStringLiteral("P1I5.bmp"))), contents(photo));

        f.env.dialogs.answer(Dialogs::Answer::Yes);
        drop(f.form->grid().view(5), photo);
        QVERIFY(f.env.dialogs.lastText().startsWith(QStringLiteral("The picture could not be added to the album.")));
        QCOMPARE(f.form->grid().view(5)->path(), old);
        QCOMPARE(f.form->grid().view(5)->naturalSize(), QSize(60, 30));
        QCOMPARE(f.albumFiles(), QStringList({"P1I4.jpg", "P1I5.bmp"}));
    }
};

KOLUMBRA_TEST(AddFromDiskTest)
#include "AddFromDiskTest.moc"
