#pragma once

#include <QString>

#include <functional>
#include <vector>

// The benchmark program prints one figure per line: "name value unit".
// Each group of figures lives in a file of its own and registers here;
// `kolumbra-bench [word...]` runs the groups whose name contains a word.
namespace Bench {

using Group = std::function<void()>;
int add(const char *name, Group group);
// Prints a figure at once, so long groups show progress.
void report(const QString &name, double value, const QString &unit);

// The middle one of the times (the upper middle of an even count).
double median(std::vector<double> times);
// Milliseconds taken by fn, the median of `runs` runs; `before` runs
// untimed ahead of each run.
double medianMs(int runs, const std::function<void()> &fn, const std::function<void()> &before = {});

}  // namespace Bench

#define KOLUMBRA_BENCH(Name, Function) static const int kolumbraBench##Name = Bench::add(#Name, Function);
