#include "support/Headless.h"

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace Headless {

void prepare()
{
    // A test that hangs is stopped by its time limit; attaching a debugger to
    // print the stack then can hang in turn.
    if (qEnvironmentVariableIsEmpty("QTEST_DISABLE_STACK_DUMP"))
        qputenv("QTEST_DISABLE_STACK_DUMP", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test or benchmark reads or writes the user's thumbnails; a test
    // environment gives each test a cache of its own.
    static QTemporaryDir cacheHome(QDir::temp().filePath(QStringLiteral("kolumbra-cache-XXXXXX")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(cacheHome.path()));
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            previous(type, context, message);
    });
}

}  // namespace Headless
