#ifndef ORR_TESTS_REFERENCE_REFERENCE_RUNS_H
#define ORR_TESTS_REFERENCE_REFERENCE_RUNS_H

#include <ostream>
#include <string>
#include <vector>

namespace orr
{
  namespace reference
  {
    enum class Fluid
    {
      oil,  // a slightly compressible oil of constant viscosity, with rock compressibility
      gas   // a dry gas, compared in pseudo-pressure
    };

    enum class Control
    {
      rate,                 // held at a constant rate far above its pressure limit
      bottom_hole_pressure  // held at a constant pressure 500 psi below the initial
    };

    /**
     * A run of quill on the reservoir of the reference solutions: a closed square of
     * side x side cells of 40 ft, `layers` layers of 10 ft, k = 1 md, phi = 0.1, one well of
     * radius 0.25 ft through every layer of the centre column, an initial pressure of 5000
     * psia, and `reports` report times spaced evenly in ln t from 0.01 to 1000 days.
     */
    struct ReferenceCase
    {
      Fluid       fluid    = Fluid::oil;
      Control     control  = Control::rate;
      std::string tau_grid = "UNIFORM";  // the TAUGRID line
      unsigned    side     = 51;         // odd, for a centre column
      unsigned    layers   = 1;
      unsigned    reports  = 51;
    };

    /** What the run gives, in the dimensionless form of the analytic solutions. */
    struct ReferenceRun
    {
      std::vector<double> time;        // report times, days
      std::vector<double> t_d;         // eta t / r_w^2 at the initial viscosity and compressibility
      // Under rate control, 2 pi k h (psi(p_i) - psi(p_wf)) / q; under pressure control,
      // q / (2 pi k h (psi(p_i) - psi(p_wf))) with q the mean rate over each report interval.
      // q is the surface rate, k h in md ft, psi in psi/cp, with the Darcy constant.
      std::vector<double> pressure_d;
      std::vector<double> rate_d;
      double side_d = 0.0;             // the square's side in well radii
      double pressure_stage_seconds = 0.0;  // from quill's timing line
    };

    /**
     * Writes the case's deck into `directory` (ending in "/"), runs it as quill does and
     * returns its results. psi(p) is the pseudo-pressure, the integral of 1/(mu B) over p, of
     * the deck's own table; for the oil it differs from p/(mu B) by the small compressibility
     * of mu B. Throws std::runtime_error when the run fails.
     */
    ReferenceRun run_reference_case(const ReferenceCase &reference_case, const std::string &directory);

    enum class Solution
    {
      line_source,        // constant rate, infinite reservoir
      closed_square,      // constant rate, closed square: image wells
      constant_pressure   // constant pressure, infinite reservoir (van Everdingen-Hurst)
    };

    /** The RMS relative error of one decade of report times [from, to). */
    struct DecadeError
    {
      double   from   = 0.0;  // days
      double   to     = 0.0;
      double   rms    = 0.0;  // fraction
      unsigned points = 0;
    };

    /**
     * The RMS relative error of the run against `solution`, per decade of time from 0.01 day:
     * the well pressure drop under a constant rate, the mean rate of each report interval
     * under a constant pressure. The infinite-reservoir solutions are compared until the
     * boundary is felt (the image wells add 0.5 % to the line source); the closed square to
     * the end.
     */
    std::vector<DecadeError> decade_errors(const ReferenceRun &run, Solution solution);

    /** One line of an error table: what was run and its errors per decade. */
    struct ErrorRow
    {
      std::string              label;
      std::vector<DecadeError> errors;
    };

    /**
     * The error rows of the six comparisons, the three solutions for the oil and for the gas,
     * of runs with the given TAUGRID line, number of layers and of report times; the runs go
     * into `directory` (ending in "/"). Labels read "<tau_grid>, <fluid>, <solution>".
     */
    std::vector<ErrorRow> compare_with_reference_solutions(const std::string &tau_grid, unsigned layers,
                                                           unsigned reports, const std::string &directory);

    /** Prints the rows with one column per decade from 0.01 to 1000 days, in percent. */
    void print_error_table(std::ostream &out, const std::vector<ErrorRow> &rows);

    /** "oil" or "gas", "rate" or "BHP", "line source" and so on, for the tables. */
    std::string name_of(Fluid fluid);
    std::string name_of(Solution solution);
  } // namespace reference
} // namespace orr

#endif
