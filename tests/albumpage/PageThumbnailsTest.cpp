#include "albumpage/PictureFiles.h"
#include "albumstore/DesktopThumbnails.h"
#include "support/StaleThumbnails.h"
#include "support/TestMain.h"

#include "EditingFixture.h"

#include <QtTest>

class PageThumbnailsTest : public QObject
{
    Q_OBJECT

private slots:
    void aPageSeenInAnEarlierRunIsDrawnFromTheCache()
    {
        EditingFixture first;
        for (int i = 0; i < 6; ++i)
            first.env.putPicture(first.album, QStringLiteral("P1I%1.jpg").arg(i), QSize(1200, 800), Qt::blue);
        QVERIFY(first.open());
        DesktopThumbnails::waitForWrites();
        const QDir large(first.env.cacheFolder() + QStringLiteral("/thumbnails/large"));
        const QStringList entries = large.entryList(QDir::Files);
        QCOMPARE(entries.size(), 6);

        // Painted red, keys kept: whatever the next start draws red came
        // from the cache, not from the pictures.
        for (const QString &name : entries) {
            QImage entry(large.filePath(name), "PNG");
            QImage red = entry;
            red.fill(Qt::red);
            QVERIFY(red.save(large.filePath(name)));
        }
        TestEnvironment later(first.env.programFolder(), first.env.configFolder());
        later.useCacheOf(first.env);
        AlbumPageWindow *page = later.openAlbum(first.album);
        QVERIFY(page);
        for (int n = 1; n <= 6; ++n) {
            const QColor c = StaleThumbnails::centreOf(page->grid().view(n)->pixmap().toImage());
            QVERIFY2(c.red() > 200 && c.blue() < 60, qPrintable(QStringLiteral("position %1").arg(n)));
            QCOMPARE(page->grid().view(n)->naturalSize(), QSize(1200, 800));
        }
    }

    void everyWriteOfAPositionForgetsItsThumbnail_data()
    {
        QTest::addColumn<int>("write");
        QTest::newRow("paste") << 0;
        QTest::newRow("place") << 1;
        QTest::newRow("delete") << 2;
    }

    void everyWriteOfAPositionForgetsItsThumbnail()
    {
        using namespace StaleThumbnails;
        QFETCH(int, write);
        EditingFixture f;
        const QString target = f.file(QStringLiteral("P1I0.bmp"));
        QVERIFY(drawnRed(target));
        const QString blue = f.env.home().filePath(QStringLiteral("blue.bmp"));
        QVERIFY(put(blue, Qt::blue));
        switch (write) {
        case 0:
            QVERIFY(PictureFiles::saveBitmap(filled(Qt::blue), target).ok);
            break;
        case 1:
            QVERIFY(PictureFiles::copyInto(blue, target).ok);
            break;
        case 2:
            // Nothing is left to describe a picture that is gone.
            QVERIFY(PictureFiles::removePosition(f.env.store.albumFolder(f.album), 1, 1).ok);
            QCOMPARE(f.env.thumbnailEntries(), QStringList());
            return;
        }
        QVERIFY(setChanged(target));
        QVERIFY2(isBlue(drawn(target)), "the old picture's thumbnail was drawn");
    }
};

KOLUMBRA_TEST(PageThumbnailsTest)
#include "PageThumbnailsTest.moc"
