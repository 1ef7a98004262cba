#include "support/TestMain.h"

#include "support/Headless.h"

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>

namespace TestMain {

namespace {

std::vector<std::pair<const char *, Factory>> &registry()
{
    static std::vector<std::pair<const char *, Factory>> tests;
    return tests;
}

}  // namespace

int add(const char *name, Factory factory)
{
    registry().emplace_back(name, std::move(factory));
    return int(registry().size());
}

}  // namespace TestMain

int main(int argc, char *argv[])
{
    Headless::prepare();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QStandardPaths::setTestModeEnabled(true);
    // Test functions named on the command line run in the classes that have
    // them; the other classes are left out rather than reported as failing.
    const QStringList args = app.arguments();
    const QStringList valued = {"-o", "-maxwarnings", "-eventdelay", "-keydelay", "-mousedelay", "-platform"};
    QStringList functions;
    for (int i = 1; i < args.size(); ++i) {
        if (!args[i].startsWith(QLatin1Char('-')) && !valued.contains(args[i - 1]))
            functions << args[i].section(QLatin1Char(':'), 0, 0);
    }
    int failures = 0;
    for (auto &[name, factory] : TestMain::registry()) {
        std::unique_ptr<QObject> test = factory();
        const QMetaObject *meta = test->metaObject();
        const bool wanted =
            functions.isEmpty() || std::any_of(functions.begin(), functions.end(), [meta](const QString &f) {
                return meta->indexOfMethod(QMetaObject::normalizedSignature(qPrintable(f + QStringLiteral("()")))) >= 0;
            });
        if (wanted)
            failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
