#include "albumstore/JpegDecoder.h"
#include "albumstore/PictureLoader.h"
#include "support/OddPictures.h"
#include "support/TestEnvironment.h"
#include "support/TestMain.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

using Outcome = JpegDecoder::Outcome;

QByteArray encoded(const QImage &image, int quality = 100, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

JpegDecoder::Result decoded(const QByteArray &file, const QSize &wanted = {})
{
    return JpegDecoder::decode(reinterpret_cast<const uchar *>(file.constData()), file.size(), wanted);
}

// Every 8 x 8 block holds one pattern of the transform the file is coded
// with: a wave of `frequency` half-periods across the block (or down it). The
// library reduces a block to M x M pixels from its lowest M frequencies, so
// the wave survives at M/8 of the size only when M > frequency, and a
// reduction too far makes the picture flat grey.
QImage waves(const QSize &size, int frequency, bool across)
{
    QImage image(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int along = (across ? x : y) % 8;
            image.scanLine(y)[x] = uchar(128 + 100 * std::cos(M_PI * frequency * (2 * along + 1) / 16));
        }
    }
    return image;
}

// How much neighbouring pixels differ, across or down: 0 for a flat picture.
double ripple(const QImage &grey, bool across)
{
    double sum = 0;
    for (int y = 1; y < grey.height(); ++y)
        for (int x = 1; x < grey.width(); ++x)
            sum += std::abs(grey.scanLine(y)[x] - (across ? grey.scanLine(y)[x - 1] : grey.scanLine(y - 1)[x]));
    return sum / (double(grey.width() - 1) * (grey.height() - 1));
}

// The same file with an EXIF orientation, as cameras write it.
QByteArray withOrientation(const QByteArray &jpeg, int orientation)
{
    const char exif[] = "Exif\0\0MM\0\x2A\0\0\0\x08"             // big-endian, first directory at 8
                        "\0\x01\x01\x12\0\x03\0\0\0\x01\0?\0\0"  // one entry: orientation, a short
                        "\0\0\0\0";
    QByteArray segment("\xFF\xE1\0\0", 4);
    segment.append(exif, sizeof(exif) - 1);
    segment[3] = char(segment.size() - 2);
    segment[4 + 6 + 8 + 2 + 8 + 1] = char(orientation);
    return QByteArray(jpeg).insert(2, segment);
}

bool near(QRgb pixel, QRgb expected)
{
    return std::abs(qRed(pixel) - qRed(expected)) < 48 && std::abs(qGreen(pixel) - qGreen(expected)) < 48
        && std::abs(qBlue(pixel) - qBlue(expected)) < 48;
}

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kYellow = qRgb(255, 255, 0);

}  // namespace

class JpegDecoderTest : public QObject
{
    Q_OBJECT

private slots:
    // The smallest of the library's M/8 sizes that still holds the size
    // asked for on both sides; anything smaller is blown up again, blurred.
    void decodedSizes_data()
    {
        QTest::addColumn<QSize>("full");
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("decoded");
        QTest::newRow("camera thumbnail, 1/8") << QSize(6000, 4000) << QSize(153, 102) << QSize(750, 500);
        QTest::newRow("one pixel more than 1/8") << QSize(6000, 4000) << QSize(751, 500) << QSize(1500, 1000);
        QTest::newRow("shown large, 3/8") << QSize(6000, 4000) << QSize(1614, 1076) << QSize(2250, 1500);
        QTest::newRow("the taller side decides") << QSize(640, 320) << QSize(400, 280) << QSize(560, 280);
        QTest::newRow("rounded up, 17 at 1/8 is 3") << QSize(17, 17) << QSize(3, 3) << QSize(3, 3);
        QTest::newRow("budget's 6/8 of 100 MP") << QSize(12240, 8160) << QSize(9180, 6120) << QSize(9180, 6120);
        QTest::newRow("whole") << QSize(6000, 4000) << QSize() << QSize(6000, 4000);
        QTest::newRow("not smaller both ways") << QSize(600, 40) << QSize(300, 40) << QSize(600, 40);
    }

    void decodedSizes()
    {
        QFETCH(QSize, full);
        QFETCH(QSize, wanted);
        QTEST(JpegDecoder::decodedSize(full, wanted), "decoded");
    }

    // The detail the size asked for can hold is still there: the picture
    // was not decoded smaller and blown up, nor squeezed the wrong way round.
    void keepsTheDetailOfTheSizeAskedFor_data()
    {
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<bool>("across");  // as stored
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("wanted");  // upright
        QTest::newRow("5/8 holds four half-waves") << QSize(640, 640) << 4 << true << 1 << QSize(400, 400);
        QTest::newRow("7/8 for the height") << QSize(640, 320) << 6 << false << 1 << QSize(400, 280);
        QTest::newRow("turned, 5/8 of the stored width") << QSize(640, 320) << 4 << true << 6 << QSize(200, 400);
    }

    void keepsTheDetailOfTheSizeAskedFor()
    {
        QFETCH(QSize, stored);
        QFETCH(int, frequency);
        QFETCH(bool, across);
        QFETCH(int, orientation);
        QFETCH(QSize, wanted);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("waves.jpg"));
        QVERIFY(OddPictures::write(path, withOrientation(encoded(waves(stored, frequency, across)), orientation)));
        const QImage image = PictureLoader::decode(path, [wanted](const QSize &) { return wanted; }).image;
        QCOMPARE(image.size(), wanted);
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        const bool uprightAcross = across != (orientation == 6);
        QVERIFY2(ripple(grey, uprightAcross) > 30, qPrintable(QString::number(ripple(grey, uprightAcross))));
    }

    // Red stays red: the library's bytes land in QImage's order, the unused
    // byte of each pixel opaque; grey stays one byte a pixel.
    void colourModels()
    {
        QImage colour(QSize(32, 16), QImage::Format_RGB32);
        colour.fill(kRed);
        QPainter(&colour).fillRect(QRect(16, 0, 16, 16), QColor(kBlue));
        const JpegDecoder::Result c = decoded(encoded(colour));
        QCOMPARE(int(c.outcome), int(Outcome::Decoded));
        QCOMPARE(c.image.format(), QImage::Format_RGB32);
        QVERIFY(near(c.image.pixel(4, 8), kRed));
        QVERIFY(near(c.image.pixel(28, 8), kBlue));
        for (int x = 0; x < 32; ++x)
            QCOMPARE(reinterpret_cast<const QRgb *>(c.image.constScanLine(8))[x] >> 24, 0xFFu);

        QImage grey(QSize(16, 16), QImage::Format_Grayscale8);
        grey.fill(200);
        const JpegDecoder::Result g = decoded(encoded(grey));
        QCOMPARE(g.image.format(), QImage::Format_Grayscale8);
        QVERIFY(std::abs(g.image.constScanLine(8)[8] - 200) <= 1);

        // CMYK is the reader's: stored inverted by most writers, as this one.
        const QString cmyk = TestEnvironment::testData(QStringLiteral("jpeg-mozilla-reftest/jpg-cmyk-1.jpg"));
        QFile file(cmyk);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(int(JpegDecoder::decode(file).outcome), int(Outcome::NotHandled));
        const QImage shown = PictureLoader::decode(cmyk).image;
        const QImage reference(cmyk.chopped(3) + QStringLiteral("png"));
        QCOMPARE(shown.size(), reference.size());
        QVERIFY(near(shown.pixel(16, 16), reference.pixel(16, 16)));
    }

    // Turned upright as the EXIF orientation says, whole and reduced: the
    // stored picture has red, green, blue and yellow corners.
    void turnsPicturesUpright_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("upright");
        QTest::addColumn<QList<QRgb>>("corners");  // top left, top right, bottom left, bottom right
        const QSize wide(64, 32);
        const QSize tall(32, 64);
        QTest::newRow("1 as stored") << 1 << wide << QList<QRgb>{kRed, kGreen, kBlue, kYellow};
        QTest::newRow("2 mirrored") << 2 << wide << QList<QRgb>{kGreen, kRed, kYellow, kBlue};
        QTest::newRow("3 half a turn") << 3 << wide << QList<QRgb>{kYellow, kBlue, kGreen, kRed};
        QTest::newRow("4 flipped") << 4 << wide << QList<QRgb>{kBlue, kYellow, kRed, kGreen};
        QTest::newRow("5 transposed") << 5 << tall << QList<QRgb>{kRed, kBlue, kGreen, kYellow};
        QTest::newRow("6 a quarter clockwise") << 6 << tall << QList<QRgb>{kBlue, kRed, kYellow, kGreen};
        QTest::newRow("7 transversed") << 7 << tall << QList<QRgb>{kYellow, kGreen, kBlue, kRed};
        QTest::newRow("8 a quarter anticlockwise") << 8 << tall << QList<QRgb>{kGreen, kYellow, kRed, kBlue};
    }

    void turnsPicturesUpright()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, upright);
        QFETCH(QList<QRgb>, corners);
        QImage stored(QSize(64, 32), QImage::Format_RGB32);
        QPainter painter(&stored);
        painter.fillRect(QRect(0, 0, 32, 16), QColor(kRed));
        painter.fillRect(QRect(32, 0, 32, 16), QColor(kGreen));
        painter.fillRect(QRect(0, 16, 32, 16), QColor(kBlue));
        painter.fillRect(QRect(32, 16, 32, 16), QColor(kYellow));
        painter.end();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("turned.jpg"));
        QVERIFY(OddPictures::write(path, withOrientation(encoded(stored), orientation)));

        const auto half = [](const QSize &natural) { return natural / 2; };
        for (const DecodedPicture &picture : {PictureLoader::decode(path), PictureLoader::decode(path, half)}) {
            const QImage &image = picture.image;
            QCOMPARE(picture.naturalSize, upright);
            const int right = image.width() - 2;
            const int bottom = image.height() - 2;
            QVERIFY(image.size() == upright || image.size() == upright / 2);
            QVERIFY(near(image.pixel(1, 1), corners[0]));
            QVERIFY(near(image.pixel(right, 1), corners[1]));
            QVERIFY(near(image.pixel(1, bottom), corners[2]));
            QVERIFY(near(image.pixel(right, bottom), corners[3]));
        }
    }

    // Pixel for pixel what QImageReader gives, with the colour space it
    // reads: progressive, grey, turned, with a colour profile, reduced.
    void sameAsTheReader_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("progressive") << "jpeg-decoder-tower/tower_progressive.jpg" << QSize(512, 512);
        QTest::newRow("progressive at 1/4") << "jpeg-decoder-tower/tower_progressive.jpg" << QSize(128, 128);
        QTest::newRow("grey at 3/8, smoothed") << "jpeg-decoder-tower/tower_grayscale.jpg" << QSize(180, 150);
        QTest::newRow("turned") << "pillow-hopper-samples/hopper_orientation_6.jpg" << QSize(128, 128);
        QTest::newRow("colour profile") << "pillow-hopper-samples/pil_sample_rgb.jpg" << QSize(100, 100);
        QTest::newRow("colour profile, reduced") << "pillow-hopper-samples/pil_sample_rgb.jpg" << QSize(33, 20);
    }

    void sameAsTheReader()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        const QString path = TestEnvironment::testData(file);
        QImageReader reader(path);
        reader.setAutoTransform(true);
        reader.setScaledSize(size);
        const QImage expected = reader.read();
        const QImage image = PictureLoader::decode(path, [size](const QSize &) { return size; }).image;
        QCOMPARE(image, expected);
        QCOMPARE(image.colorSpace(), expected.colorSpace());
    }

    // A file that ends early shows what it holds, with the rest filled as
    // the library fills it; damage in the header fails cleanly, never
    // taking the program down.
    void damagedFiles()
    {
        for (const bool progressive : {false, true}) {
            const QByteArray whole = OddPictures::photo(QSize(400, 300), progressive);
            const JpegDecoder::Result intact = decoded(whole);
            const JpegDecoder::Result cut = decoded(whole.left(whole.size() * 6 / 10));
            QCOMPARE(int(cut.outcome), int(Outcome::Decoded));
            QCOMPARE(cut.image.size(), QSize(400, 300));
            if (!progressive)
                QCOMPARE(cut.image.copy(0, 0, 400, 64), intact.image.copy(0, 0, 400, 64));
            QVERIFY(cut.image != intact.image);
        }

        const QByteArray file = OddPictures::jpeg(QSize(40, 30));
        QCOMPARE(int(decoded(file.left(20)).outcome), int(Outcome::Failed));
        QCOMPARE(int(decoded(QByteArray("\xFF\xD8\xFF\xD9", 4)).outcome), int(Outcome::Failed));
        QCOMPARE(int(decoded(OddPictures::withFrameMarker(file, 0xC3)).outcome), int(Outcome::Failed));
        // 1.6 GB of pixels on the say-so of a header: refused before any is made.
        QCOMPARE(int(decoded(OddPictures::declaring(file, QSize(20000, 20000))).outcome), int(Outcome::Failed));
        // Every byte of the header broken in turn.
        for (int at = 2; at < 700 && at < file.size(); ++at) {
            QByteArray broken = file;
            broken[at] = char(~broken[at]);
            const JpegDecoder::Result r = decoded(broken, QSize(20, 15));
            QVERIFY(r.outcome != Outcome::Decoded || r.image.size() == QSize(20, 15));
        }
    }

    // A file gives the same picture as its bytes in memory (a clipboard's),
    // also where it runs past the pieces it is read in, or ends early, and
    // its position is left alone.
    void filesAndBuffers_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray photo = OddPictures::jpeg(QSize(640, 480));
        QTest::newRow("whole") << photo;
        QTest::newRow("cut short") << photo.left(photo.size() * 2 / 3);
        // Segments nobody reads, 390 KB of them, skipped across pieces; full
        // of end markers, which only a skip that goes wrong would meet.
        QByteArray padded = photo.left(2) + QByteArray::fromHex("ffef03e8") + QByteArray(998, 'x');
        for (int i = 0; i < 6; ++i)
            padded += QByteArray::fromHex("ffeffffd") + QByteArray::fromHex("ffd9").repeated((65533 - 2) / 2) + 'x';
        QTest::newRow("long segments") << padded + photo.mid(2);
    }

    void filesAndBuffers()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("photo.jpg"));
        QVERIFY(OddPictures::write(path, bytes));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.seek(10));
        const JpegDecoder::Result fromFile = JpegDecoder::decode(file, QSize(160, 120));
        QCOMPARE(int(fromFile.outcome), int(Outcome::Decoded));
        QCOMPARE(fromFile.image.size(), QSize(160, 120));
        QCOMPARE(file.pos(), qint64(10));
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QCOMPARE(JpegDecoder::decode(buffer, QSize(160, 120)).image, fromFile.image);
        QCOMPARE(PictureLoader::decodeData(bytes).image, PictureLoader::decode(path).image);
    }
};

KOLUMBRA_TEST(JpegDecoderTest)
#include "JpegDecoderTest.moc"
