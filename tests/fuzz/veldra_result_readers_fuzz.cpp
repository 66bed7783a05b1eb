// Fuzzes Veldra's readers of the solver's curve, grid and summary files and of the files of
// observed production.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <QString>

#include <QStringList>

#include "fuzz_input_files.h"
#include "observed_production.h"
#include "result_readers.h"

namespace
{
  // A grid file is read for as many cells as the input has bytes, up to this many.
  constexpr std::size_t MAX_FUZZED_CELL_COUNT = 4096;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
  static const FuzzInputFiles files("result");
  files.write(data, size);
  const QString path = QString::fromStdString(files.main_path());
  readCurveFile(path);
  const int cell_count = static_cast<int>(std::min(size, MAX_FUZZED_CELL_COUNT));
  for (const char *keyword : {"DTOF_sqrt(days)", "Physical_Time(days)", "PRESSURE_1"})
    readGridField(path, QString::fromLatin1(keyword), cell_count);
  readStepDays(path);
  QStringList errors;
  readObservedProduction(path, errors);
  return 0;
}
