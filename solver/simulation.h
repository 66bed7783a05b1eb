#ifndef QUILL_SIMULATION_H
#define QUILL_SIMULATION_H

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "completion_summary.h"
#include "corner_point_grid_solver.h"
#include "cpg_system.h"
#include "deck_reader.h"
#include "one_dim_solver.h"
#include "result_set.h"

/**
 * The one object of a run of quill: the deck's grid and properties, the fast marching
 * solver and the one-dimensional pressure solver, and the fixed sequence of a run.
 *
 * Use: construct with the run directory and the root name, `read_deck`, then `run`.
 */
class Simulation
{
public:
  /**
   * directory: the run directory, ending in "/" or "\"; root_name: the deck's name without
   * ".fip". Both solvers start in their default state. Takes the deck's result set for the
   * life of the object (see orr::quill::ResultSet, which says what it throws).
   */
  Simulation(std::string directory, std::string root_name);

  Simulation(const Simulation &) = delete;
  Simulation &operator=(const Simulation &) = delete;

  /**
   * Reads directory + root_name + ".fip" and the files it includes, builds the grid with its
   * property records, sets up both solvers, seeds the completion cells, gathers the
   * completion summary and prints the reading timing line.
   * Throws orr::InputError for faults in the deck; nothing is written then.
   */
  void read_deck();

  /**
   * The timed stages: fast marching, the pressure solution when the deck holds SIMULATION,
   * and the result files; then the closing line. Warnings of steps accepted unconverged, one
   * line each and then their count, go to standard error. Throws orr::InputError, before
   * anything is computed, when the pressure maps would not fit the free space of the folder.
   */
  void run();

  /** The pressure solution: its input, grid and, after `run`, its results. */
  const orr::quill::OneDimSolver &pressure_solver() const { return _pressure_solver; }

private:
  void _read_pressure_model(std::istream &section);
  void _set_up_fast_marching(const orr::quill::DeckContents &deck);
  void _build_system(const orr::quill::DeckContents &deck);
  void _seed_completions();
  void _march();
  void _solve_pressure(std::ostream &step_warnings);
  std::vector<std::string> _result_suffixes() const;
  void _write_results();

  std::string                                _directory;
  std::string                                _root_name;
  orr::quill::ResultSet                      _results;
  bool                                       _run_pressure;
  std::shared_ptr<orr::CpgSystem>            _system;
  orr::quill::CornerPointGridSolver          _grid_solver;
  orr::quill::OneDimSolver                   _pressure_solver;
  std::uint32_t                              _completion_count;
  std::vector<orr::quill::CompletionCell>    _completions;
  std::vector<std::int32_t>                  _dimensions;
  orr::quill::CompletionSummary              _completion_summary;
};

#endif
