#include "Bench.h"
#include "BenchPictures.h"

#include "slideshow/SlideOrder.h"
#include "slideshow/SlideshowAlbumChooser.h"
#include "slideshow/SlideshowPlayer.h"
#include "slideshow/SlideshowWindow.h"
#include "support/TestEnvironment.h"
#include "widgets/PictureView.h"

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <ctime>

namespace {

const QString kAlbum = QStringLiteral("Camera");
const QSize kScreen(1920, 1080);
const QSize kPhoto(6000, 4000);

// Notes when the picture control has finished painting.
class PaintClock : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        watched->event(event);
        painted = true;
        return true;
    }
};

double waitForPaint(PaintClock &clock, const QElapsedTimer &since)
{
    if (!QTest::qWaitFor([&clock] { return clock.painted; }, 20000))
        return -1;
    return since.nsecsElapsed() / 1e6;
}

void slideshowBench()
{
    TestEnvironment env(kScreen);
    const QStringList photos = BenchPictures::photos(6, kPhoto);
    qint64 bytes = 0;
    for (int k = 1; k <= 6; ++k)
        bytes += QFileInfo(env.putFile(kAlbum, QStringLiteral("P1I%1.jpg").arg(k - 1), photos.at(k - 1))).size();
    Bench::report(QStringLiteral("slideshow.photo_file_size"), bytes / 6.0 / (1024.0 * 1024.0), QStringLiteral("MiB"));

    // The worker's share: find the next position and decode it for the screen.
    const SlideOrder::Loader loader = SlideOrder::screenLoader(env.store, kAlbum, kScreen, 1.0);
    int next = 1;
    Bench::report(QStringLiteral("slideshow.decode_next_in_worker"),
                  Bench::medianMs(5,
                                  [&] {
                                      loader(SlidePosition{1, 1 + next++ % 6});
                                  }),
                  QStringLiteral("ms"));

    WindowOwner &owner = env.owner();
    owner.showSlideshowChooser();
    SlideshowAlbumChooser &chooser = owner.slideshowChooser();
    chooser.findChild<QAction *>(QStringLiteral("mnuRepeat"))->trigger();
    SlideshowWindow &player = owner.slideshowPlayer();
    // The pretend screen: a 1920 x 1080 window, whatever the headless
    // platform's own screen is.
    player.setWindowState(Qt::WindowNoState);
    player.setGeometry(QRect(QPoint(0, 0), kScreen));
    PaintClock clock;
    player.image()->installEventFilter(&clock);

    QListWidget *list = chooser.list();
    // The album is chosen, then double-clicked; the clock runs from the
    // double click.
    const auto doubleClickAlbum = [list] {
        list->setCurrentItem(list->findItems(kAlbum, Qt::MatchExactly).first());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->currentItem()).center());
    };
    std::vector<double> firsts;
    for (int run = 0; run < 5; ++run) {
        clock.painted = false;
        QElapsedTimer since;
        since.start();
        doubleClickAlbum();
        firsts.push_back(waitForPaint(clock, since));
        player.cmdExc_Click();
        QTest::qWait(50);
    }
    Bench::report(QStringLiteral("slideshow.first_picture_after_double_click"), Bench::median(firsts),
                  QStringLiteral("ms"));
    Bench::report(QStringLiteral("slideshow.first_picture_after_double_click_max"),
                  *std::max_element(firsts.begin(), firsts.end()), QStringLiteral("ms"));

    // A show in progress: each picture has had its time, so the next one
    // has been decoded meanwhile.
    clock.painted = false;
    doubleClickAlbum();
    if (!QTest::qWaitFor([&clock] { return clock.painted; }, 20000))
        return;
    std::vector<double> ticks;
    double idleCpuPercent = 0;
    const auto idleFor = [](int ms) {
        QEventLoop idle;
        QTimer::singleShot(ms, &idle, &QEventLoop::quit);
        idle.exec();
    };
    for (int i = 0; i < 12; ++i) {
        // The next picture is decoded while this one is shown...
        idleFor(600);
        // ...and then the show only waits for the time to run out.
        const std::clock_t cpuBefore = std::clock();
        QElapsedTimer wall;
        wall.start();
        idleFor(1000);
        const double cpuMs = 1000.0 * double(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
        idleCpuPercent = std::max(idleCpuPercent, 100.0 * cpuMs / double(wall.elapsed()));

        clock.painted = false;
        QElapsedTimer since;
        since.start();
        player.player().timeUp();
        ticks.push_back(waitForPaint(clock, since));
    }
    player.cmdExc_Click();
    Bench::report(QStringLiteral("slideshow.tick_to_next_picture_painted"), Bench::median(ticks), QStringLiteral("ms"));
    Bench::report(QStringLiteral("slideshow.tick_to_next_picture_painted_max"),
                  *std::max_element(ticks.begin(), ticks.end()), QStringLiteral("ms"));
    Bench::report(QStringLiteral("slideshow.cpu_while_waiting_max"), idleCpuPercent, QStringLiteral("%"));
}

}  // namespace

KOLUMBRA_BENCH(Slideshow, slideshowBench)
