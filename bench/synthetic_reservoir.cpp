#include "synthetic_reservoir.h"

#include <cmath>
#include <random>

#include "exceptions.h"
#include "grid_corner_point.h"
#include "ijk.h"

namespace orr
{
  namespace bench
  {
    namespace
    {
      constexpr std::uint64_t SEED                 = 20261208;
      constexpr double        MEDIAN_PERMEABILITY  = 10.0;  // mD
      constexpr double        LOG_PERMEABILITY_SD  = 1.0;
      constexpr double        VERTICAL_ANISOTROPY  = 0.1;   // kz / kx
      constexpr double        LOWEST_POROSITY      = 0.05;
      constexpr double        HIGHEST_POROSITY     = 0.30;
      constexpr double        TWO_PI               = 6.283185307179586;

      /**
       * The value as the deck files write it (six significant digits, "%g") and read it
       * back: the nearest double to m 10^e with an integer m of six digits. Dividing or
       * multiplying the exact doubles m and 10^|e| rounds once, as reading the text does,
       * and costs far less than printing and parsing four million numbers.
       */
      double as_written(const double value)
      {
        static const double POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                               1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                               1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        int    exponent = static_cast<int>(std::floor(std::log10(value))) - 5;
        double mantissa = std::nearbyint(value / std::pow(10.0, exponent));
        if (mantissa >= 1e6)
          {
            mantissa = std::nearbyint(mantissa / 10.0);
            ++exponent;
          }
        ORR_ASSERT(std::abs(exponent) <= 22, ExcInternalError());
        return exponent < 0 ? mantissa / POWERS_OF_TEN[-exponent] : mantissa * POWERS_OF_TEN[exponent];
      }

      std::shared_ptr<DataRecord<double>> constant_record(const char *name, const std::uint32_t cells,
                                                          const double value)
      {
        auto record = std::make_shared<DataRecord<double>>(name);
        record->assign(cells, value);
        return record;
      }
    } // namespace

    SyntheticReservoir make_synthetic_reservoir(const std::uint32_t nx, const std::uint32_t ny,
                                                const std::uint32_t nz)
    {
      SyntheticReservoir reservoir;
      reservoir.nx               = nx;
      reservoir.ny               = ny;
      reservoir.nz               = nz;
      const std::uint32_t cells  = reservoir.number_of_cells();
      reservoir.permx            = std::make_shared<DataRecord<double>>("PERMX   ");
      reservoir.permz            = std::make_shared<DataRecord<double>>("PERMZ   ");
      reservoir.poro             = std::make_shared<DataRecord<double>>("PORO    ");
      reservoir.permx->reserve(cells);
      reservoir.permz->reserve(cells);
      reservoir.poro->reserve(cells);

      // The standard library's engines give the same numbers everywhere, its distributions do not:
      // the normal deviate comes from Box-Muller so that every build draws the same grid.
      std::mt19937_64 engine(SEED);
      auto uniform = [&engine] { return (static_cast<double>(engine() >> 11) + 0.5) * 0x1p-53; };
      for (std::uint32_t cell = 0; cell < cells; ++cell)
        {
          // Two statements: the order of two draws inside one expression is up to the compiler.
          const double radius = std::sqrt(-2.0 * std::log(uniform()));
          const double normal = radius * std::cos(TWO_PI * uniform());
          const double kx     = as_written(MEDIAN_PERMEABILITY * std::exp(LOG_PERMEABILITY_SD * normal));
          reservoir.permx->push_back(kx);
          reservoir.permz->push_back(as_written(VERTICAL_ANISOTROPY * kx));
          reservoir.poro->push_back(
            as_written(LOWEST_POROSITY + (HIGHEST_POROSITY - LOWEST_POROSITY) * uniform()));
        }

      const std::int32_t centre_i = static_cast<std::int32_t>(nx / 2 + 1);
      const std::int32_t centre_j = static_cast<std::int32_t>(ny / 2 + 1);
      for (std::uint32_t k = 1; k <= nz; ++k)
        reservoir.completions.push_back({centre_i, centre_j, static_cast<std::int32_t>(k)});
      return reservoir;
    }

    SyntheticReservoir make_synthetic_reservoir(const std::uint32_t n)
    {
      return make_synthetic_reservoir(n, n, n);
    }

    std::shared_ptr<CpgSystem> build_system(const SyntheticReservoir &reservoir)
    {
      auto system = std::make_shared<CpgSystem>();
      system->set_length_unit("FEET");
      system->set_unit_type(CpgSystem::UNIT_TYPE_FIELD);
      system->add_unit("GLOBAL  ", std::make_shared<CornerPointGrid>());
      const std::shared_ptr<CornerPointGrid> grid = system->get_unit_grid("GLOBAL  ");

      const std::uint32_t cells = reservoir.number_of_cells();
      grid->set_dimension(IjkIndex(reservoir.nx, reservoir.ny, reservoir.nz));
      for (std::uint32_t cell = 0; cell < cells; ++cell)
        grid->activate_cell(cell);

      const std::shared_ptr<Properties> properties = grid->cell_properties();
      properties->set("PORO    ", reservoir.poro);
      properties->set("PERMX   ", reservoir.permx);
      properties->set("PERMY   ", reservoir.permx);
      properties->set("PERMZ   ", reservoir.permz);
      properties->set("DX      ", constant_record("DX      ", cells, SyntheticReservoir::CELL_SIZE_X));
      properties->set("DY      ", constant_record("DY      ", cells, SyntheticReservoir::CELL_SIZE_Y));
      properties->set("DZ      ", constant_record("DZ      ", cells, SyntheticReservoir::CELL_SIZE_Z));
      return system;
    }
  } // namespace bench
} // namespace orr
