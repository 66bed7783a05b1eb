#ifndef QUILL_ECLIPSE_IMPORTED_MODEL_H
#define QUILL_ECLIPSE_IMPORTED_MODEL_H

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orr
{
  namespace eclipse
  {
    /** One WCONPROD row of a quill deck: a period of constant well control. */
    struct ControlPeriod
    {
      double      end_day;     // days from the start of the schedule
      std::string mode;        // "BHP", "ORAT" or "GRAT"
      double      bhp;         // the pressure (BHP) or the lowest allowed pressure, psia
      double      rate;        // stb/d (ORAT) or Mscf/d (GRAT); 0 for BHP
      int         report_steps;
    };

    /** The pressure model of a quill deck, field units. */
    struct ImportedPressureModel
    {
      bool gas = false; // gas flows (PVDG); else oil (PVDO)
      double initial_pressure = 0.0;                      // psia
      std::string initial_pressure_source;                // said on standard output
      double connate_water = 0.0;
      std::optional<std::array<double, 2>> rock;         // reference pressure psia, 1/psi
      std::optional<std::array<double, 3>> density;      // oil, water, gas, lb/ft3
      std::vector<std::array<double, 3>>   pvt;          // p psia, B (rb/stb or rb/Mscf), mu cp
      std::vector<std::array<double, 5>>   pvtw;         // p, Bw, cw 1/psi, muw cp, viscosibility
      std::vector<ControlPeriod> schedule;
    };

    /** What an Eclipse deck gives a quill deck: grid, properties, well and pressure model. */
    struct ImportedModel
    {
      std::array<int, 3> dimensions{}; // nx, ny, nz
      // One value per cell, i fastest; ft, fraction, md. Closed cells have 0 porosity and
      // permeability.
      std::vector<double> dx, dy, dz, poro, permx, permy, permz;
      // 1 for a cell the march may enter, 0 for a closed (inactive) one.
      std::vector<int> active;
      std::string well_name;
      std::vector<std::array<int, 3>> completions; // 1-based i, j, k
      double well_radius = 0.5; // ft, of the first open connection
      double skin = 0.0;
      std::optional<ImportedPressureModel> pressure_model;
      // Lines for standard output: what was not carried over, and how values were chosen.
      std::vector<std::string> not_carried_over;
      std::vector<std::string> notes;
    };
  } // namespace eclipse
} // namespace orr

#endif
