#ifndef QUILL_ECLIPSE_QUILL_RUN_RESULTS_H
#define QUILL_ECLIPSE_QUILL_RUN_RESULTS_H

#include <array>
#include <string>
#include <vector>

namespace orr
{
  namespace eclipse
  {
    /** One pressure map of a run: its number, its day and the pressure of every cell (psia). */
    struct PressureMap
    {
      unsigned            number;
      double              day;
      std::vector<double> pressure;
    };

    /** A finished run of quill: its deck's grid and properties and its result files. */
    struct QuillRunResults
    {
      std::array<int, 3> dimensions{};
      // Per cell, i fastest: ft, fraction, md.
      std::vector<double> dx, dy, dz, poro, permx, permy, permz;
      // Per cell: tau in sqrt(days) and the arrival time in days.
      std::vector<double> tau, arrival;
      // With a pressure model: the flowing phase and one entry per report step.
      bool has_pressure_model = false;
      bool gas = false;
      std::vector<double> day, rate, cumulative, bhp; // days, Mscf/d or stb/d, Mscf or stb, psia
      std::vector<PressureMap> maps;
    };

    /**
     * Reads the deck <directory>/<root>.fip and the results of its run. Throws orr::InputError
     * naming the file when the deck cannot be read or a result file is missing, cut short or
     * older than the deck (a run that did not finish).
     */
    QuillRunResults read_quill_run(const std::string &directory, const std::string &root);
  } // namespace eclipse
} // namespace orr

#endif
