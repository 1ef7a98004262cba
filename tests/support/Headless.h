#pragma once

#include <QtGlobal>

// Tests and benchmarks run without a display unless told otherwise, and
// without the headless platform's notes about what it cannot do.
namespace Headless {

void prepare();

}  // namespace Headless
