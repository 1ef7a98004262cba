#include "BenchPage.h"

#include "albumpage/AlbumPageWindow.h"
#include "albumstore/DesktopThumbnails.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace BenchPage {

double freshLoadMs(TestEnvironment &env)
{
    AlbumPageWindow fresh(env.owner().context(), env.owner());
    fresh.show();
    QElapsedTimer t;
    t.start();
    fresh.loadPage();
    return t.nsecsElapsed() / 1e6;
}

double coldLoadMs(TestEnvironment &env)
{
    env.emptyThumbnailCache();
    const double ms = freshLoadMs(env);
    DesktopThumbnails::waitForWrites();
    return ms;
}

double gdkPixbufMs(const QStringList &files)
{
    const QString thumbnailer = QStandardPaths::findExecutable(QStringLiteral("gdk-pixbuf-thumbnailer"));
    if (thumbnailer.isEmpty())
        return 0;
    QTemporaryDir out;
    std::vector<std::unique_ptr<QProcess>> running;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < files.size(); ++i) {
        running.push_back(std::make_unique<QProcess>());
        running.back()->start(
            thumbnailer,
            {QStringLiteral("-s"), QStringLiteral("256"), files.at(i), out.filePath(QStringLiteral("%1.png").arg(i))});
    }
    for (const auto &p : running)
        p->waitForFinished(-1);
    return t.nsecsElapsed() / 1e6;
}

}  // namespace BenchPage
