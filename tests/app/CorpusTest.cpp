#include "albumview/Form1.h"
#include "display/frmDisplayPicture.h"
#include "editing/EditController.h"
#include "editing/dview.h"
#include "pictureinfo/RecordPicture.h"
#include "platform/PictureView.h"
#include "slideshow/SlideOrder.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Every picture anyone gave us, good and bad, and a few made bad on purpose.
QStringList corpus(const QTemporaryDir &scratch)
{
    QStringList files;
    for (const QString &root : {TestEnvironment::testData(QString()), QStringLiteral(KOLUMBRA_CRASHERS)}) {
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    auto make = [&scratch, &files](const char *name, const QByteArray &bytes) {
        QFile f(scratch.filePath(QLatin1String(name)));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        files << f.fileName();
    };
    QFile photo(TestEnvironment::deliveredData(QStringLiteral("P1I0.jpg")));
    photo.open(QIODevice::ReadOnly);
    const QByteArray jpeg = photo.readAll();
    make("empty.jpg", QByteArray());
    make("words.bmp", "this is a letter, not a picture");
    make("half.jpg", jpeg.left(jpeg.size() / 2));
    make("head-only.jpg", jpeg.left(600));
    make("tail-only.jpg", jpeg.mid(600));
    make("bitflip.jpg", QByteArray(jpeg).replace(2000, 64, QByteArray(64, '\xff')));
    return files;
}

double peakMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines)
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

} // namespace

class CorpusTest : public QObject
{
    Q_OBJECT

private slots:
    void everyWindowSurvivesEveryPicture()
    {
        QTemporaryDir scratch;
        const QStringList files = corpus(scratch);
        QVERIFY(files.size() > 200);
        TestEnvironment env;
        // Sixty positions an album; bitmap and JPEG names taken in turn, since
        // the name never decides how a file is read.
        QStringList albums;
        for (int i = 0; i < files.size(); ++i) {
            const QString album = QStringLiteral("Corpus %1").arg(i / 60);
            if (!albums.contains(album))
                albums << album;
            const int position = i % 60;
            env.putFile(album, position / 6 + 1, position % 6 + 1,
                        i % 2 ? QStringLiteral(".jpg") : QStringLiteral(".bmp"), files.at(i));
        }

        int shown = 0;
        for (const QString &album : albums) {
            Form1 *form = env.openAlbum(album);
            QVERIFY(form);
            const SlideOrder::Loader slides = SlideOrder::screenLoader(env.store, album, QSize(1920, 1080), 1.0);
            for (int page = 1; page <= 10; ++page) {
                form->mnuP_Click(page);
                for (int n = 1; n <= 6; ++n) {
                    PictureView *thumb = form->Image1(n);
                    QVERIFY(thumb->hasPicture());
                    const bool filled = thumb->tag() == QLatin1String("1");
                    shown += filled ? 1 : 0;

                    // Large, and back.
                    form->Image1_Click(n);
                    frmDisplayPicture &display = env.owner().pictureWindow();
                    QVERIFY(display.image()->hasPicture());
                    display.mnuBack_Click();

                    // The slideshow and the database browser see the same picture, or none.
                    const DecodedPicture slide = slides({page, n});
                    QCOMPARE(!slide.isNull(), filled);
                    const QStringList candidates = RecordPicture::candidates(
                        env.store, album, QString::number(page), QString::number(n));
                    QCOMPARE(!RecordPicture::load(candidates, QSize(183, 183)).isNull(), filled);
                }
            }
        }
        QVERIFY(shown > 100);

        // The viewer previews every file where it lies.
        Form1 *form = env.openAlbum(albums.first());
        QVERIFY(form);
        dview viewer(env.owner(), form->editing(), nullptr);
        QStringList folders;
        for (const QString &file : files)
            if (!folders.contains(QFileInfo(file).path()))
                folders << QFileInfo(file).path();
        for (const QString &folder : folders) {
            viewer.setFolder(folder);
            for (const QString &name : QDir(folder).entryList(QDir::Files))
                viewer.File1_Click(name);
        }
        QVERIFY2(peakMiB() < 1500, "memory ran away on a picture");
    }
};

KOLUMBRA_TEST(CorpusTest)
#include "CorpusTest.moc"
