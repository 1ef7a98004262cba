#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// Photo-like JPEGs for the benchmarks, made once and kept in the temporary
// folder between runs (making a 24-megapixel JPEG takes longer than reading it).
namespace BenchPictures {

// count files of the given size, quality 90.
QStringList photos(int count, const QSize &size);

// Resident memory now and at its peak since the last reset, in MiB.
double residentMiB();
double peakResidentMiB();
void resetPeak();

}  // namespace BenchPictures
