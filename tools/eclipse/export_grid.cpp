#include "export_grid.h"

#include <cmath>
#include <filesystem>

#include <opm/input/eclipse/EclipseState/Grid/NNC.hpp>
#include <opm/input/eclipse/Units/UnitSystem.hpp>

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      const double METRES_PER_FOOT = 0.3048;
      const double SIZE_TOLERANCE = 1.0e-6;

      bool fits(const Opm::EclipseGrid &grid, const QuillRunResults &run)
      {
        if (int(grid.getNX()) != run.dimensions[0] || int(grid.getNY()) != run.dimensions[1]
            || int(grid.getNZ()) != run.dimensions[2])
          return false;
        const Opm::UnitSystem field = Opm::UnitSystem::newFIELD();
        const std::vector<double> *sizes[3] = {&run.dx, &run.dy, &run.dz};
        for (std::size_t g = 0; g < grid.getCartesianSize(); ++g)
        {
          if (!grid.cellActive(g))
            continue;
          const std::array<double, 3> dims = grid.getCellDims(g);
          for (int axis = 0; axis < 3; ++axis)
          {
            const double size = field.from_si(Opm::UnitSystem::measure::length, dims[axis]);
            if (std::abs(size - (*sizes[axis])[g]) > SIZE_TOLERANCE * std::max(1.0, std::abs(size)))
              return false;
          }
        }
        return true;
      }

      // Pillars at the running sums of DX along the first row and DY along the first column;
      // each column of cells stacked from depth 0 by its own DZ.
      Opm::EclipseGrid grid_from_cell_sizes(const QuillRunResults &run)
      {
        const std::size_t nx = run.dimensions[0], ny = run.dimensions[1], nz = run.dimensions[2];
        std::vector<double> x(nx + 1, 0.0), y(ny + 1, 0.0);
        for (std::size_t i = 0; i < nx; ++i)
          x[i + 1] = x[i] + run.dx[i] * METRES_PER_FOOT;
        for (std::size_t j = 0; j < ny; ++j)
          y[j + 1] = y[j] + run.dy[j * nx] * METRES_PER_FOOT;

        std::vector<double> coord;
        coord.reserve((nx + 1) * (ny + 1) * 6);
        for (std::size_t j = 0; j <= ny; ++j)
          for (std::size_t i = 0; i <= nx; ++i)
            coord.insert(coord.end(), {x[i], y[j], 0.0, x[i], y[j], 1.0});

        // ZCORN runs i fastest with two corners per cell, then j likewise, then the top and
        // the bottom of each layer; tops are the running sums of DZ down each column.
        std::vector<double> top(nx * ny, 0.0);
        std::vector<double> zcorn;
        zcorn.reserve(8 * nx * ny * nz);
        for (std::size_t k = 0; k < nz; ++k)
        {
          const double *dz = run.dz.data() + k * nx * ny;
          for (int face = 0; face < 2; ++face)
            for (std::size_t j = 0; j < ny; ++j)
              for (int side_j = 0; side_j < 2; ++side_j)
                for (std::size_t i = 0; i < nx; ++i)
                {
                  const double depth = top[j * nx + i] + face * dz[j * nx + i] * METRES_PER_FOOT;
                  zcorn.insert(zcorn.end(), {depth, depth});
                }
          for (std::size_t column = 0; column < nx * ny; ++column)
            top[column] += dz[column] * METRES_PER_FOOT;
        }
        return Opm::EclipseGrid({run.dimensions[0], run.dimensions[1], run.dimensions[2]}, coord, zcorn);
      }
    } // namespace

    ExportGrid export_grid(const std::string &egrid_path, const QuillRunResults &run)
    {
      if (std::filesystem::is_regular_file(egrid_path))
      {
        Opm::EclipseGrid original(egrid_path);
        if (fits(original, run))
          return {std::move(original), true};
      }
      return {grid_from_cell_sizes(run), false};
    }

    std::vector<float> active_cell_values(const Opm::EclipseGrid &grid, const std::vector<double> &values)
    {
      std::vector<float> active;
      active.reserve(grid.getNumActive());
      for (std::size_t g = 0; g < values.size(); ++g)
        if (grid.cellActive(g))
          active.push_back(static_cast<float>(values[g]));
      return active;
    }
  } // namespace eclipse
} // namespace orr
