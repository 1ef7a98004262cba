#include "albumstore/DesktopThumbnails.h"
#include "support/StaleThumbnails.h"
#include "support/TestMain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

using StaleThumbnails::centreOf;
using StaleThumbnails::changed;
using StaleThumbnails::isRed;
using StaleThumbnails::setChanged;

// Fits a picture into a 150 x 150 square, as the windows ask.
const PictureLoader::TargetSize kSmall = PictureLoader::fittedInside(QSize(150, 150));

}  // namespace

class DesktopThumbnailsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QByteArray m_previousCacheHome;
    int m_decodes = 0;

    QString cache() const { return m_dir.filePath(QStringLiteral("cache/thumbnails")); }

    // A picture file of the given colour, changed at StaleThumbnails::changed().
    QString picture(const QString &name, const QSize &size = QSize(600, 400), const QColor &colour = Qt::blue)
    {
        const QString path = m_dir.filePath(name);
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path, QFileInfo(path).suffix() == QLatin1String("bmp") ? "BMP" : "JPEG", 95);
        if (!setChanged(path))
            QTest::qFail("the picture could not be dated", __FILE__, __LINE__);
        return path;
    }

    PictureLoader::Decoder counting()
    {
        return [this](const QString &path, const PictureLoader::TargetSize &targetFor) {
            ++m_decodes;
            return PictureLoader::decode(path, targetFor);
        };
    }

    DecodedPicture decode(const QString &path) { return DesktopThumbnails::decode(path, kSmall, counting()); }

    // An entry written the way another program on the desktop writes one:
    // only the keys every program must write, and a red picture, so that a
    // window drawing it shows it came from the cache.
    void putEntry(const QString &folderName, const QString &file, const QSize &size, const QString &address,
                  std::optional<qint64> seconds)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.setText(QStringLiteral("Thumb::URI"), address);
        if (seconds)
            image.setText(QStringLiteral("Thumb::MTime"), QString::number(*seconds));
        image.setText(QStringLiteral("Software"), QStringLiteral("GNOME::ThumbnailFactory"));
        QVERIFY(QDir().mkpath(cache() + QLatin1Char('/') + folderName));
        QVERIFY(image.save(cache() + QLatin1Char('/') + folderName + QLatin1Char('/')
                           + DesktopThumbnails::entryNameOf(file)));
    }

    QString entryPath(const QString &folderName, const QString &file) const
    {
        return cache() + QLatin1Char('/') + folderName + QLatin1Char('/') + DesktopThumbnails::entryNameOf(file);
    }

private slots:
    void init()
    {
        m_previousCacheHome = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("cache"))));
        // A test may have left a file where the cache goes.
        const QString cacheHome = m_dir.filePath(QStringLiteral("cache"));
        QFile::remove(cacheHome);
        QDir(cacheHome).removeRecursively();
        m_decodes = 0;
    }

    void cleanup()
    {
        DesktopThumbnails::waitForWrites();
        qputenv("XDG_CACHE_HOME", m_previousCacheHome);
    }

    void addressesAreWrittenAsTheFileManagersWriteThem_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("address");
        QTest::newRow("plain") << "/home/jens/photos/me.png"
                               << "file:///home/jens/photos/me.png";
        QTest::newRow("space") << "/tmp/My Album/P1I0.jpg"
                               << "file:///tmp/My%20Album/P1I0.jpg";
        QTest::newRow("marks") << "/tmp/Tom's #1; 50%/P1I0.jpg"
                               << "file:///tmp/Tom's%20%231%3B%2050%25/P1I0.jpg";
        QTest::newRow("letters beyond ASCII")
            << QString::fromUtf8("/tmp/\xc3\x84pfel/P1I0.jpg") << "file:///tmp/%C3%84pfel/P1I0.jpg";
        QTest::newRow("brackets") << "/tmp/[x]{y}|^`\"<>?\\/P1I0.jpg"
                                  << "file:///tmp/%5Bx%5D%7By%7D%7C%5E%60%22%3C%3E%3F%5C/P1I0.jpg";
        QTest::newRow("kept as they are") << "/tmp/a=b&c+d,e@f:g$h!(i)*~-_./P1I0.jpg"
                                          << "file:///tmp/a=b&c+d,e@f:g$h!(i)*~-_./P1I0.jpg";
        QTest::newRow("dots resolved") << "/tmp/a/../b/./P1I0.jpg"
                                       << "file:///tmp/b/P1I0.jpg";
    }

    void addressesAreWrittenAsTheFileManagersWriteThem()
    {
        QFETCH(QString, path);
        QFETCH(QString, address);
        QCOMPARE(DesktopThumbnails::addressOf(path), address);
    }

    void entriesAreNamedByTheirAddress()
    {
        QCOMPARE(DesktopThumbnails::entryNameOf(QStringLiteral("/home/jens/photos/me.png")),
                 QStringLiteral("c6ee772d9e49320e97ec29a7eb5b1697.png"));
    }

    void theFolderFollowsTheDesktopsCacheHome()
    {
        qputenv("XDG_CACHE_HOME", "/somewhere/cache");
        QCOMPARE(DesktopThumbnails::folder(), QStringLiteral("/somewhere/cache/thumbnails"));
        // Blank or relative counts as not set.
        const QString inHome = QDir::homePath() + QStringLiteral("/.cache/thumbnails");
        qputenv("XDG_CACHE_HOME", "");
        QCOMPARE(DesktopThumbnails::folder(), inHome);
        qputenv("XDG_CACHE_HOME", "relative/cache");
        QCOMPARE(DesktopThumbnails::folder(), inHome);
    }

    void theSmallestFolderThatHoldsTheDrawingIsChosen_data()
    {
        QTest::addColumn<QSize>("needed");
        QTest::addColumn<QString>("folder");
        QTest::newRow("thumbnail") << QSize(128, 90) << "normal";
        QTest::newRow("a pixel over") << QSize(100, 129) << "large";
        QTest::newRow("page") << QSize(153, 102) << "large";
        QTest::newRow("HiDPI page") << QSize(306, 204) << "x-large";
        QTest::newRow("largest") << QSize(1024, 1024) << "xx-large";
        QTest::newRow("too large") << QSize(1025, 10) << "";
    }

    void theSmallestFolderThatHoldsTheDrawingIsChosen()
    {
        QFETCH(QSize, needed);
        QFETCH(QString, folder);
        const auto chosen = DesktopThumbnails::folderFor(needed);
        QCOMPARE(chosen ? QString::fromLatin1(chosen->name) : QString(), folder);
    }

    void aFirstDrawingWritesAnEntryTheNextOneUses()
    {
        const QString file = picture(QStringLiteral("P1I0.jpg"));
        const DecodedPicture first = decode(file);
        QCOMPARE(m_decodes, 1);
        QCOMPARE(first.image.size(), QSize(150, 100));
        QCOMPARE(first.naturalSize, QSize(600, 400));
        DesktopThumbnails::waitForWrites();

        const QString entry = entryPath(QStringLiteral("large"), file);
        QImage written(entry, "PNG");
        QCOMPARE(written.size(), QSize(256, 170));
        QCOMPARE(written.text(QStringLiteral("Thumb::URI")), DesktopThumbnails::addressOf(file));
        QCOMPARE(written.text(QStringLiteral("Thumb::MTime")), QStringLiteral("1577934245"));
        QCOMPARE(written.text(QStringLiteral("Thumb::Size")), QString::number(QFileInfo(file).size()));
        QCOMPARE(written.text(QStringLiteral("Thumb::Image::Width")), QStringLiteral("600"));
        QCOMPARE(QFile::permissions(entry) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        const auto folderPermissions = QFile::permissions(cache()) & ~QFile::Permissions(0x0700);
        QCOMPARE(folderPermissions, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QDir(cache() + QStringLiteral("/large")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{DesktopThumbnails::entryNameOf(file)});

        const DecodedPicture second = decode(file);
        QCOMPARE(m_decodes, 1);
        QCOMPARE(second.image.size(), QSize(150, 100));
        QCOMPARE(second.naturalSize, QSize(600, 400));
        QVERIFY(centreOf(second.image).blue() > 200);
    }

    void anotherProgramsEntryIsUsedWhenLargeEnough_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("used");
        QTest::newRow("large") << "large" << QSize(256, 171) << true;
        QTest::newRow("a larger folder") << "xx-large" << QSize(1024, 683) << true;
        QTest::newRow("too small") << "normal" << QSize(128, 85) << false;
    }

    void anotherProgramsEntryIsUsedWhenLargeEnough()
    {
        QFETCH(QString, folder);
        QFETCH(QSize, size);
        QFETCH(bool, used);
        const QString file = picture(QStringLiteral("P1I1.jpg"));
        putEntry(folder, file, size, DesktopThumbnails::addressOf(file), changed().toSecsSinceEpoch());
        const DecodedPicture shown = decode(file);
        QCOMPARE(shown.image.size(), QSize(150, 100));
        QCOMPARE(isRed(centreOf(shown.image)), used);
        QCOMPARE(m_decodes, used ? 0 : 1);
    }

    void aSmallPictureIsItsOwnThumbnail()
    {
        // Thumbnails are never enlarged: a 90 x 60 picture's entry is 90 x 60,
        // and it serves however large the window asks.
        const QString file = picture(QStringLiteral("P1I2.bmp"), QSize(90, 60));
        putEntry(QStringLiteral("large"), file, QSize(90, 60), DesktopThumbnails::addressOf(file),
                 changed().toSecsSinceEpoch());
        const DecodedPicture shown = decode(file);
        QCOMPARE(m_decodes, 0);
        QCOMPARE(shown.image.size(), QSize(90, 60));
        QVERIFY(isRed(centreOf(shown.image)));
    }

    void anEntryOfAnotherFileOrTimeIsNotUsed_data()
    {
        QTest::addColumn<int>("change");
        QTest::newRow("changed a second later") << 0;
        QTest::newRow("grown, same time") << 1;
        QTest::newRow("made for another file") << 2;
        QTest::newRow("no time written") << 3;
        QTest::newRow("damaged entry") << 4;
    }

    void anEntryOfAnotherFileOrTimeIsNotUsed()
    {
        QFETCH(int, change);
        const QString file = picture(QStringLiteral("P1I3.jpg"));
        const QString address = DesktopThumbnails::addressOf(file);
        const qint64 seconds = changed().toSecsSinceEpoch();
        // Our own entries carry the size too; take one and paint it red.
        decode(file);
        DesktopThumbnails::waitForWrites();
        const QString entry = entryPath(QStringLiteral("large"), file);
        QImage own(entry, "PNG");
        QVERIFY(!own.isNull());
        own.fill(Qt::red);
        for (const QString &key : own.textKeys())
            own.setText(key, QImage(entry, "PNG").text(key));
        QVERIFY(own.save(entry));
        QVERIFY(isRed(centreOf(decode(file).image)));  // taken as it is
        m_decodes = 0;

        switch (change) {
        case 0:
            QVERIFY(setChanged(file, changed().addSecs(1)));
            break;
        case 1: {
            QFile grow(file);
            QVERIFY(grow.open(QIODevice::Append));
            grow.write("\0", 1);
            grow.close();
            QVERIFY(setChanged(file));
            break;
        }
        case 2:
            putEntry(QStringLiteral("large"), file, QSize(256, 171), address + QStringLiteral("x"), seconds);
            break;
        case 3:
            putEntry(QStringLiteral("large"), file, QSize(256, 171), address, std::nullopt);
            break;
        case 4: {
            QFile damaged(entry);
            QVERIFY(damaged.open(QIODevice::ReadWrite));
            damaged.resize(damaged.size() / 2);
            break;
        }
        }
        const DecodedPicture shown = decode(file);
        QCOMPARE(m_decodes, 1);
        QVERIFY(!isRed(centreOf(shown.image)));
        QVERIFY(centreOf(shown.image).blue() > 200);
    }

    void aFileThatDoesNotDecodeIsNotTriedAgainUntilItChanges()
    {
        const QString file = m_dir.filePath(QStringLiteral("P1I4.jpg"));
        {
            QFile text(file);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a picture at all");
        }
        QVERIFY(setChanged(file));
        QVERIFY(decode(file).isNull());
        QCOMPARE(m_decodes, 1);
        DesktopThumbnails::waitForWrites();
        const QString failure = entryPath(QStringLiteral("fail/kolumbra-") + QStringLiteral(KOLUMBRA_VERSION), file);
        QVERIFY(QFileInfo::exists(failure));

        QVERIFY(decode(file).isNull());
        QCOMPARE(m_decodes, 1);

        // Now a picture, written within the same second: its size tells.
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(file, "JPEG"));
        QVERIFY(setChanged(file));
        QVERIFY(!decode(file).isNull());
        QCOMPARE(m_decodes, 2);
    }

    void anotherProgramsFailureIsNotOurs()
    {
        const QString file = picture(QStringLiteral("P1I5.jpg"));
        putEntry(QStringLiteral("fail/gnome-thumbnail-factory"), file, QSize(1, 1), DesktopThumbnails::addressOf(file),
                 changed().toSecsSinceEpoch());
        QVERIFY(!decode(file).isNull());
        QCOMPARE(m_decodes, 1);
    }

    void anUnusableCacheCostsOnlySpeed_data()
    {
        QTest::addColumn<QString>("blocked");
        QTest::newRow("cache home is a file") << "cache";
        QTest::newRow("thumbnails is a file") << "cache/thumbnails";
        QTest::newRow("large is a file") << "cache/thumbnails/large";
    }

    void anUnusableCacheCostsOnlySpeed()
    {
        // Made impossible by files in the way, which even a user who may
        // write everywhere cannot get past.
        QFETCH(QString, blocked);
        QDir().mkpath(QFileInfo(m_dir.filePath(blocked)).path());
        QFile blocker(m_dir.filePath(blocked));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString file = picture(QStringLiteral("P2I0.jpg"));
        for (int i = 1; i <= 2; ++i) {
            const DecodedPicture shown = decode(file);
            QCOMPARE(shown.image.size(), QSize(150, 100));
            DesktopThumbnails::waitForWrites();
            QCOMPARE(m_decodes, i);
        }
        QVERIFY(QFileInfo(m_dir.filePath(blocked)).isFile());
    }

    void forgettingRemovesEveryEntryAndBeatsAWriteOnItsWay()
    {
        const QString file = picture(QStringLiteral("P2I1.jpg"));
        const QString address = DesktopThumbnails::addressOf(file);
        for (const char *size : {"normal", "large", "xx-large"})
            putEntry(QString::fromLatin1(size), file, QSize(100, 66), address, changed().toSecsSinceEpoch());
        putEntry(QStringLiteral("fail/kolumbra-") + QStringLiteral(KOLUMBRA_VERSION), file, QSize(1, 1), address,
                 changed().toSecsSinceEpoch());
        const QString other = picture(QStringLiteral("P2I2.jpg"));
        putEntry(QStringLiteral("large"), other, QSize(256, 171), DesktopThumbnails::addressOf(other),
                 changed().toSecsSinceEpoch());

        DesktopThumbnails::forget(file);
        QCOMPARE(QDir(cache() + QStringLiteral("/large")).entryList(QDir::Files),
                 QStringList{DesktopThumbnails::entryNameOf(other)});
        QVERIFY(!QFileInfo::exists(entryPath(QStringLiteral("normal"), file)));
        QVERIFY(!QFileInfo::exists(entryPath(QStringLiteral("xx-large"), file)));
        QVERIFY(
            !QFileInfo::exists(entryPath(QStringLiteral("fail/kolumbra-") + QStringLiteral(KOLUMBRA_VERSION), file)));

        // Decoded before the program wrote the file, written after: the
        // entry would describe the old picture under the new one's time.
        const QString third = picture(QStringLiteral("P2I3.jpg"));
        {
            const DesktopThumbnails::WritesHeld held;
            decode(file);
            decode(third);
            DesktopThumbnails::forget(file);
            QTest::qWait(20);
            QVERIFY(!QFileInfo::exists(entryPath(QStringLiteral("large"), third)));  // held back
        }
        DesktopThumbnails::waitForWrites();
        QVERIFY(!QFileInfo::exists(entryPath(QStringLiteral("large"), file)));
        QVERIFY(QFileInfo::exists(entryPath(QStringLiteral("large"), third)));
    }
};

KOLUMBRA_TEST(DesktopThumbnailsTest)
#include "DesktopThumbnailsTest.moc"
