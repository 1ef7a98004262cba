#pragma once

#include <QString>

class TestEnvironment;

// The descriptions table the benchmarks work on: rows in albums of sixty,
// one in ten of them in German.
namespace BenchTable {

constexpr int kRowsPerAlbum = 60;

// The album the given row of the filling belongs to.
QString albumOf(int row);
// Adds `rows` rows of filling to the descriptions file, in one transaction.
void fill(TestEnvironment &env, int rows);

}  // namespace BenchTable
