#include "completion_summary.h"

#include <cmath>

#include "atomic_output_file.h"
#include "exceptions.h"

namespace orr
{
  namespace quill
  {
    double equivalent_well_block_radius(const double kx, const double ky, const double lx,
                                        const double ly)
    {
      const double x_over_y = kx / ky;
      const double y_over_x = ky / kx;
      return 0.28 * std::sqrt(std::sqrt(x_over_y) * ly * ly + std::sqrt(y_over_x) * lx * lx)
             / (std::pow(x_over_y, 0.25) + std::pow(y_over_x, 0.25));
    }

    CompletionSummary summarise_completions(const std::vector<CompletionCell> &completions,
                                            const CornerPointGrid &grid,
                                            const CornerPointGridSolver &solver)
    {
      CompletionSummary summary;
      CompletionSums   &sums = summary.sums;
      for (const CompletionCell &completion : completions)
        {
          const unsigned int cell = grid.get_icell(
            IjkIndex(completion.i - 1, completion.j - 1, completion.k - 1));

          const double lx = solver._get_cell_half_length(cell, Ijk::I_MINUS)
                            + solver._get_cell_half_length(cell, Ijk::I_PLUS);
          const double ly = solver._get_cell_half_length(cell, Ijk::J_PLUS)
                            + solver._get_cell_half_length(cell, Ijk::J_MINUS);
          const double h = solver._get_cell_half_length(cell, Ijk::K_PLUS)
                           + solver._get_cell_half_length(cell, Ijk::K_MINUS);
          const double kx  = solver._get_cell_perm(cell, Ijk::I_PLUS);
          const double ky  = solver._get_cell_perm(cell, Ijk::J_PLUS);
          const double kz  = solver._get_cell_perm(cell, Ijk::K_PLUS);
          const double phi = solver._get_cell_porosity(cell);

          sums.sum_kh += std::sqrt(ky * kx) * h;
          sums.sum_phih += phi * h;
          sums.sum_roh += equivalent_well_block_radius(kx, ky, lx, ly) * h;
          sums.sum_h += h;
          summary.rows.push_back({lx, ly, h, kx, ky, kz, phi});
        }
      return summary;
    }

    void write_completion_summary(const std::string &path, const std::string &temporary_stem,
                                  const CompletionSummary &summary)
    {
      AtomicOutputFile file(path, temporary_stem);
      ORR_ASSERT_THROW(file.is_open(), ExcFileNotOpen(path));
      std::ostream &out = file.stream();
      for (const CompletionRow &row : summary.rows)
        {
          out << "K";
          for (const double value : row)
            out << ' ' << value;
          out << " \n";
        }
      out << "\n"
          << "sum(k*h) = " << summary.sums.sum_kh << "\n"
          << "sum(phi*h) = " << summary.sums.sum_phih << "\n";
      file.commit();
    }
  } // namespace quill
} // namespace orr
