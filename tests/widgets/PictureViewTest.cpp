#include "widgets/PictureView.h"
#include "support/TestMain.h"

#include <QPixmap>
#include <QtTest>

namespace {

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

// The smallest rectangle holding every red pixel, and how many there are.
QRect redArea(const QImage &image, int *count)
{
    QRect area;
    *count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (isRed(image.pixel(x, y))) {
                area |= QRect(x, y, 1, 1);
                ++*count;
            }
        }
    }
    return area;
}

}  // namespace

// The image control every window shows its pictures in.
class PictureViewTest : public QObject
{
    Q_OBJECT

private slots:
    // As large as the control allows with its proportions kept, and centred
    // across the direction it does not fill.
    void pictureIsCentredInABoxOfAnotherShape_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QRect>("drawn");
        QTest::newRow("wide in a square") << QSize(40, 20) << QSize(100, 100) << QRect(0, 25, 100, 50);
        QTest::newRow("upright in a wide box") << QSize(20, 40) << QSize(120, 60) << QRect(45, 0, 30, 60);
        QTest::newRow("square, odd space left") << QSize(10, 10) << QSize(101, 50) << QRect(25, 0, 50, 50);
        QTest::newRow("the box's own shape") << QSize(30, 20) << QSize(90, 60) << QRect(0, 0, 90, 60);
    }

    void pictureIsCentredInABoxOfAnotherShape()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, box);
        QFETCH(QRect, drawn);
        PictureView view;
        view.setAutoFillBackground(true);
        QPalette palette = view.palette();
        palette.setColor(QPalette::Window, Qt::black);
        view.setPalette(palette);
        view.resize(box);
        QPixmap red(picture);
        red.fill(Qt::red);
        view.setPicture(red, picture, QString());
        const QImage shot = view.grab().toImage();
        QCOMPARE(shot.size(), box);
        int count = 0;
        QCOMPARE(redArea(shot, &count), drawn);
        QCOMPARE(count, drawn.width() * drawn.height());
    }
};

KOLUMBRA_TEST(PictureViewTest)
#include "PictureViewTest.moc"
