#include "pictureinfo/RecordPicture.h"
#include "albumstore/AlbumStore.h"
#include "support/OddPictures.h"
#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class RecordPictureTest : public QObject
{
    Q_OBJECT

private slots:
    // A picture one pixel high is drawn beside its description 6 pixels
    // high, and decoded to fill that, instead of vanishing.
    void thinPicturesAreSeen()
    {
        QCOMPARE(RecordPicture::toPixels(RecordPicture::fitted(QSize(1000, 1))), QRect(42, 303, 183, 6));
        QCOMPARE(RecordPicture::toPixels(RecordPicture::fitted(QSize(1, 1000))), QRect(131, 214, 6, 183));

        QTemporaryDir dir;
        const AlbumStore store(dir.path());
        QDir(dir.path()).mkdir(QStringLiteral("A"));
        QVERIFY(OddPictures::write(store.picturePath(QStringLiteral("A"), 3, 2, QStringLiteral(".jpg")),
                                   OddPictures::photo(QSize(1000, 1))));
        const DecodedPicture shown = RecordPicture::load(
            RecordPicture::candidates(store, QStringLiteral("A"), QStringLiteral("3"), QStringLiteral("2")),
            QSize(183, 183));
        QCOMPARE(shown.image.size(), QSize(183, 6));
        QCOMPARE(shown.naturalSize, QSize(1000, 1));
    }
};

KOLUMBRA_TEST(RecordPictureTest)
#include "RecordPictureTest.moc"
