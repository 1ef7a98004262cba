#include "EditingFixture.h"

#include "albumpage/PictureFiles.h"
#include "support/TestMain.h"
#include "support/TrashFolder.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString write(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QImage filled(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace

// A picture replaced or deleted on the album page goes to the desktop's
// trash under its own name, so that a mistaken click can be undone.
class PictureTrashTest : public QObject
{
    Q_OBJECT

private slots:
    // The position's picture under every picture extension goes, and the new
    // bitmap is the position's only file.
    void replacedPicturesGoToTheTrash_data()
    {
        QTest::addColumn<QStringList>("held");  // the position's files before
        QTest::addColumn<bool>("pasted");       // written as a bitmap, else copied from a file
        QTest::newRow("bitmap copied over a bitmap") << QStringList{"P2I4.bmp"} << false;
        QTest::newRow("bitmap pasted over a JPEG") << QStringList{"P2I4.jpg"} << true;
        QTest::newRow("copied over all four names")
            << QStringList{"P2I4.BMP", "P2I4.JPG", "P2I4.bmp", "P2I4.jpg"} << false;
    }

    void replacedPicturesGoToTheTrash()
    {
        QFETCH(QStringList, held);
        QFETCH(bool, pasted);
        QTemporaryDir album;
        TrashFolder trash;
        QStringList originals;
        for (const QString &name : held)
            originals << write(album.filePath(name), "old " + name.toLatin1());
        write(album.filePath(QStringLiteral("P2I5.jpg")), "the neighbour");
        const QImage picture = filled(QSize(16, 8), Qt::red);
        QTemporaryDir elsewhere;
        const QString source = elsewhere.filePath(QStringLiteral("new.bmp"));
        QVERIFY(picture.save(source, "BMP"));

        const QString target = album.filePath(QStringLiteral("P2I4.bmp"));
        const PictureFiles::Result written =
            pasted ? PictureFiles::saveBitmap(picture, target) : PictureFiles::copyInto(source, target);
        QVERIFY2(written.ok, qPrintable(written.reason));

        QCOMPARE(QDir(album.path()).entryList(QDir::Files, QDir::Name), QStringList({"P2I4.bmp", "P2I5.jpg"}));
        QCOMPARE(QImage(target).size(), QSize(16, 8));
        QCOMPARE(trash.files(), held);
        originals.sort();
        QCOMPARE(trash.originalPaths(), originals);
        for (const QString &name : held)
            QCOMPARE(trash.contents(name), "old " + name.toLatin1());
    }

    // What could not be written replaces nothing; a link is written through,
    // as before, and stays.
    void onlyACompletePictureReplaces()
    {
        QTemporaryDir album;
        TrashFolder trash;
        write(album.filePath(QStringLiteral("P1I0.jpg")), "old jpeg");
        const QString target = album.filePath(QStringLiteral("P1I0.bmp"));
        write(target, "old bitmap");
        QVERIFY(!PictureFiles::saveBitmap(QImage(), target).ok);
        QVERIFY(!PictureFiles::copyInto(album.filePath(QStringLiteral("missing.bmp")), target).ok);
        QCOMPARE(QDir(album.path()).entryList(QDir::Files, QDir::Name), QStringList({"P1I0.bmp", "P1I0.jpg"}));
        QCOMPARE(contents(target), QByteArray("old bitmap"));
        QCOMPARE(trash.files(), QStringList());

        QTemporaryDir elsewhere;
        const QString linked = write(elsewhere.filePath(QStringLiteral("kept elsewhere.bmp")), "theirs");
        const QString link = album.filePath(QStringLiteral("P1I1.bmp"));
        QVERIFY(QFile::link(linked, link));
        QVERIFY(PictureFiles::saveBitmap(filled(QSize(4, 4), Qt::blue), link).ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QImage(linked).size(), QSize(4, 4));
        QCOMPARE(trash.files(), QStringList());
    }

    // On the album page: the paste is what the position shows, also once the
    // page is read again; the JPEG it replaced waits in the trash.
    void pasteOverAJpegShowsThePaste()
    {
        EditingFixture f;
        TrashFolder trash;
        const QString jpeg = f.env.putPicture(f.album, QStringLiteral("P1I2.jpg"), QSize(30, 20));
        QVERIFY(f.open());
        QApplication::clipboard()->setImage(filled(QSize(64, 40), Qt::green));
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        f.action("mnuFromClip")->trigger();
        QTest::mouseClick(f.form->grid().view(3), Qt::LeftButton);

        QCOMPARE(f.env.dialogs.lastText(), QStringLiteral("Are you sure you want to change the picture?"));
        QCOMPARE(f.albumFiles(), QStringList("P1I2.bmp"));
        QCOMPARE(trash.files(), QStringList("P1I2.jpg"));
        QCOMPARE(trash.originalPaths(), QStringList(jpeg));
        f.form->mnuP_Click(2);
        QTRY_COMPARE(f.form->grid().view(3)->path(), f.env.store.placeholderPath());
        f.form->mnuP_Click(1);
        QTRY_COMPARE(f.form->grid().view(3)->path(), f.file(QStringLiteral("P1I2.bmp")));
        QCOMPARE(f.form->grid().view(3)->naturalSize(), QSize(64, 40));
    }

    void deletedPictureGoesToTheTrash()
    {
        EditingFixture f;
        TrashFolder trash;
        const QString jpeg = f.env.putPicture(f.album, QStringLiteral("P2I0.jpg"), QSize(20, 20));
        const QString bitmap = f.env.putPicture(f.album, QStringLiteral("P2I0.bmp"), QSize(20, 20));
        const QByteArray jpegBytes = contents(jpeg);
        f.env.putPicture(f.album, QStringLiteral("P2I1.jpg"), QSize(20, 20));
        QVERIFY(f.open());
        f.form->mnuP_Click(2);
        f.action("mnuDelete")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(f.form->grid().view(1), Qt::LeftButton);

        QCOMPARE(f.albumFiles(), QStringList("P2I1.jpg"));
        QCOMPARE(trash.files(), QStringList({"P2I0.bmp", "P2I0.jpg"}));
        QCOMPARE(trash.originalPaths(), QStringList({bitmap, jpeg}));
        QCOMPARE(trash.contents(QStringLiteral("P2I0.jpg")), jpegBytes);
        QCOMPARE(f.env.dialogs.shown().size(), 1);  // the question, and no more
    }

    // No trash can be had: deleting deletes and replacing overwrites, as
    // they did before there was a trash.
    void withoutATrashAsBefore()
    {
        EditingFixture f;
        TrashFolder trash;
        trash.block();
        f.env.putPicture(f.album, QStringLiteral("P1I0.jpg"), QSize(20, 20));
        f.env.putPicture(f.album, QStringLiteral("P1I1.bmp"), QSize(20, 20));
        QVERIFY(f.open());
        f.action("mnuDelete")->trigger();
        f.env.dialogs.answer(Dialogs::Answer::Yes);
        QTest::mouseClick(f.form->grid().view(1), Qt::LeftButton);
        QCOMPARE(f.albumFiles(), QStringList("P1I1.bmp"));

        QVERIFY(PictureFiles::saveBitmap(filled(QSize(12, 6), Qt::yellow), f.file(QStringLiteral("P1I1.bmp"))).ok);
        QCOMPARE(f.albumFiles(), QStringList("P1I1.bmp"));
        QCOMPARE(QImage(f.file(QStringLiteral("P1I1.bmp"))).size(), QSize(12, 6));
        QCOMPARE(trash.files(), QStringList());
        QCOMPARE(f.env.dialogs.shown().size(), 1);
    }
};

KOLUMBRA_TEST(PictureTrashTest)
#include "PictureTrashTest.moc"
