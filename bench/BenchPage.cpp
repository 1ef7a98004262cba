#include "BenchPage.h"

#include "albumpage/AlbumPageWindow.h"
#include "support/TestEnvironment.h"

#include <QElapsedTimer>

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

}  // namespace BenchPage
