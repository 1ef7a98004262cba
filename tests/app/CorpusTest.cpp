#include "albumpage/AlbumPageWindow.h"
#include "albumpage/EditController.h"
#include "albumpage/PictureFilePicker.h"
#include "albumpage/ThumbnailGrid.h"
#include "display/PictureWindow.h"
#include "pictureinfo/RecordPicture.h"
#include "slideshow/SlideOrder.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"
#include "widgets/PictureView.h"

#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>

namespace {

// Every picture anyone gave us, good and bad (headers claiming 60000 x 60000
// pixels among them), text files, and a few pictures made bad on purpose.
QStringList corpus(const QTemporaryDir &scratch)
{
    QStringList files;
    const QString crashers = QStringLiteral(KOLUMBRA_CRASHERS);
    for (const QString &root : {TestEnvironment::testData(QString()), crashers}) {
        QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    QFile photo(TestEnvironment::deliveredData(QStringLiteral("P1I0.jpg")));
    photo.open(QIODevice::ReadOnly);
    const QByteArray jpeg = photo.readAll();
    const QList<QPair<const char *, QByteArray>> made{
        {"empty.jpg", QByteArray()},
        {"half.jpg", jpeg.left(jpeg.size() / 2)},
        {"bitflip.jpg", QByteArray(jpeg).replace(2000, 64, QByteArray(64, '\xff'))}};
    for (const auto &[name, bytes] : made) {
        QFile f(scratch.filePath(QLatin1String(name)));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        files << f.fileName();
    }
    return files;
}

}  // namespace

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
        const auto album = [](int number) { return QStringLiteral("Corpus %1").arg(number); };
        for (int i = 0; i < files.size(); ++i)
            env.putFile(album(i / 60),
                        QStringLiteral("P%1I%2%3")
                            .arg(i % 60 / 6 + 1)
                            .arg(i % 6)
                            .arg(i % 2 ? QStringLiteral(".jpg") : QStringLiteral(".bmp")),
                        files.at(i));

        int shown = 0;
        for (int a = 0; a * 60 < files.size(); ++a) {
            AlbumPageWindow *form = env.openAlbum(album(a));
            QVERIFY(form);
            const auto slides = SlideOrder::screenLoader(env.store, album(a), QSize(1920, 1080), 1.0);
            for (int page = 1; page <= 10; ++page) {
                form->mnuP_Click(page);
                for (int n = 1; n <= 6; ++n) {
                    QVERIFY(form->grid().view(n)->hasPicture());
                    const bool filled = form->grid().isFilled(n);
                    shown += filled ? 1 : 0;
                    form->thumbnailClicked(n);
                    PictureWindow &display = env.owner().pictureWindow();
                    QVERIFY(display.image()->hasPicture());
                    display.mnuBack_Click();

                    // The slideshow and the database browser see the same picture, or none.
                    QCOMPARE(!slides({page, n}).isNull(), filled);
                    const QStringList candidates =
                        RecordPicture::candidates(env.store, album(a), QString::number(page), QString::number(n));
                    QCOMPARE(!RecordPicture::load(candidates, QSize(183, 183)).isNull(), filled);
                }
            }
        }
        QVERIFY(shown > 100);

        // The graphics viewer previews every file where it lies.
        PictureFilePicker viewer(env.owner().context(), env.owner(), env.owner().albumPage().editing(), nullptr);
        for (const QString &file : files) {
            viewer.setFolder(QFileInfo(file).path());
            viewer.File1_Click(QFileInfo(file).fileName());
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY2(usage.ru_maxrss < 1500 * 1024, "memory ran away on a picture");
    }
};

KOLUMBRA_TEST(CorpusTest)
#include "CorpusTest.moc"
