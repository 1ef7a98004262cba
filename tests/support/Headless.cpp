#include "support/Headless.h"

#include <QString>

namespace Headless {

void prepare()
{
    // A test that hangs is stopped by its time limit; attaching a debugger to
    // print the stack then can hang in turn.
    if (qEnvironmentVariableIsEmpty("QTEST_DISABLE_STACK_DUMP"))
        qputenv("QTEST_DISABLE_STACK_DUMP", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (!message.startsWith(QLatin1String("This plugin does not support")))
            previous(type, context, message);
    });
}

}  // namespace Headless
