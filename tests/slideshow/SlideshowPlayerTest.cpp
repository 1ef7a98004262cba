#include "slideshow/SlideFit.h"
#include "slideshow/SlideTime.h"
#include "slideshow/SlideshowPlayer.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

#include <climits>

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

    Show()
    {
        player.setIntervalSource([] { return 60000; });
        player.setRepeatSource([this] { return repeat; });
        QObject::connect(&player, &SlideshowPlayer::pictureReady,
                         [this](const FoundSlide &slide) { files << QFileInfo(slide.picture.path).fileName(); });
    }

    // Fills the album from file names: "P2I5.JPG" is picture 6 of page 2,
    // and a name ending in "!" is a file that does not decode.
    void put(const QString &names)
    {
        env.makeAlbum(kAlbum);
        static const QRegularExpression pattern(QStringLiteral("P(\\d+)I(\\d)(\\.\\w+)(!?)"));
        for (const QString &name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QRegularExpressionMatch m = pattern.match(name);
            QFile file(env.putPicture(kAlbum, m.captured(1).toInt(), m.captured(2).toInt() + 1, m.captured(3),
                                      QSize(64, 48)));
            if (!m.captured(4).isEmpty()) {
                QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
                file.write("not a picture at all");
            }
        }
    }

    void start()
    {
        player.setLoader(SlideOrder::screenLoader(env.store, kAlbum, QSize(320, 240), 1.0));
        player.start();
    }

    // What the user and the timer do, in turn: P pauses or resumes, B and F
    // ask for a step back or forward, T is the picture's time running out, S
    // stops the show, G starts it again and R turns repeat on.
    bool run(const QString &script)
    {
        for (const QChar c : script) {
            if (c == QLatin1Char('P'))
                player.togglePause();
            else if (c == QLatin1Char('B'))
                player.requestBack();
            else if (c == QLatin1Char('F'))
                player.requestForward();
            else if (c == QLatin1Char('T'))
                player.Timer1_Timer();
            else if (c == QLatin1Char('S'))
                player.stop();
            else if (c == QLatin1Char('G'))
                player.start();
            else if (c == QLatin1Char('R'))
                repeat = true;
            if (!QTest::qWaitFor([this] { return !player.isLoading(); }, 5000))
                return false;
        }
        return true;
    }
};

} // namespace

// The show's rules: how the typed time is read, where a picture goes on the
// screen, the order of the pictures, the steps while paused, the end of the
// album, and stopping.
class SlideshowPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void timeReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<int>("intervalMs");
        QTest::newRow("over the old ceiling") << "100" << 100 << true << 100000;
        QTest::newRow("with a word") << "7 seconds" << 7 << true << 7000;
        QTest::newRow("blanks and a sign") << "  +9" << 9 << true << 9000;
        QTest::newRow("zero") << "0" << 0 << false << 5000;
        QTest::newRow("negative") << "-3" << -3 << false << 5000;
        QTest::newRow("empty") << "" << 0 << false << 5000;
        QTest::newRow("number later") << "about 8" << 0 << false << 5000;
        QTest::newRow("huge") << "99999999999999999999" << INT_MAX << true << SlideTime::kMaxSeconds * 1000;
        QTest::newRow("hugely negative") << "-99999999999999999999" << INT_MIN << false << 5000;
    }

    void timeReading()
    {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(bool, acceptable);
        QFETCH(int, intervalMs);
        QCOMPARE(SlideTime::leadingNumber(text), number);
        QCOMPARE(SlideTime::isAcceptableReply(text), acceptable);
        QCOMPARE(SlideTime::intervalMs(text), intervalMs);
    }

    void slideRect_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QRect>("expected");
        const QSize landscape(1024, 768);
        QTest::newRow("square fills the height, centred across")
            << landscape << QSize(500, 500) << QRect(128, 0, 768, 768);
        QTest::newRow("panorama fills the width, centred down")
            << landscape << QSize(4000, 1000) << QRect(0, 256, 1024, 256);
        QTest::newRow("wide but not wide enough fits the height")
            << QSize(1920, 1080) << QSize(1000, 900) << QRect(360, 0, 1200, 1080);
        QTest::newRow("square on an upright screen fills the width")
            << QSize(768, 1024) << QSize(500, 500) << QRect(0, 128, 768, 768);
        QTest::newRow("one-pixel line stays visible") << landscape << QSize(5000, 1) << QRect(0, 383, 1024, 1);
    }

    void slideRect()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, natural);
        QFETCH(QRect, expected);
        QCOMPARE(SlideFit::slideRect(natural, screen), expected);
    }

    // Steps are looked at only once the picture's time has run out: several
    // within one time count as one, and a step is taken only while paused.
    void playsAsTheAlbumAndTheUserSay_data()
    {
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("running");

        QTest::newRow("album order, then the end") << kOrder << "TTTT" << kOrder << false;
        QTest::newRow("repeat starts again") << kOrder << "R TTTT" << kOrder + " P1I0.jpg" << true;
        QTest::newRow("bitmap over JPEG") << "P1I0.jpg P1I0.bmp" << "" << "P1I0.bmp" << true;
        QTest::newRow("broken bitmap gives way") << "P1I0.jpg P1I0.BMP!" << "" << "P1I0.jpg" << true;
        QTest::newRow("broken files only: next position") << "P1I0.jpg! P1I0.bmp! P1I1.jpg" << "" << "P1I1.jpg"
                                                           << true;
        QTest::newRow("playing: steps are ignored") << kFour << "TBFT PT" << "P1I0.jpg P1I1.jpg P1I2.jpg" << true;
        QTest::newRow("paused: two forwards in one time are one step") << kFour << "P FF T T"
                                                                       << "P1I0.jpg P1I1.jpg" << true;
        QTest::newRow("paused, time run out: a step at once") << kFour << "P T F" << "P1I0.jpg P1I1.jpg" << true;
        QTest::newRow("resumed after the time ran out: on at once") << kFour << "P T P" << "P1I0.jpg P1I1.jpg"
                                                                    << true;
        QTest::newRow("back and forward together: one on, both used up")
            << kFour << "P BF T T" << "P1I0.jpg P1I1.jpg" << true;
        QTest::newRow("resuming drops a step not yet taken") << kFour << "P B P T P T" << "P1I0.jpg P1I1.jpg"
                                                             << true;
        QTest::newRow("back from page 2 picture 1 to page 1 picture 6")
            << "P1I5.jpg P2I0.jpg" << "T P B T T" << "P1I5.jpg P2I0.jpg P1I5.jpg" << true;
        QTest::newRow("back to an empty position: the same picture again")
            << "P1I0.jpg P2I0.jpg" << "T P B T T" << "P1I0.jpg P2I0.jpg P2I0.jpg" << true;
        QTest::newRow("back at page 1 picture 1: itself again") << "P1I0.jpg P1I1.jpg" << "P B T T"
                                                                << "P1I0.jpg P1I0.jpg" << true;
        QTest::newRow("stopped while paused: starts paused") << kFour << "P S G T" << "P1I0.jpg P1I0.jpg" << true;
    }

    void playsAsTheAlbumAndTheUserSay()
    {
        QFETCH(QString, album);
        QFETCH(QString, script);
        QFETCH(QString, expected);
        QFETCH(bool, running);
        Show show;
        show.put(album);
        show.start();
        QTRY_VERIFY(!show.files.isEmpty());
        QVERIFY(show.run(script));
        QCOMPARE(show.files.join(QLatin1Char(' ')), expected);
        QCOMPARE(show.player.isRunning(), running);
        QVERIFY(running || !show.player.timer().isActive());
    }
};

KOLUMBRA_TEST(SlideshowPlayerTest)
#include "SlideshowPlayerTest.moc"
