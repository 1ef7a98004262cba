#include "slideshow/SlideshowPlayer.h"
#include "slideshow/SlideFit.h"
#include "slideshow/SlideTime.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QSemaphore>
#include <QtTest>

namespace {

const QString kAlbum = QStringLiteral("Holiday");
const QString kFour = QStringLiteral("P1I0.jpg P1I1.jpg P1I2.jpg P1I3.jpg");
const QString kOrder = QStringLiteral("P1I0.jpg P1I3.bmp P2I5.JPG P10I5.jpg");

// A player over an album of the test program folder, whose picture time
// never runs out by itself: the test says when it has.
struct Show
{
    TestEnvironment env;
    SlideshowPlayer player;
    QStringList files;
    bool repeat = false;
    std::optional<SlidePosition> held;
    QSemaphore gate;

    Show()
    {
        player.setIntervalSource([] { return 60000; });
        player.setRepeatSource([this] { return repeat; });
        QObject::connect(&player, &SlideshowPlayer::pictureReady,
                         [this](const FoundSlide &slide) { files << QFileInfo(slide.picture.path).fileName(); });
        QObject::connect(&player, &SlideshowPlayer::finished, [this] { files << QStringLiteral("end"); });
    }

    // Fills the album from file names and starts the show: "P2I5.JPG" is
    // picture 6 of page 2, and a name ending in "!" is a file that does not decode.
    void start(const QString &names)
    {
        env.makeAlbum(kAlbum);
        for (QString name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const bool broken = name.endsWith(QLatin1Char('!'));
            if (broken)
                name.chop(1);
            QFile file(env.putPicture(kAlbum, name, QSize(64, 48)));
            if (broken) {
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write("not a picture at all");
            }
        }
        SlideOrder::Loader load = SlideOrder::screenLoader(env.store, kAlbum, QSize(320, 240), 1.0);
        if (held) {
            // The held position is decoded only once the test lets it go.
            load = [load, position = *held, gate = &gate](const SlidePosition &p) {
                if (p == position) {
                    gate->acquire();
                    gate->release();
                }
                return load(p);
            };
        }
        player.setLoader(load);
        player.start();
    }

    // Lets the held position be decoded, now and for good.
    void letGo()
    {
        if (held && gate.available() == 0)
            gate.release();
    }
    ~Show() { letGo(); }

    // What the user and the timer do, in turn: P pauses or resumes, B and F
    // ask for a step back or forward, T is the picture's time running out, S
    // stops the show, G starts it again and R turns repeat on.
    bool run(const QString &script, bool waitForEachPicture = true)
    {
        static const QHash<QChar, void (SlideshowPlayer::*)()> actions = {
            {QLatin1Char('P'), &SlideshowPlayer::togglePause},    {QLatin1Char('B'), &SlideshowPlayer::requestBack},
            {QLatin1Char('F'), &SlideshowPlayer::requestForward}, {QLatin1Char('T'), &SlideshowPlayer::timeUp},
            {QLatin1Char('S'), &SlideshowPlayer::stop},           {QLatin1Char('G'), &SlideshowPlayer::start},
        };
        for (const QChar c : script) {
            if (actions.contains(c))
                (player.*actions.value(c))();
            repeat = repeat || c == QLatin1Char('R');
            if (waitForEachPicture && !QTest::qWaitFor([this] { return !player.isLoading(); }, 5000))
                return false;
        }
        return true;
    }
};

}  // namespace

// The show's rules: how the typed time is read, where a picture goes on the
// screen, the order of the pictures, the steps while paused, the end of the
// album, and stopping.
class SlideshowPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    // The time as typed; anything below one second plays at five.
    void timeReading()
    {
        QCOMPARE(SlideTime::intervalMs(QStringLiteral("100")), 100000);  // over the old ceiling
        QCOMPARE(SlideTime::intervalMs(QStringLiteral("7 seconds")), 7000);
        QCOMPARE(SlideTime::intervalMs(QStringLiteral("99999999999999999999")), 2147483000);
        for (const char *text : {"0", "-3", "about 8", "-99999999999999999999"})
            QCOMPARE(SlideTime::intervalMs(QLatin1String(text)), 5000);
    }

    // Fitted whole on the screen and centred.
    void slideRect()
    {
        QCOMPARE(SlideFit::slideRect(QSize(500, 500), QSize(1024, 768)), QRect(128, 0, 768, 768));
        QCOMPARE(SlideFit::slideRect(QSize(4000, 3000), QSize(1920, 1080)), QRect(240, 0, 1440, 1080));
        QCOMPARE(SlideFit::slideRect(QSize(500, 500), QSize(768, 1024)), QRect(0, 128, 768, 768));
        // Thin pictures are 6 pixels across.
        QCOMPARE(SlideFit::slideRect(QSize(1000, 1), QSize(1920, 1080)), QRect(0, 537, 1920, 6));
        QCOMPARE(SlideFit::slideRect(QSize(1, 1000), QSize(1920, 1080)), QRect(957, 0, 6, 1080));
    }

    // A playing show moves on when the picture's time runs out and takes no
    // steps; a paused one takes each step at once, whatever the time.
    void playsAsTheAlbumAndTheUserSay_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::newRow("album order, then the end") << kOrder << "TTTT" << kOrder + " end";
        QTest::newRow("repeat starts again") << kOrder << "R TTTT" << kOrder + " P1I0.jpg";
        QTest::newRow("bitmap over JPEG") << "P1I0.jpg P1I0.bmp"
                                          << ""
                                          << "P1I0.bmp";
        QTest::newRow("broken files: next position") << "P1I0.jpg! P1I0.bmp! P1I1.jpg"
                                                     << ""
                                                     << "P1I1.jpg";
        QTest::newRow("playing: steps are ignored") << kFour << "TBFT PT"
                                                    << "P1I0.jpg P1I1.jpg P1I2.jpg";
        QTest::newRow("paused, time still running: a step at once") << kFour << "P F"
                                                                    << "P1I0.jpg P1I1.jpg";
        QTest::newRow("paused: each forward is a picture") << kFour << "P FF"
                                                           << "P1I0.jpg P1I1.jpg P1I2.jpg";
        QTest::newRow("paused: back and forward at once") << kFour << "T P B F"
                                                          << "P1I0.jpg P1I1.jpg P1I0.jpg P1I1.jpg";
        QTest::newRow("paused: the time running out moves nothing") << kFour << "P TTT F T"
                                                                    << "P1I0.jpg P1I1.jpg";
        QTest::newRow("paused, time run out: a step at once") << kFour << "P T F"
                                                              << "P1I0.jpg P1I1.jpg";
        QTest::newRow("resumed after the time ran out: on at once") << kFour << "P T P"
                                                                    << "P1I0.jpg P1I1.jpg";
        QTest::newRow("resumed with the time running: on when it runs out") << kFour << "P F P T"
                                                                            << "P1I0.jpg P1I1.jpg P1I2.jpg";
        QTest::newRow("back from page 2 picture 1 to page 1 picture 6") << "P1I5.jpg P2I0.jpg"
                                                                        << "T P B T T"
                                                                        << "P1I5.jpg P2I0.jpg P1I5.jpg";
        QTest::newRow("back to an empty position: the same picture again") << "P1I0.jpg P2I0.jpg"
                                                                           << "T P B T T"
                                                                           << "P1I0.jpg P2I0.jpg P2I0.jpg";
        QTest::newRow("back at page 1 picture 1: itself") << "P1I0.jpg P1I1.jpg"
                                                          << "P B T T"
                                                          << "P1I0.jpg P1I0.jpg";
        QTest::newRow("stopped while paused: starts paused") << kFour << "P S G T"
                                                             << "P1I0.jpg end P1I0.jpg";
    }

    void playsAsTheAlbumAndTheUserSay()
    {
        QFETCH(QString, album);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        Show show;
        show.start(album);
        QTRY_VERIFY(!show.files.isEmpty());
        QVERIFY(show.run(script));
        QCOMPARE(show.files.join(QLatin1Char(' ')), expected);
        QCOMPARE(show.player.isRunning(), show.files.last() != QLatin1String("end"));
        QVERIFY(show.player.isRunning() || !show.player.timer().isActive());
    }

    // While paused, steps asked for before the picture of the last one is
    // found are taken once it is shown: as one step, whichever keys were
    // pressed, and not at all when the show was resumed meanwhile.
    void stepsAskedForWhileAPictureIsFound_data()
    {
        QTest::addColumn<QString>("meanwhile");  // pressed while picture 2 is being found
        QTest::addColumn<QString>("expected");
        QTest::newRow("two forwards: one step") << "FF"
                                                << "P1I0.jpg P1I1.jpg P1I2.jpg";
        QTest::newRow("back and forward: one on, both used up") << "BF"
                                                                << "P1I0.jpg P1I1.jpg P1I2.jpg";
        QTest::newRow("back") << "B"
                              << "P1I0.jpg P1I1.jpg P1I0.jpg";
        QTest::newRow("resumed and paused again: the step is dropped") << "BPP"
                                                                       << "P1I0.jpg P1I1.jpg";
    }

    void stepsAskedForWhileAPictureIsFound()
    {
        QFETCH(QString, meanwhile);
        QFETCH(QString, expected);
        Show show;
        show.held = SlidePosition{1, 2};
        show.start(kFour);
        QTRY_VERIFY(!show.files.isEmpty());
        QVERIFY(show.run(QStringLiteral("P F") + meanwhile, false));
        QVERIFY(show.player.isLoading());
        show.letGo();
        QTRY_COMPARE(show.files.join(QLatin1Char(' ')), expected);
        QTRY_VERIFY(!show.player.isLoading());
        // Nothing more is left over to move the show on.
        QVERIFY(show.run(QStringLiteral("T")));
        QCOMPARE(show.files.join(QLatin1Char(' ')), expected);
    }

    // The time is read when the show starts and again when it starts over at
    // the end of the album: a change while it plays counts from the next round.
    void changedTimeCountsFromTheNextRound()
    {
        Show show;
        int seconds = 60;
        show.player.setIntervalSource([&seconds] { return seconds * 1000; });
        show.repeat = true;
        show.start(QStringLiteral("P1I0.jpg P1I1.jpg"));
        QTRY_VERIFY(!show.files.isEmpty());
        QCOMPARE(show.player.timer().interval(), 60000);
        seconds = 45;
        QVERIFY(show.run(QStringLiteral("T")));
        QCOMPARE(show.files.join(QLatin1Char(' ')), QStringLiteral("P1I0.jpg P1I1.jpg"));
        QCOMPARE(show.player.timer().interval(), 60000);
        QVERIFY(show.run(QStringLiteral("T")));
        QCOMPARE(show.files.join(QLatin1Char(' ')), QStringLiteral("P1I0.jpg P1I1.jpg P1I0.jpg"));
        QCOMPARE(show.player.timer().interval(), 45000);
        QVERIFY(show.player.timer().isActive());
    }
};

KOLUMBRA_TEST(SlideshowPlayerTest)
#include "SlideshowPlayerTest.moc"
