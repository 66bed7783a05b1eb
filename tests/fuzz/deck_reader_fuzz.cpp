// Fuzzes quill's deck reader with its grid section, its INCLUDE files and the pressure-model
// section it hands over at SIMULATION, the way a run reads a deck.
#include <cstddef>
#include <cstdint>
#include <istream>

#include "deck_reader.h"
#include "fuzz_input_files.h"
#include "input_error.h"
#include "one_dim_solver.h"

namespace
{
  // Grids up to 2^16 cells: larger ones only cost memory and time without reaching new code.
  constexpr std::uint32_t MAX_FUZZED_CELL_COUNT = 1u << 16;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
  static const FuzzInputFiles files("fuzz.fip");
  files.write(data, size);

  orr::quill::OneDimSolver pressure_solver;
  orr::quill::DeckReader reader(
    files.directory(),
    [&pressure_solver](std::istream &section) {
      pressure_solver.read_pressure_model(section);
      pressure_solver.compute_initial_properties();
    },
    orr::quill::DeckLimits{MAX_FUZZED_CELL_COUNT});
  try
    {
      reader.read("fuzz.fip");
    }
  catch (const orr::InputError &)
    {
    }
  return 0;
}
