#include "support/TestMain.h"

#include "support/Headless.h"

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace TestMain {

namespace {

#ifdef Q_OS_UNIX
// Qt Test's crash handler stays installed after a run that found the default
// handler in place, and the next run then takes it for the handler it must
// hand a crash on to: a crash in any test class but the first calls the
// handler again and again, printing "Received signal" for ever. Each run
// starts from the handling the program started with, so a crash ends it.
class CrashHandling
{
public:
    CrashHandling()
    {
        for (const int number :
             {SIGHUP, SIGINT, SIGQUIT, SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGPIPE, SIGTERM}) {
            struct sigaction action;
            if (sigaction(number, nullptr, &action) == 0)
                m_saved.emplace_back(number, action);
        }
    }

    void restore() const
    {
        for (const auto &[number, action] : m_saved)
            sigaction(number, &action, nullptr);
    }

private:
    std::vector<std::pair<int, struct sigaction>> m_saved;
};
#else
// Elsewhere Qt Test's crash handler is no signal handler that could be left
// behind.
class CrashHandling
{
public:
    void restore() const { }
};
#endif

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
    const TestMain::CrashHandling crashHandling;
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
        if (!wanted)
            continue;
        crashHandling.restore();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
