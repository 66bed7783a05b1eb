#include "tau_records.h"

#include <cmath>

#include "exceptions.h"

namespace orr
{
  namespace quill
  {
    namespace
    {
      /** Cubic feet per cubic metre. */
      constexpr double CUBIC_FEET_PER_CUBIC_METRE = 35.31467011;
      /** Feet per metre over the square root of psi per bar: metric raw tau to field raw tau. */
      constexpr double FIELD_TAU_PER_METRIC_TAU = 0.861478809;
    } // namespace

    void TauRecords::reset(const unsigned int number_of_cells)
    {
      _cumulative_pore_volume = 0.0;
      _cumulative_bulk_volume = 0.0;
      for (std::vector<double> *list : {&_tau_list, &_pore_volume_list, &_bulk_volume_list})
      {
        list->clear();
        list->reserve(number_of_cells);
      }
      _cells.assign(number_of_cells, CellRecord{0.0, 0.0, 0.0});
    }

    void TauRecords::record(const unsigned int cell, const double tau, const double pore_volume,
                            const double bulk_volume, const int unit_type)
    {
      if (pore_volume < 0.0 || std::isnan(pore_volume))
      {
        clear(cell);
        return;
      }
      _cumulative_pore_volume += pore_volume;
      _cumulative_bulk_volume += bulk_volume;

      double field_tau         = tau;
      double field_pore_volume = _cumulative_pore_volume;
      double field_bulk_volume = _cumulative_bulk_volume;
      switch (unit_type)
      {
        case UNIT_TYPE_METRIC:
          field_tau         = tau * FIELD_TAU_PER_METRIC_TAU;
          field_pore_volume = _cumulative_pore_volume * CUBIC_FEET_PER_CUBIC_METRE;
          field_bulk_volume = _cumulative_bulk_volume * CUBIC_FEET_PER_CUBIC_METRE;
          break;
        case UNIT_TYPE_FIELD:
          break;
        default:
          ORR_ASSERT_THROW(false, ExcIo("Please make sure unit type is FIELD or METRIC."));
      }

      _tau_list.push_back(field_tau);
      _pore_volume_list.push_back(field_pore_volume);
      _bulk_volume_list.push_back(field_bulk_volume);
      _cells[cell] = CellRecord{field_tau, field_pore_volume, field_bulk_volume};
    }

    std::vector<double> TauRecords::cell_tau() const
    {
      std::vector<double> tau(_cells.size());
      for (std::size_t cell = 0; cell < _cells.size(); ++cell)
        tau[cell] = _cells[cell].tau;
      return tau;
    }
  } // namespace quill
} // namespace orr
