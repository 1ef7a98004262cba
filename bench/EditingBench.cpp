#include "Bench.h"
#include "BenchPictures.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumpage/EditController.h"
#include "albumpage/PictureFiles.h"
#include "albumstore/DesktopThumbnails.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <vector>

namespace {

void placingFigures()
{
    const QString photo = BenchPictures::photos(1, QSize(6000, 4000)).first();
    const double megabytes = QFileInfo(photo).size() / 1e6;
    TestEnvironment env;
    env.makeAlbum(QStringLiteral("Place"));
    AlbumPageWindow *form = env.openAlbum(QStringLiteral("Place"));
    if (!form)
        return;

    // The thumbnail is up before the copy starts; time both parts.
    std::vector<double> thumbnail;
    std::vector<double> whole;
    std::vector<double> copy;
    for (int i = 0; i < 5; ++i) {
        // A picture never drawn before: nothing in the desktop's cache.
        env.emptyThumbnailCache();
        QElapsedTimer t;
        t.start();
        const DecodedPicture picture = form->decodeThumbnail({photo});
        form->setPosition(1 + i % 6, picture);
        thumbnail.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        form->editing().placePicture(1 + i % 6, photo);
        whole.push_back(t.nsecsElapsed() / 1e6);
        t.restart();
        PictureFiles::copyInto(photo,
                               env.store.picturePath(QStringLiteral("Place"), 2, 1 + i % 6, QStringLiteral(".bmp")));
        copy.push_back(t.nsecsElapsed() / 1e6);
        DesktopThumbnails::waitForWrites();
    }
    Bench::report(QStringLiteral("place_24MP_thumbnail_shown_ms"), Bench::median(thumbnail), QStringLiteral("ms"));
    Bench::report(QStringLiteral("place_24MP_with_copy_ms"), Bench::median(whole), QStringLiteral("ms"));

    // The same bytes copied by cp, for the disk's own speed.
    QTemporaryDir out;
    std::vector<double> cp;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess::execute(
            QStringLiteral("sh"),
            {QStringLiteral("-c"), QStringLiteral("cp '%1' '%2/x%3' && sync -f '%2'").arg(photo, out.path()).arg(i)});
        cp.push_back(t.nsecsElapsed() / 1e6);
    }
    Bench::report(QStringLiteral("place_copy_MBps"), megabytes / (Bench::median(copy) / 1000.0),
                  QStringLiteral("MB/s"));
    Bench::report(QStringLiteral("cp_and_sync_MBps"), megabytes / (Bench::median(cp) / 1000.0), QStringLiteral("MB/s"));
}

}  // namespace

KOLUMBRA_BENCH(Placing, placingFigures)
