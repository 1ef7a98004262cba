#include "Bench.h"
#include "BenchPage.h"
#include "BenchPictures.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumstore/PictureLoader.h"
#include "slideshow/SlideFit.h"
#include "support/OddPictures.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>

// Files whose headers claim far more than their data holds (gigapixel JPEGs
// and bitmaps of a few hundred bytes), each taken the ways the windows take a
// picture: the album page, the picture shown large and in the slideshow on a
// 1920 x 1080 screen, the database browser, and the whole picture for the
// clipboard. Every one must be refused (or shown) fast and without the
// memory its header asks for.
namespace {

const QString kAlbum = QStringLiteral("Odd");
const QSize kScreen(1920, 1080);

struct Way
{
    const char *name;
    PictureLoader::TargetSize target;
};

void hostileFigures()
{
    TestEnvironment env(kScreen);
    env.putPicture(kAlbum, QStringLiteral("P1I1.jpg"), QSize(640, 480));
    AlbumPageWindow *form = env.openAlbum(kAlbum);
    if (!form) {
        Bench::report(QStringLiteral("hostile_header_page_failed"), 1, QStringLiteral("flag"));
        return;
    }
    const std::vector<Way> ways{
        {"large", [](const QSize &n) { return PictureLoader::fittedSize(n, QSize(1614, 1000)); }},
        {"slideshow", [](const QSize &n) { return SlideFit::slideRect(n, kScreen).size(); }},
        {"browser", [](const QSize &n) { return PictureLoader::fittedSize(n, QSize(183, 183)); }},
        {"whole", {}},
    };
    const QList<OddPictures::Named> files = OddPictures::hostileHeaders();
    for (const OddPictures::Named &file : files)
        OddPictures::write(env.store.picturePath(kAlbum, 1, 1, QStringLiteral(".jpg")) + file.name, file.bytes);
    QTest::qWait(50);

    const double idle = BenchPictures::residentMiB();
    BenchPictures::resetPeak();
    double worst = 0;
    QString worstName;
    int shown = 0;
    for (const OddPictures::Named &file : files) {
        const QString path = env.store.picturePath(kAlbum, 1, 1, QStringLiteral(".jpg"));
        QFile::remove(path);
        QFile::rename(path + file.name, path);
        const auto note = [&](double ms, const char *way) {
            if (ms > worst) {
                worst = ms;
                worstName = file.name + QLatin1Char(' ') + QLatin1String(way);
            }
        };
        note(BenchPage::coldLoadMs(env), "page");
        for (const Way &way : ways) {
            QElapsedTimer t;
            t.start();
            const DecodedPicture picture = PictureLoader::decode(path, way.target);
            note(t.nsecsElapsed() / 1e6, way.name);
            shown += picture.isNull() ? 0 : 1;
        }
        const DecodedPicture largest = PictureLoader::decodeLargest(path);
        shown += largest.isNull() ? 0 : 1;
    }
    const double peak = BenchPictures::peakResidentMiB() - idle;
    std::printf("# slowest: %s\n", qPrintable(worstName));
    Bench::report(QStringLiteral("hostile_header_refuse_ms"), worst, QStringLiteral("ms"));
    Bench::report(QStringLiteral("hostile_header_peak_MiB"), peak, QStringLiteral("MiB"));
    Bench::report(QStringLiteral("hostile_header_shown"), shown, QStringLiteral("files"));
}

}  // namespace

KOLUMBRA_BENCH(HostileHeaders, hostileFigures)
