#include "slideshow/SlideshowPlayer.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(SlidePosition)

namespace {

const QString kAlbum = QStringLiteral("Holiday");

using Positions = QList<SlidePosition>;

// A player over an album of the test program folder, whose picture time
// never runs out by itself: the test says when it has.
struct Show
{
    TestEnvironment env;
    SlideshowPlayer player;
    Positions shown;
    QStringList files;
    int finishedCount = 0;
    int intervalReads = 0;
    bool repeat = false;

    Show()
    {
        player.setIntervalSource([this] {
            ++intervalReads;
            return 60000;
        });
        player.setRepeatSource([this] { return repeat; });
        QObject::connect(&player, &SlideshowPlayer::pictureReady, [this](const FoundSlide &slide) {
            shown << slide.position;
            files << QFileInfo(slide.picture.path).fileName();
        });
        QObject::connect(&player, &SlideshowPlayer::finished, [this] { ++finishedCount; });
    }

    void put(const Positions &positions, const QString &ext = QStringLiteral(".jpg"))
    {
        for (const SlidePosition &p : positions)
            env.putPicture(kAlbum, p.page, p.picture, ext, QSize(64, 48));
    }

    void start()
    {
        env.makeAlbum(kAlbum);
        player.setLoader(SlideOrder::screenLoader(env.store, kAlbum, QSize(320, 240), 1.0));
        player.start();
    }

    // Plays an album holding pictures at the given positions; true once the
    // first one is up.
    bool play(const Positions &positions)
    {
        put(positions);
        start();
        return QTest::qWaitFor([this] { return !shown.isEmpty(); }, 5000);
    }

    // The picture's time runs out; returns whether the next one came up.
    bool tick()
    {
        const qsizetype before = shown.size();
        player.Timer1_Timer();
        return QTest::qWaitFor([&] { return !player.isLoading(); }, 5000) && shown.size() > before;
    }

    // Lets any work in flight come to an end, to see that nothing follows.
    void settle() { QTest::qWait(150); }
};

// A bitmap header that claims a picture of width x height and holds no pixels.
QByteArray bitmapHeaderOnly(qint32 width, qint32 height)
{
    QByteArray data(54, '\0');
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << qint32(54) << qint32(0) << qint32(54) << qint32(40) << width << height << qint16(1) << qint16(24);
    return data;
}

// The first bytes of a JPEG file: its markers begin, its picture never comes.
QByteArray jpegStart(int bytes)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return data.left(bytes);
}

void repeatRows()
{
    QTest::addColumn<bool>("repeat");
    QTest::newRow("repeat off") << false;
    QTest::newRow("repeat on") << true;
}

} // namespace

// The player's rules: the order of the pictures, the steps while paused, the
// end of the album, and stopping.
class SlideshowPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void playsInAlbumOrderThenStopsOrRepeats_data() { repeatRows(); }

    void playsInAlbumOrderThenStopsOrRepeats()
    {
        QFETCH(bool, repeat);
        Show show;
        show.repeat = repeat;
        show.env.putPicture(kAlbum, 1, 1, QStringLiteral(".jpg"), QSize(64, 48));
        show.env.putPicture(kAlbum, 1, 4, QStringLiteral(".bmp"), QSize(64, 48));
        show.env.putPicture(kAlbum, 2, 6, QStringLiteral(".JPG"), QSize(64, 48));
        show.start();
        QTRY_COMPARE(show.shown.size(), 1);
        QVERIFY(show.player.timer().isActive());
        QCOMPARE(show.player.timer().interval(), 60000);
        QVERIFY(show.tick());
        QVERIFY(show.tick());
        QCOMPARE(show.files, QStringList({"P1I0.jpg", "P1I3.bmp", "P2I5.JPG"}));
        QCOMPARE(show.shown, Positions({{1, 1}, {1, 4}, {2, 6}}));
        QCOMPARE(show.intervalReads, 1);

        QCOMPARE(show.tick(), repeat);
        if (repeat) {
            QCOMPARE(show.shown.last(), SlidePosition({1, 1}));
            QVERIFY(show.player.isRunning());
            QCOMPARE(show.intervalReads, 2);  // the time is read again for the new round
            QCOMPARE(show.finishedCount, 0);
        } else {
            QCOMPARE(show.finishedCount, 1);
            QVERIFY(!show.player.isRunning());
            QVERIFY(!show.player.timer().isActive());
        }
    }

    void lastPositionOfTheAlbumEndsTheShow()
    {
        Show show;
        QVERIFY(show.play({{10, 6}}));
        QCOMPARE(show.shown.first(), SlidePosition({10, 6}));
        QVERIFY(!show.tick());
        QCOMPARE(show.finishedCount, 1);
    }

    void firstExtensionThatLoadsIsShown_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("broken");
        QTest::addColumn<QString>("expected");

        QTest::newRow("bitmap over JPEG") << QStringList{".jpg", ".bmp"} << QStringList() << "P1I0.bmp";
        QTest::newRow("upper-case bitmap first") << QStringList{".bmp", ".BMP"} << QStringList() << "P1I0.BMP";
        QTest::newRow("upper-case JPEG over lower") << QStringList{".jpg", ".JPG"} << QStringList() << "P1I0.JPG";
        QTest::newRow("broken bitmap gives way") << QStringList{".jpg"} << QStringList{".BMP"} << "P1I0.jpg";
        QTest::newRow("broken files only: next position")
            << QStringList() << QStringList{".jpg", ".bmp"} << "P1I1.jpg";
    }

    void firstExtensionThatLoadsIsShown()
    {
        QFETCH(QStringList, present);
        QFETCH(QStringList, broken);
        QFETCH(QString, expected);
        Show show;
        show.env.makeAlbum(kAlbum);
        for (const QString &ext : present)
            show.env.putPicture(kAlbum, 1, 1, ext, QSize(64, 48));
        for (const QString &ext : broken) {
            QFile f(show.env.store.picturePath(kAlbum, 1, 1, ext));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a picture at all");
        }
        QVERIFY(show.play({{1, 2}}));
        QCOMPARE(show.files.first(), expected);
    }

    void damagedPicturesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("not a picture at all");
        QTest::newRow("bitmap claiming an absurd size") << bitmapHeaderOnly(100000, 100000);
        QTest::newRow("bitmap without pixels") << bitmapHeaderOnly(640, 480);
        QTest::newRow("JPEG cut short") << jpegStart(100);
        QTest::newRow("empty file") << QByteArray();
    }

    void damagedPicturesAreSkipped()
    {
        QFETCH(QByteArray, content);
        Show show;
        show.env.makeAlbum(kAlbum);
        QFile damaged(show.env.store.picturePath(kAlbum, 1, 1, QStringLiteral(".BMP")));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(content);
        damaged.close();
        QVERIFY(show.play({{1, 2}}));
        QCOMPARE(show.files, QStringList({"P1I1.jpg"}));
    }

    void albumWithoutPicturesStopsAtOnce_data() { repeatRows(); }

    void albumWithoutPicturesStopsAtOnce()
    {
        QFETCH(bool, repeat);
        Show show;
        show.repeat = repeat;
        show.start();
        QTRY_COMPARE(show.finishedCount, 1);
        show.settle();
        QVERIFY(show.shown.isEmpty());
        QCOMPARE(show.finishedCount, 1);
        QVERIFY(!show.player.isRunning());
    }

    void pausedStepsAreTakenOnceTheTimeRunsOut()
    {
        Show show;
        QVERIFY(show.play({{1, 1}, {1, 2}, {1, 3}, {1, 4}}));
        show.player.togglePause();
        QVERIFY(show.player.isPaused());
        // Twice within one picture time: one step.
        show.player.requestForward();
        show.player.requestForward();
        QCOMPARE(show.shown.size(), 1);
        QVERIFY(show.tick());
        QCOMPARE(show.shown.last(), SlidePosition({1, 2}));
        QVERIFY(!show.tick());
        show.settle();
        QCOMPARE(show.shown.size(), 2);
        // With the time run out, a step is taken at once.
        show.player.requestForward();
        QTRY_COMPARE(show.shown.size(), 3);
        QCOMPARE(show.shown.last(), SlidePosition({1, 3}));
        // Resuming after the time has run out moves on at once.
        QVERIFY(!show.tick());
        show.player.togglePause();
        QTRY_COMPARE(show.shown.size(), 4);
        QCOMPARE(show.shown.last(), SlidePosition({1, 4}));
    }

    void stepBackGoesToThePreviousPosition_data()
    {
        QTest::addColumn<Positions>("pictures");
        QTest::addColumn<int>("ticksBeforePause");
        QTest::addColumn<SlidePosition>("pausedAt");
        QTest::addColumn<SlidePosition>("afterStep");

        QTest::newRow("page 2 picture 1 to page 1 picture 6")
            << Positions{{1, 6}, {2, 1}} << 1 << SlidePosition{2, 1} << SlidePosition{1, 6};
        QTest::newRow("previous position empty: same picture again")
            << Positions{{1, 1}, {2, 1}} << 1 << SlidePosition{2, 1} << SlidePosition{2, 1};
        QTest::newRow("within a page") << Positions{{3, 2}, {3, 3}} << 1 << SlidePosition{3, 3}
                                       << SlidePosition{3, 2};
        QTest::newRow("page 1 picture 1 shows itself again")
            << Positions{{1, 1}, {1, 2}} << 0 << SlidePosition{1, 1} << SlidePosition{1, 1};
        QTest::newRow("first picture elsewhere shows itself again")
            << Positions{{1, 3}, {1, 4}} << 0 << SlidePosition{1, 3} << SlidePosition{1, 3};
    }

    void stepBackGoesToThePreviousPosition()
    {
        QFETCH(Positions, pictures);
        QFETCH(int, ticksBeforePause);
        QFETCH(SlidePosition, pausedAt);
        QFETCH(SlidePosition, afterStep);
        Show show;
        QVERIFY(show.play(pictures));
        for (int i = 0; i < ticksBeforePause; ++i)
            QVERIFY(show.tick());
        QCOMPARE(show.shown.last(), pausedAt);
        show.player.togglePause();
        show.player.requestBack();
        QVERIFY(show.tick());
        QCOMPARE(show.shown.last(), afterStep);
        QVERIFY(!show.player.backRequested());
        // Still paused: nothing more happens.
        QVERIFY(!show.tick());
        QVERIFY(show.player.isRunning());
    }

    void stepRequestsWhilePlayingAreIgnored()
    {
        Show show;
        QVERIFY(show.play({{1, 1}, {1, 2}, {1, 3}}));
        QVERIFY(show.tick());
        show.player.requestBack();
        show.player.requestForward();
        QVERIFY(!show.player.backRequested());
        QVERIFY(!show.player.forwardRequested());
        QVERIFY(show.tick());
        QCOMPARE(show.shown, Positions({{1, 1}, {1, 2}, {1, 3}}));
    }

    void backAndForwardTogetherAreUsedUp()
    {
        Show show;
        QVERIFY(show.play({{1, 1}, {1, 2}, {1, 3}}));
        show.player.togglePause();
        show.player.requestBack();
        show.player.requestForward();
        QVERIFY(show.tick());
        QCOMPARE(show.shown.last(), SlidePosition({1, 2}));
        QVERIFY(!show.player.backRequested());
        QVERIFY(!show.player.forwardRequested());
        // The paused show stays where it is.
        QVERIFY(!show.tick());
        QCOMPARE(show.shown.size(), 2);
    }

    void resumingDropsAStepNotYetTaken()
    {
        Show show;
        QVERIFY(show.play({{1, 1}, {1, 2}, {1, 3}}));
        show.player.togglePause();
        show.player.requestBack();
        show.player.togglePause();
        QVERIFY(show.tick());
        QCOMPARE(show.shown.last(), SlidePosition({1, 2}));
        // Pausing again does not step back on a request of the last pause.
        show.player.togglePause();
        QVERIFY(!show.tick());
        QCOMPARE(show.shown.last(), SlidePosition({1, 2}));
    }

    void showStoppedWhilePausedStartsPaused()
    {
        Show show;
        QVERIFY(show.play({{1, 1}, {1, 2}}));
        show.player.togglePause();
        show.player.stop();
        QCOMPARE(show.finishedCount, 1);
        QVERIFY(!show.player.isPlaying());

        QSignalSpy playing(&show.player, &SlideshowPlayer::playingChanged);
        show.player.start();
        QTRY_COMPARE(show.shown.size(), 2);
        QCOMPARE(show.shown.last(), SlidePosition({1, 1}));
        QVERIFY(show.player.isPaused());
        QVERIFY(playing.isEmpty());  // the pointer stays free
        QVERIFY(!show.tick());
        show.player.togglePause();
        QTRY_COMPARE(show.shown.last(), SlidePosition({1, 2}));
    }

    void stopLoadsNothingAfterwards_data()
    {
        QTest::addColumn<bool>("beforeFirstPicture");
        QTest::newRow("while the first picture is decoded") << true;
        QTest::newRow("while the next one is decoded") << false;
    }

    void stopLoadsNothingAfterwards()
    {
        QFETCH(bool, beforeFirstPicture);
        Show show;
        show.put({{1, 1}, {1, 2}});
        show.start();
        if (!beforeFirstPicture)
            QTRY_COMPARE(show.shown.size(), 1);
        const qsizetype before = show.shown.size();
        show.player.stop();
        QVERIFY(!show.player.isRunning());
        QVERIFY(!show.player.timer().isActive());
        show.player.Timer1_Timer();
        show.settle();
        QCOMPARE(show.shown.size(), before);
        QCOMPARE(show.finishedCount, 1);
    }

    void playingStateFollowsPauseAndStop()
    {
        Show show;
        show.put({{1, 1}});
        QSignalSpy playing(&show.player, &SlideshowPlayer::playingChanged);
        show.start();
        QCOMPARE(playing.size(), 1);
        QCOMPARE(playing.last().first().toBool(), true);
        show.player.pause();
        QCOMPARE(playing.last().first().toBool(), false);
        show.player.togglePause();
        QCOMPARE(playing.last().first().toBool(), true);
        show.player.stop();
        QCOMPARE(playing.last().first().toBool(), false);
        QCOMPARE(playing.size(), 4);
    }

    void goingAwayMidSearchWaitsForTheWorker()
    {
        TestEnvironment env;
        for (int k = 1; k <= 6; ++k)
            env.putPicture(kAlbum, 1, k, QStringLiteral(".jpg"), QSize(1600, 1200));
        auto player = std::make_unique<SlideshowPlayer>();
        player->setIntervalSource([] { return 60000; });
        player->setLoader(SlideOrder::screenLoader(env.store, kAlbum, QSize(1024, 768), 1.0));
        int shown = 0;
        connect(player.get(), &SlideshowPlayer::pictureReady, this, [&shown] { ++shown; });
        player->start();
        player.reset();
        QTest::qWait(100);
        QCOMPARE(shown, 0);
    }
};

KOLUMBRA_TEST(SlideshowPlayerTest)
#include "SlideshowPlayerTest.moc"
