#include "Bench.h"
#include "BenchPage.h"
#include "BenchPictures.h"

#include "albumpage/AlbumPageWindow.h"
#include "albums/AlbumListWindow.h"
#include "display/PictureWindow.h"
#include "support/TestEnvironment.h"
#include "widgets/PictureView.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAlbum = QStringLiteral("Big");

// One run of vipsthumbnail over the files, 160-pixel thumbnails, in one process.
double vipsThumbnailMs(const QString &vips, const QStringList &files, const QString &outDir)
{
    QElapsedTimer t;
    t.start();
    QProcess p;
    p.start(vips,
            QStringList{QStringLiteral("-s"), QStringLiteral("160"), QStringLiteral("-o"),
                        outDir + QStringLiteral("/%s.jpg")}
                + files);
    p.waitForFinished(-1);
    return t.nsecsElapsed() / 1e6;
}

void pageFigures()
{
    const QStringList files = BenchPictures::photos(6, QSize(6000, 4000));
    TestEnvironment env(QSize(1920, 1080));
    env.session.screenRatio = 3.0;
    for (int n = 1; n <= 6; ++n) {
        env.putFile(kAlbum, QStringLiteral("P1I%1.jpg").arg(n - 1), files.at(n - 1));
        env.putFile(kAlbum, QStringLiteral("P2I%1.jpg").arg(n - 1), files.at(6 - n));
    }
    AlbumPageWindow *form = env.openAlbum(kAlbum);
    if (!form) {
        Bench::report(QStringLiteral("page_load_failed"), 1, QStringLiteral("flag"));
        return;
    }

    // A fresh album page each time, with the desktop's thumbnail cache
    // empty: a first visit. The programs take turns, so that whatever else
    // the machine does weighs on all alike.
    const QString vips = QStandardPaths::findExecutable(QStringLiteral("vipsthumbnail"));
    QTemporaryDir out;
    std::vector<double> ours;
    std::vector<double> theirs;
    std::vector<double> gdk;
    for (int i = 0; i < 7; ++i) {
        ours.push_back(BenchPage::coldLoadMs(env));
        if (!vips.isEmpty())
            theirs.push_back(vipsThumbnailMs(vips, files, out.path()));
        if (const double ms = BenchPage::gdkPixbufMs(files); ms > 0)
            gdk.push_back(ms);
    }
    const double pageMs = Bench::median(ours);
    Bench::report(QStringLiteral("page_load_6x24MP_ms"), pageMs, QStringLiteral("ms"));
    if (!gdk.empty()) {
        const double gdkMs = Bench::median(gdk);
        Bench::report(QStringLiteral("gdk_pixbuf_thumbnailer_6x24MP_ms"), gdkMs, QStringLiteral("ms"));
        Bench::report(QStringLiteral("page_load_vs_gdk_pixbuf"), pageMs / gdkMs, QStringLiteral("ratio"));
    }
    if (!theirs.empty()) {
        const double vipsMs = Bench::median(theirs);
        Bench::report(QStringLiteral("vipsthumbnail_6x24MP_ms"), vipsMs, QStringLiteral("ms"));
        Bench::report(QStringLiteral("page_load_vs_vipsthumbnail"), pageMs / vipsMs, QStringLiteral("ratio"));
    }

    // Back to the page just seen.
    form->mnuP_Click(2);
    form->mnuP_Click(1);
    const double backMs = Bench::medianMs(
        7, [form] { form->mnuP_Click(1); }, [form] { form->mnuP_Click(2); });
    Bench::report(QStringLiteral("page_return_ms"), backMs, QStringLiteral("ms"));

    // A thumbnail to the picture shown large on a 1920 x 1080 screen.
    PictureWindow &display = env.owner().pictureWindow();
    std::vector<double> large;
    for (int i = 0; i < 5; ++i) {
        const int k = 1 + i % 6;
        QElapsedTimer t;
        t.start();
        form->thumbnailClicked(k);
        large.push_back(t.nsecsElapsed() / 1e6);
        display.mnuBack_Click();
    }
    Bench::report(QStringLiteral("thumbnail_to_large_1920x1080_ms"), Bench::median(large), QStringLiteral("ms"));
    Bench::report(QStringLiteral("large_picture_window_width_px"), display.image()->width(), QStringLiteral("px"));
}

void memoryFigure()
{
    const QStringList files = BenchPictures::photos(6, QSize(6000, 4000));
    TestEnvironment env;
    for (int n = 1; n <= 6; ++n)
        env.putFile(kAlbum, QStringLiteral("P1I%1.jpg").arg(n - 1), files.at(n - 1));
    env.owner().albumPage();
    QTest::qWait(50);
    const double idle = BenchPictures::residentMiB();
    BenchPictures::resetPeak();
    AlbumPageWindow *form = env.openAlbum(kAlbum);
    if (!form)
        return;
    QTest::qWait(50);
    Bench::report(QStringLiteral("page_peak_memory_above_idle_MiB"), BenchPictures::peakResidentMiB() - idle,
                  QStringLiteral("MiB"));
}

void albumListFigure()
{
    TestEnvironment env;
    for (int i = 0; i < 1000; ++i)
        env.makeAlbum(QStringLiteral("Album number %1").arg(i));
    AlbumListWindow &list = env.owner().albumList();
    list.show();
    const double ms = Bench::medianMs(5, [&] { list.refillList(); });
    Bench::report(QStringLiteral("album_list_1000_fill_ms"), ms, QStringLiteral("ms"));
}

}  // namespace

KOLUMBRA_BENCH(PageMemory, memoryFigure)
KOLUMBRA_BENCH(PageLoad, pageFigures)
KOLUMBRA_BENCH(AlbumList, albumListFigure)
