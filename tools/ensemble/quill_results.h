#ifndef QUILL_ENSEMBLE_QUILL_RESULTS_H
#define QUILL_ENSEMBLE_QUILL_RESULTS_H

#include <filesystem>
#include <string>
#include <vector>

namespace orr
{
  namespace ensemble
  {
    /** A curve file of quill (<root>_RATE, _Cum, _BHP): time in days and value per report. */
    struct Curve
    {
      std::vector<double> days;
      std::vector<double> values;
    };

    /**
     * Reads a curve file: lines of two numbers. Throws std::runtime_error naming the file
     * when it cannot be read or holds anything else.
     */
    Curve read_curve(const std::filesystem::path &path);

    /**
     * Reads a grid map as quill writes it: a header line, one number per cell, "/".
     * Throws std::runtime_error naming the file when it cannot be read or is malformed.
     */
    std::vector<double> read_grid_map(const std::filesystem::path &path);

    /** The report steps k of the pressure maps <root>_PRESSURE_<k>.grdecl in `folder`, sorted. */
    std::vector<unsigned> pressure_map_steps(const std::filesystem::path &folder, const std::string &root);
  } // namespace ensemble
} // namespace orr

#endif
