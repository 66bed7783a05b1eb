#ifndef ORR_BENCH_BENCHMARK_DECK_H
#define ORR_BENCH_BENCHMARK_DECK_H

#include <string>

#include "synthetic_reservoir.h"

namespace orr
{
  namespace bench
  {
    /** What the deck asks for besides the grid and the well. */
    struct DeckOptions
    {
      bool        second_order = false;
      /** The pressure-model section after SIMULATION; empty for a fast-marching-only deck. */
      std::string pressure_model;
    };

    /**
     * Writes PERMX, PERMZ and PORO of `reservoir` into `directory` + `stem` + "_permx.inc",
     * "_permz.inc" and "_poro.inc", one value per cell. `directory` ends in "/".
     * Throws std::runtime_error naming a file that cannot be written.
     */
    void write_property_files(const std::string &directory, const std::string &stem,
                              const SyntheticReservoir &reservoir);

    /**
     * Writes the deck `directory` + `root` + ".fip" for `reservoir`: its dimensions, the cell
     * sizes as constants, the property files of `stem` (write_property_files) as INCLUDE
     * files, the well's completions, and the fluid of SyntheticReservoir or, with a pressure
     * model, that model. Throws std::runtime_error when the deck cannot be written.
     */
    void write_deck(const std::string &directory, const std::string &root, const std::string &stem,
                    const SyntheticReservoir &reservoir, const DeckOptions &options);
  } // namespace bench
} // namespace orr

#endif
