#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

// One test program per source folder may hold several test classes, each in
// a file of its own; each registers itself here and the shared main runs them
// all, headless.
namespace TestMain {

using Factory = std::function<std::unique_ptr<QObject>()>;
int add(const char *name, Factory factory);

}  // namespace TestMain

#define KOLUMBRA_TEST(Class)                                                                                           \
    static const int kolumbraRegistered##Class =                                                                       \
        TestMain::add(#Class, [] { return std::unique_ptr<QObject>(new Class); });
