#include "Bench.h"

#include "support/Headless.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>

namespace Bench {

namespace {

std::vector<std::pair<const char *, Group>> &groups()
{
    static std::vector<std::pair<const char *, Group>> list;
    return list;
}

}  // namespace

int add(const char *name, Group group)
{
    groups().emplace_back(name, std::move(group));
    return int(groups().size());
}

void report(const QString &name, double value, const QString &unit)
{
    std::printf("%s %.3f %s\n", qPrintable(name), value, qPrintable(unit));
    std::fflush(stdout);
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double medianMs(int runs, const std::function<void()> &fn, const std::function<void()> &before)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        QElapsedTimer t;
        t.start();
        fn();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(std::move(times));
}

}  // namespace Bench

int main(int argc, char *argv[])
{
    Headless::prepare();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList words = app.arguments().mid(1);
    for (auto &[name, group] : Bench::groups()) {
        const QString n = QString::fromLatin1(name);
        const bool wanted = words.isEmpty() || std::any_of(words.begin(), words.end(), [&n](const QString &w) {
                                return n.contains(w, Qt::CaseInsensitive);
                            });
        if (wanted)
            group();
    }
    return 0;
}
