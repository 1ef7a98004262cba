#include "albumstore/PictureBudget.h"
#include "albumpage/ThumbLayout.h"
#include "albumstore/PictureHeader.h"
#include "albumstore/PictureLoader.h"
#include "support/OddPictures.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QDirIterator>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(PictureHeader)

namespace {

using Format = PictureHeader::Format;
using Verdict = PictureBudget::Verdict;
using Components = std::vector<PictureHeader::Component>;

const Components kColour420{{2, 2}, {1, 1}, {1, 1}};
const Components kColour444{{1, 1}, {1, 1}, {1, 1}};
const Components kGrey{{1, 1}};

PictureHeader jpeg(const QSize &size, bool progressive, const Components &components, qint64 dataBytes)
{
    PictureHeader h;
    h.format = Format::Jpeg;
    h.size = size;
    h.progressive = progressive;
    h.components = components;
    h.dataStart = 600;
    h.fileBytes = h.dataStart + dataBytes;
    return h;
}

PictureHeader bitmap(const QSize &size, int bits, qint64 dataBytes, int compression = 0)
{
    PictureHeader h;
    h.format = Format::Bitmap;
    h.size = size;
    h.bitsPerPixel = bits;
    h.compression = compression;
    h.dataStart = 1078;
    h.fileBytes = h.dataStart + dataBytes;
    return h;
}

PictureHeader headerOf(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return PictureHeader::read(buffer);
}

// The thumbnail of a position on the design page.
const PictureLoader::TargetSize kThumbnail = [](const QSize &natural) {
    return ThumbLayout::thumbPixelSize(natural, 1.0, 1.0);
};

}  // namespace

class PictureBudgetTest : public QObject
{
    Q_OBJECT

private slots:
    void headersSayWhatTheFileDeclares_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("format");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("progressive");
        QTest::addColumn<int>("components");  // JPEG components, bitmap bits per pixel
        const auto row = [](const char *name, const QByteArray &file, Format f) -> QTestData & {
            return QTest::newRow(name) << file << int(f);
        };
        row("progressive grey, claiming 49157 x 27397",
            OddPictures::declaring(OddPictures::jpeg(QSize(8, 8), true, true), QSize(49157, 27397)), Format::Jpeg)
            << QSize(49157, 27397) << true << 1;
        row("baseline colour", OddPictures::jpeg(QSize(40, 30)), Format::Jpeg) << QSize(40, 30) << false << 3;
        row("arithmetic", OddPictures::withFrameMarker(OddPictures::jpeg(QSize(40, 30)), 0xC9), Format::Jpeg)
            << QSize(40, 30) << false << 3;
        row("palette bitmap, claiming 2554 x 18803",
            OddPictures::declaring(OddPictures::bitmap(QSize(12, 12), 4), QSize(2554, 18803)), Format::Bitmap)
            << QSize(2554, 18803) << false << 4;
        row("grey bitmap", OddPictures::bitmap(QSize(12, 12), 8), Format::Bitmap) << QSize(12, 12) << false << 8;
        row("bitmap stored top-down", OddPictures::declaring(OddPictures::bitmap(QSize(12, 12), 24), QSize(12, -12)),
            Format::Bitmap)
            << QSize(12, 12) << false << 24;
        // As the decoder does, a segment length too short to count itself
        // skips nothing.
        row("a segment length of 1", OddPictures::jpeg(QSize(40, 30)).insert(2, QByteArray("\xFF\xE1\x00\x01", 4)),
            Format::Jpeg)
            << QSize(40, 30) << false << 3;
        row("JPEG ending before its frame header", OddPictures::jpeg(QSize(40, 30)).left(20), Format::Jpeg)
            << QSize() << false << 0;
        row("a GIF", QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14), Format::Unknown) << QSize() << false << 0;
        row("text", QByteArray("BMW is a car"), Format::Bitmap) << QSize() << false << 0;
    }

    void headersSayWhatTheFileDeclares()
    {
        QFETCH(QByteArray, file);
        QFETCH(QSize, size);
        QFETCH(int, components);
        const PictureHeader h = headerOf(file);
        QTEST(int(h.format), "format");
        QCOMPARE(h.size, size);
        QTEST(h.progressive, "progressive");
        QCOMPARE(h.format == Format::Bitmap ? h.bitsPerPixel : int(h.components.size()), components);
        QCOMPARE(h.fileBytes, qint64(file.size()));
    }

    // Qt's writer codes colour 4:2:0, all in the first scan; the arithmetic
    // marker is told apart from the Huffman ones, and where the data starts.
    void jpegLayout()
    {
        const QByteArray file = OddPictures::jpeg(QSize(40, 30));
        const PictureHeader h = headerOf(file);
        QCOMPARE(h.components.size(), std::size_t(3));
        QCOMPARE(h.components[0].horizontal, 2);
        QCOMPARE(h.components[0].vertical, 2);
        QCOMPARE(h.components[1].horizontal, 1);
        QVERIFY(!h.componentsInSeparateScans && !h.arithmetic);
        // The first scan header ends where its data begins: with 0xFF 0xDA
        // 14 bytes before it, for three components.
        QCOMPARE(uchar(file.at(h.dataStart - 14)), uchar(0xFF));
        QCOMPARE(uchar(file.at(h.dataStart - 13)), uchar(0xDA));
        QVERIFY(headerOf(OddPictures::withFrameMarker(file, 0xC9)).arithmetic);
        QVERIFY(headerOf(OddPictures::withFrameMarker(file, 0xCA)).progressive);
    }

    // Across every JPEG and bitmap of the corpus (EXIF, ICC, CMYK, old OS/2
    // headers, damaged ones), the header reads the size the decoder reads.
    void headersAgreeWithTheDecoder()
    {
        int compared = 0;
        QDirIterator it(TestEnvironment::testData(QString()), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const PictureHeader h = PictureHeader::read(path);
            QImageReader reader(path);
            reader.setDecideFormatFromContent(true);
            const QByteArray format = reader.format();
            if (format == "jpeg")
                QCOMPARE(int(h.format), int(Format::Jpeg));
            if (format == "bmp")
                QCOMPARE(int(h.format), int(Format::Bitmap));
            if (h.format == Format::Unknown || !reader.size().isValid())
                continue;
            const QSize decoderSize(reader.size().width(), std::abs(reader.size().height()));
            QVERIFY2(h.size == decoderSize, qPrintable(path));
            ++compared;
        }
        QVERIFY(compared > 100);
        QVERIFY(
            PictureHeader::read(TestEnvironment::testData(QStringLiteral("jpeg-decoder-tower/tower_progressive.jpg")))
                .progressive);
        QVERIFY(!PictureHeader::read(TestEnvironment::testData(QStringLiteral("jpeg-decoder-tower/tower.jpg")))
                     .progressive);
    }

    // The decision, from headers alone. Everything people keep shows; headers
    // claiming far more than their file holds, or than the budget allows, do
    // not.
    void decisions_data()
    {
        QTest::addColumn<PictureHeader>("header");
        QTest::addColumn<QSize>("decodedTo");  // empty: the whole picture
        QTest::addColumn<int>("verdict");
        const QSize thumbnail(153, 102);
        const QSize large(1614, 1076);
        const auto row = [](const char *name, const PictureHeader &h, const QSize &to, Verdict v) {
            QTest::newRow(name) << h << to << int(v);
        };
        const PictureHeader camera = jpeg(QSize(6000, 4000), false, kColour420, 8'000'000);
        row("24 MP camera photo, thumbnail", camera, thumbnail, Verdict::Decode);
        row("24 MP camera photo, whole", camera, {}, Verdict::Decode);
        const PictureHeader fifty = jpeg(QSize(8688, 5792), true, kColour420, 20'000'000);
        row("50 MP progressive photo, thumbnail", fifty, thumbnail, Verdict::Decode);
        row("50 MP progressive photo, large", fifty, large, Verdict::Decode);
        const PictureHeader phone = jpeg(QSize(12240, 8160), false, kColour420, 25'000'000);
        row("100 MP phone photo, thumbnail", phone, thumbnail, Verdict::Decode);
        row("100 MP phone photo, large", phone, large, Verdict::Decode);
        row("100 MP phone photo, whole", phone, {}, Verdict::TooLarge);
        const PictureHeader panorama = jpeg(QSize(12000, 3000), true, kColour444, 12'000'000);
        row("progressive panorama in full colour, thumbnail", panorama, QSize(153, 38), Verdict::Decode);
        row("progressive panorama in full colour, 4K screen", panorama, QSize(3840, 960), Verdict::Decode);
        row("50 MP progressive in full colour", jpeg(QSize(8688, 5792), true, kColour444, 30'000'000), thumbnail,
            Verdict::TooLarge);

        row("613-byte progressive claiming 49157 x 27397", jpeg(QSize(49157, 27397), true, kGrey, 13), thumbnail,
            Verdict::TooLarge);
        row("43 KB baseline claiming 65000 x 65000", jpeg(QSize(65000, 65000), false, kColour420, 43'000),
            QSize(153, 153), Verdict::TooLarge);
        row("43 KB baseline claiming 30000 x 20000", jpeg(QSize(30000, 20000), false, kColour420, 43'000), thumbnail,
            Verdict::TooLittleData);
        // 14 062 500 blocks need 3.5 MB at two bits each; half of that is enough.
        row("30000 x 20000 with data for half of it", jpeg(QSize(30000, 20000), false, kColour420, 1'760'000),
            thumbnail, Verdict::Decode);
        row("30000 x 20000 with a little less", jpeg(QSize(30000, 20000), false, kColour420, 1'750'000), thumbnail,
            Verdict::TooLittleData);
        PictureHeader arithmetic = jpeg(QSize(20000, 20000), false, kColour420, 15'000);
        arithmetic.arithmetic = true;
        row("15 KB arithmetic claiming 20000 x 20000", arithmetic, thumbnail, Verdict::TooLittleData);
        PictureHeader separate = jpeg(QSize(16000, 12000), false, kColour444, 40'000'000);
        row("192 MP baseline in one scan", separate, thumbnail, Verdict::Decode);
        separate.componentsInSeparateScans = true;
        row("the same, a scan for each component", separate, thumbnail, Verdict::TooLarge);

        row("253-byte bitmap claiming 2554 x 18803", bitmap(QSize(2554, 18803), 8, 191), thumbnail,
            Verdict::TooLittleData);
        row("2554 x 18803 bitmap with all its rows", bitmap(QSize(2554, 18803), 8, qint64(2556) * 18803), thumbnail,
            Verdict::Decode);
        row("20000 x 20000 colour bitmap", bitmap(QSize(20000, 20000), 24, qint64(60000) * 20000), thumbnail,
            Verdict::TooLarge);
        row("run-length bitmap holding only its end", bitmap(QSize(7000, 7000), 8, 2, PictureHeader::kRle8), thumbnail,
            Verdict::TooLittleData);
        row("bitmap that lost 40% of its rows", bitmap(QSize(1000, 1000), 24, 3000 * 600), thumbnail, Verdict::Decode);
        row("bitmap that lost 60% of its rows", bitmap(QSize(1000, 1000), 24, 3000 * 400), thumbnail,
            Verdict::TooLittleData);
        row("no size", PictureHeader{}, thumbnail, Verdict::NoPicture);
    }

    void decisions()
    {
        QFETCH(PictureHeader, header);
        QFETCH(QSize, decodedTo);
        QTEST(int(PictureBudget::judge(header, decodedTo)), "verdict");
    }

    // What decoding takes, worked out by hand.
    void workingMemory()
    {
        // 2 bytes for each of 6145 x 3425 blocks of 64 samples: 2.69 GB of
        // coefficients, however small the picture is decoded.
        const PictureHeader hostile = jpeg(QSize(49157, 27397), true, kGrey, 13);
        QVERIFY(PictureBudget::workingBytes(hostile, QSize(153, 85)) > qint64(2'693'968'000));
        // 3 x 1500 x 375 blocks of coefficients (216 000 000), the picture
        // decoded at 3/8 (4500 x 1125 x 4 = 20 250 000), scaled to the screen
        // (3840 x 960 x 4 = 14 745 600), and rows on the way ((4500 + 64) x 3
        // x 8 x 4 = 438 144).
        const PictureHeader panorama = jpeg(QSize(12000, 3000), true, kColour444, 12'000'000);
        QCOMPARE(PictureBudget::workingBytes(panorama, QSize(3840, 960)), qint64(251'433'744));
        // A bitmap is read whole (6000 x 4000 at 4 bytes), then scaled.
        const PictureHeader colourBitmap = bitmap(QSize(6000, 4000), 24, 72'000'000);
        QCOMPARE(PictureBudget::workingBytes(colourBitmap, QSize(153, 102)), qint64(96'000'000 + 62'424 + 24'000));
    }

    // The largest a picture can be decoded to within the budget: the whole
    // of a camera photo, 6/8 of a 100 MP one, nothing of a hostile one.
    void largestWithinTheBudget()
    {
        QCOMPARE(PictureBudget::largestWithin(jpeg(QSize(6000, 4000), false, kColour420, 8'000'000)),
                 QSize(6000, 4000));
        QCOMPARE(PictureBudget::largestWithin(jpeg(QSize(12240, 8160), false, kColour420, 25'000'000)),
                 QSize(9180, 6120));
        QCOMPARE(PictureBudget::largestWithin(jpeg(QSize(49157, 27397), true, kGrey, 13)), QSize());
        QCOMPARE(PictureBudget::largestWithin(bitmap(QSize(20000, 20000), 24, qint64(60000) * 20000)), QSize());
    }

    // Hostile files come out as files that do not decode, whichever way a
    // window asks for them.
    void hostileHeadersAreRefused()
    {
        QTemporaryDir dir;
        const QList<OddPictures::Named> files = OddPictures::hostileHeaders();
        QCOMPARE(files.size(), 8);
        for (const OddPictures::Named &file : files) {
            const QString path = dir.filePath(file.name);
            QVERIFY(OddPictures::write(path, file.bytes));
            QVERIFY2(PictureLoader::decode(path, kThumbnail).isNull(), qPrintable(file.name));
            QVERIFY2(PictureLoader::decodeFitted(path, QSize(1614, 1000)).isNull(), qPrintable(file.name));
            QVERIFY2(PictureLoader::decode(path).isNull(), qPrintable(file.name));
            QVERIFY2(PictureLoader::decodeLargest(path).isNull(), qPrintable(file.name));
            QVERIFY2(PictureLoader::decodeData(file.bytes, kThumbnail).isNull(), qPrintable(file.name));
        }
    }

    // A camera-size progressive photo still shows, as thumbnail and whole.
    void aCameraPhotoStillShows()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("camera.jpg"));
        QVERIFY(OddPictures::write(path, OddPictures::photo(QSize(6000, 4000), true)));
        QVERIFY(PictureHeader::read(path).progressive);
        const DecodedPicture thumb = PictureLoader::decode(path, kThumbnail);
        QCOMPARE(thumb.image.size(), QSize(153, 102));
        QCOMPARE(thumb.naturalSize, QSize(6000, 4000));
        QCOMPARE(PictureLoader::decodeLargest(path).image.size(), QSize(6000, 4000));
    }

    // A file that ends early shows what decoded when it may hold at least
    // half its picture, and is refused when it cannot.
    void truncatedFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cut"));
        const QByteArray photo = OddPictures::jpeg(QSize(400, 300));
        const PictureHeader whole = headerOf(photo);
        // 400 x 300 in 4:2:0 is 1900 + 2 x 475 blocks: 712.5 bytes at two bits
        // each, half of it 356.25.
        QVERIFY(OddPictures::write(path, photo.left(photo.size() * 6 / 10)));
        QCOMPARE(PictureLoader::decode(path, kThumbnail).image.size(), QSize(153, 115));
        QVERIFY(OddPictures::write(path, photo.left(whole.dataStart + 340)));
        QVERIFY(PictureLoader::decode(path, kThumbnail).isNull());
        QVERIFY(OddPictures::write(path, photo.left(whole.dataStart + 360)));
        QVERIFY(!PictureLoader::decode(path, kThumbnail).isNull());

        // A bitmap is stored bottom row first: what is missing is the top, black.
        const QByteArray bmp = OddPictures::bitmap(QSize(100, 100), 24);
        const PictureHeader b = headerOf(bmp);
        QVERIFY(OddPictures::write(path, bmp.left(b.dataStart + 300 * 60)));
        const DecodedPicture cut = PictureLoader::decode(path);
        QCOMPARE(cut.image.size(), QSize(100, 100));
        QCOMPARE(cut.image.pixel(50, 0), qRgb(0, 0, 0));
        QCOMPARE(cut.image.pixel(50, 99), QImage::fromData(bmp).pixel(50, 99));
        QVERIFY(OddPictures::write(path, bmp.left(b.dataStart + 300 * 40)));
        QVERIFY(PictureLoader::decode(path).isNull());
    }
};

KOLUMBRA_TEST(PictureBudgetTest)
#include "PictureBudgetTest.moc"
