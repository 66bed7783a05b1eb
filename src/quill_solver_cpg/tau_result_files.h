#ifndef ORR_QUILL_TAU_RESULT_FILES_H
#define ORR_QUILL_TAU_RESULT_FILES_H

#include <string>

#include "tau_records.h"

namespace orr
{
  namespace quill
  {
    /*
     * The tau result files. Each is written whole or not at all (orr::AtomicOutputFile);
     * a file that cannot be created throws ExcFileNotOpen with its full name, leaving files
     * written before as they are.
     *
     * Infinite values: a cell behind closed faces is accepted with the infinite tau
     * INFINITE_VALUE (1.79769e308). Converted to sqrt(days), and squared into days, it no
     * longer fits a double, and "inf" is text that C++ streams cannot read back. Every
     * number that is not below INFINITE_VALUE (an infinite tau, an overflowing conversion)
     * is therefore written as INFINITE_VALUE itself, "1.79769e+308" in the grid files: a
     * finite number that every reader parses, and that means "never reached" throughout
     * the system. Cells never recorded are written as 0.
     */

    /**
     * The tau table ("<root>_tau_solutions.csv"): no header; row i holds the i-th recorded
     * acceptance (tau, cumulative pore volume, cumulative bulk volume) and the per-cell
     * values of cell i (tau, pore volume, bulk volume), comma-separated, in the general
     * notation with 18 significant digits. One row per recorded acceptance.
     */
    void write_tau_table(const TauRecords &records, const std::string &path);

    /**
     * The tau grid file (header "DTOF_sqrt(days)", T = sqrt(158.03) tau per cell in sqrt(days))
     * and the arrival-time grid file (header "Physical_Time(days)", T^2 / (2 space_dimension)
     * in days), one value per line in cell order with 6 significant digits, "/" last.
     * `space_dimension` is 1, 2 or 3.
     */
    void write_tau_and_time_grids(const TauRecords &records, unsigned int space_dimension,
                                  const std::string &tau_path, const std::string &time_path);

    /** Raw tau per cell: the line "__TAU__", one value per line with 6 significant digits, "/". */
    void write_raw_tau_grid(const TauRecords &records, const std::string &path);
  } // namespace quill
} // namespace orr

#endif
