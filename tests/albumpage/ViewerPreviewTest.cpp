#include "albumpage/ViewerPreview.h"
#include "support/TestMain.h"

#include <QtTest>

class ViewerPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    // A thin picture's preview is 6 pixels (90 twips) across, not a sliver
    // that rounds to nothing; others keep their proportions.
    void thinPicturesAreSeen()
    {
        QCOMPARE(ViewerPreview::fit(QSize(1000, 1)), QRectF(0, 2062.5, 4215, 90));
        QCOMPARE(ViewerPreview::fit(QSize(1, 1000)), QRectF(2062.5, 0, 90, 4215));
        QCOMPARE(ViewerPreview::fit(QSize(4000, 100)), QRectF(0, 2054.8125, 4215, 105.375));
    }
};

KOLUMBRA_TEST(ViewerPreviewTest)
#include "ViewerPreviewTest.moc"
