#include <optional>
#include <string>

#include <opm/input/eclipse/EclipseState/Grid/EclipseGrid.hpp>
#include <opm/input/eclipse/EclipseState/Grid/FieldPropsManager.hpp>
#include <opm/input/eclipse/Units/UnitSystem.hpp>

#include "eclipse_import.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      using Measure = Opm::UnitSystem::measure;

      /**
       * The cell sizes along one axis as the deck gives them (per cell, or per row along the
       * axis), in SI units; none when the deck gives only the corners. The sizes derived from
       * the corners carry rounding noise (39.99999999999984 for 40), the deck's own do not.
       */
      std::optional<std::vector<double>> deck_cell_sizes(const Opm::Deck &deck, const std::string &per_cell,
                                                         const std::string &per_row, int axis,
                                                         const std::array<int, 3> &dims)
      {
        const std::size_t n = std::size_t(dims[0]) * dims[1] * dims[2];
        if (deck.hasKeyword(per_cell))
        {
          const std::vector<double> &values = deck[per_cell].back().getSIDoubleData();
          if (values.size() == n)
            return values;
          return std::nullopt;
        }
        if (deck.hasKeyword(per_row))
        {
          const std::vector<double> &row = deck[per_row].back().getSIDoubleData();
          if (row.size() != std::size_t(dims[axis]))
            return std::nullopt;
          std::vector<double> values(n);
          for (std::size_t g = 0; g < n; ++g)
          {
            const std::size_t ijk[3] = {g % dims[0], g / dims[0] % dims[1], g / (std::size_t(dims[0]) * dims[1])};
            values[g] = row[ijk[axis]];
          }
          return values;
        }
        return std::nullopt;
      }

      // A property over the whole grid, or none when the deck does not give it.
      std::optional<std::vector<double>> global_property(const Opm::FieldPropsManager &properties,
                                                         const std::string &name)
      {
        if (!properties.has_double(name))
          return std::nullopt;
        return properties.get_global_double(name);
      }
    } // namespace

    void import_grid(const ParsedDeck &parsed, ImportedModel &model)
    {
      const Opm::EclipseGrid &grid = parsed.state.getInputGrid();
      const Opm::FieldPropsManager &properties = parsed.state.fieldProps();
      const Opm::UnitSystem field = Opm::UnitSystem::newFIELD();
      model.dimensions = {int(grid.getNX()), int(grid.getNY()), int(grid.getNZ())};
      const std::size_t n = grid.getCartesianSize();

      // (1) cell sizes: the deck's own, else from the corners
      static const char *const size_keywords[3][2] = {{"DX", "DXV"}, {"DY", "DYV"}, {"DZ", "DZV"}};
      std::vector<double> *sizes[3] = {&model.dx, &model.dy, &model.dz};
      bool from_corners[3] = {false, false, false};
      for (int axis = 0; axis < 3; ++axis)
      {
        std::optional<std::vector<double>> given =
          deck_cell_sizes(parsed.deck, size_keywords[axis][0], size_keywords[axis][1], axis, model.dimensions);
        from_corners[axis] = !given;
        *sizes[axis] = given ? std::move(*given) : std::vector<double>(n);
      }
      if (from_corners[0] || from_corners[1] || from_corners[2])
        for (std::size_t g = 0; g < n; ++g)
        {
          const std::array<double, 3> dims = grid.getCellDims(g);
          for (int axis = 0; axis < 3; ++axis)
            if (from_corners[axis])
              (*sizes[axis])[g] = dims[axis];
        }
      for (std::vector<double> *values : sizes)
        field.from_si(Measure::length, *values);

      // (2) active cells: ACTNUM and zero pore volume (opm-common), then MINPV
      model.active = grid.getACTNUM();
      const std::vector<double> &minimum_pore_volume = grid.getMinpvVector();
      std::size_t closed_by_minpv = 0;
      if (!minimum_pore_volume.empty())
      {
        const std::vector<double> pore_volume = properties.porv(true);
        for (std::size_t g = 0; g < n; ++g)
          if (model.active[g] && g < minimum_pore_volume.size() && pore_volume[g] < minimum_pore_volume[g])
          {
            model.active[g] = 0;
            ++closed_by_minpv;
          }
      }
      std::size_t closed = 0;
      for (int a : model.active)
        closed += a ? 0 : 1;
      if (closed > 0)
        model.notes.push_back(std::to_string(closed) + " inactive cells (ACTNUM, zero pore volume"
                              + (closed_by_minpv > 0 ? ", MINPV: " + std::to_string(closed_by_minpv) : std::string())
                              + ") become closed cells.");

      // (3) properties; net-to-gross scales porosity and the horizontal permeabilities
      model.poro = properties.get_global_double("PORO");
      model.permx = properties.get_global_double("PERMX");
      model.permy = global_property(properties, "PERMY").value_or(model.permx);
      model.permz = global_property(properties, "PERMZ").value_or(model.permx);
      if (const std::optional<std::vector<double>> ntg = global_property(properties, "NTG"))
        for (std::size_t g = 0; g < n; ++g)
        {
          model.poro[g] *= (*ntg)[g];
          model.permx[g] *= (*ntg)[g];
          model.permy[g] *= (*ntg)[g];
        }
      for (std::vector<double> *perm : {&model.permx, &model.permy, &model.permz})
        field.from_si(Measure::permeability, *perm);
      for (std::size_t g = 0; g < n; ++g)
        if (!model.active[g])
          model.poro[g] = model.permx[g] = model.permy[g] = model.permz[g] = 0.0;
    }
  } // namespace eclipse
} // namespace orr
