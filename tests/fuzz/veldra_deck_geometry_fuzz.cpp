// Fuzzes Veldra's reading of the deck geometry and the property files the deck includes.
#include <cstddef>
#include <cstdint>

#include <QString>

#include "deck_geometry.h"
#include "fuzz_input_files.h"

namespace
{
  // Grids up to 2^16 cells: larger ones only cost memory and time without reaching new code.
  constexpr int MAX_FUZZED_CELL_COUNT = 1 << 16;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
  static const FuzzInputFiles files("fuzz.fip");
  files.write(data, size);
  readDeckGeometry(QString::fromStdString(files.main_path()), MAX_FUZZED_CELL_COUNT);
  return 0;
}
