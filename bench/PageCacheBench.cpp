#include "Bench.h"
#include "BenchPage.h"
#include "BenchPictures.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumstore/DesktopThumbnails.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kAlbum = QStringLiteral("Big");
const char *const kChildFolder = "KOLUMBRA_BENCH_CHILD_FOLDER";
const char *const kChildCache = "KOLUMBRA_BENCH_CHILD_CACHE";

// The page as on the 1920 x 1080 screen of the page figures.
void prepare(TestEnvironment &env)
{
    env.session.screenRatio = 3.0;
    env.session.album = kAlbum;
    env.session.page = 1;
    env.owner();
}

// One later start of the program: a process of its own, on the program
// folder and the cache an earlier one filled; prints its first page's time.
void childFigure()
{
    const QString folder = qEnvironmentVariable(kChildFolder);
    if (folder.isEmpty())
        return;
    TestEnvironment env(folder, QSize(1920, 1080));
    qputenv("XDG_CACHE_HOME", qgetenv(kChildCache));
    prepare(env);
    Bench::report(QStringLiteral("child_first_page_ms"), BenchPage::freshLoadMs(env), QStringLiteral("ms"));
}

double laterStartMs(const TestEnvironment &env)
{
    QProcess child;
    QProcessEnvironment vars = QProcessEnvironment::systemEnvironment();
    vars.insert(QString::fromLatin1(kChildFolder), env.programFolder());
    vars.insert(QString::fromLatin1(kChildCache), env.cacheFolder());
    child.setProcessEnvironment(vars);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("PageCacheChild")});
    child.waitForFinished(-1);
    const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("child_first_page_ms "))
            return line.split(' ').value(1).toDouble();
    }
    return -1;
}

void cacheFigures()
{
    const QStringList files = BenchPictures::photos(6, QSize(6000, 4000));
    TestEnvironment env(QSize(1920, 1080));
    for (int n = 1; n <= 6; ++n)
        env.putFile(kAlbum, QStringLiteral("P1I%1.jpg").arg(n - 1), files.at(n - 1));
    prepare(env);

    // A first visit with the cache to fill and with no cache at all, taking
    // turns; and how long the thumbnails take to write once the page is up.
    QTemporaryDir blocked;
    const QString blocker = blocked.filePath(QStringLiteral("file"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const QByteArray usable = qgetenv("XDG_CACHE_HOME");
    std::vector<double> filling;
    std::vector<double> without;
    std::vector<double> writing;
    for (int i = 0; i < 7; ++i) {
        env.emptyThumbnailCache();
        filling.push_back(BenchPage::freshLoadMs(env));
        QElapsedTimer t;
        t.start();
        DesktopThumbnails::waitForWrites();
        writing.push_back(t.nsecsElapsed() / 1e6);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(blocker + QStringLiteral("/cache")));
        without.push_back(BenchPage::freshLoadMs(env));
        qputenv("XDG_CACHE_HOME", usable);
    }
    const double fillingMs = Bench::median(filling);
    const double withoutMs = Bench::median(without);
    Bench::report(QStringLiteral("page_load_cache_unusable_ms"), withoutMs, QStringLiteral("ms"));
    Bench::report(QStringLiteral("page_load_filling_cache_ms"), fillingMs, QStringLiteral("ms"));
    Bench::report(QStringLiteral("cache_write_cost_ms"), fillingMs - withoutMs, QStringLiteral("ms"));
    Bench::report(QStringLiteral("cache_writes_after_page_ms"), Bench::median(writing), QStringLiteral("ms"));

    // The cache now holds the page.
    Bench::report(QStringLiteral("page_from_cache_ms"), Bench::medianMs(7, [&env] { BenchPage::freshLoadMs(env); }),
                  QStringLiteral("ms"));
    std::vector<double> later;
    for (int i = 0; i < 5; ++i)
        later.push_back(laterStartMs(env));
    Bench::report(QStringLiteral("page_from_cache_after_restart_ms"), Bench::median(later), QStringLiteral("ms"));
}

}  // namespace

KOLUMBRA_BENCH(PageCache, cacheFigures)
KOLUMBRA_BENCH(PageCacheChild, childFigure)
