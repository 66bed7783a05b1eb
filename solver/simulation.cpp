#include "simulation.h"

#include <future>
#include <iostream>
#include <sstream>
#include <utility>

#include "completion_summary.h"
#include "input_error.h"
#include "print_cost_label.h"
#include "result_file_names.h"
#include "tau_records.h"

using orr::quill::print_cost_label;
using orr::quill::print_cost_seconds;
using orr::quill::run_timed_stage;

namespace
{
  const std::string GLOBAL_UNIT_NAME = "GLOBAL  ";
  const std::string LENGTH_UNIT      = "FEET";
} // namespace

Simulation::Simulation(std::string directory, std::string root_name)
  : _directory(std::move(directory))
  , _root_name(std::move(root_name))
  , _results(_directory, _root_name)
  , _run_pressure(false)
  , _completion_count(0)
{}

void Simulation::read_deck()
{
  const std::chrono::milliseconds start = orr::quill::millisecond_clock();

  orr::quill::DeckReader reader(_directory,
                                [this](std::istream &section) { _read_pressure_model(section); });
  const orr::quill::DeckContents deck = reader.read(_root_name + ".fip");

  _dimensions       = deck.dimensions;
  _completions      = deck.completions;
  _completion_count = static_cast<std::uint32_t>(_completions.size());
  _run_pressure     = deck.has_pressure_model;

  _set_up_fast_marching(deck);
  _build_system(deck);
  _grid_solver.attach_grid(_system->get_unit_grid(0), _system->get_unit_type());
  _seed_completions();

  print_cost_label("Reading above information costs ", std::cout);
  print_cost_seconds(orr::quill::millisecond_clock() - start, std::cout);
}

void Simulation::_read_pressure_model(std::istream &section)
{
  _pressure_solver.read_pressure_model(section);
  _pressure_solver.compute_initial_properties();
}

void Simulation::_set_up_fast_marching(const orr::quill::DeckContents &deck)
{
  // The pressure model's initial fluid state replaces INIT_VISCOSITY and
  // INIT_TOTAL_COMPRESSIBILITY.
  if (deck.has_pressure_model)
    {
      _grid_solver.set_initial_viscosity(_pressure_solver.get_initial_viscosity());
      _grid_solver.set_initial_total_compressibility(
        _pressure_solver.get_initial_total_compressibility());
    }
  else
    {
      _grid_solver.set_initial_total_compressibility(*deck.initial_total_compressibility);
      _grid_solver.set_initial_viscosity(*deck.initial_viscosity);
    }
  if (deck.second_order)
    _grid_solver.set_second_order(true);
}

void Simulation::_build_system(const orr::quill::DeckContents &deck)
{
  _system = std::make_shared<orr::CpgSystem>();
  _system->set_length_unit(LENGTH_UNIT);
  _system->set_unit_type(orr::quill::UNIT_TYPE_FIELD);
  _system->add_unit(GLOBAL_UNIT_NAME, deck.grid);
  const std::shared_ptr<orr::CornerPointGrid> grid = _system->get_unit_grid(GLOBAL_UNIT_NAME);

  // PERMY and PERMZ default to the PERMX record itself.
  const orr::quill::DeckProperties &records = deck.properties;
  const std::shared_ptr<orr::Properties> properties = grid->cell_properties();
  properties->set("PORO    ", records.poro);
  properties->set("PERMX   ", records.permx);
  properties->set("PERMY   ", records.permy->size() > 0 ? records.permy : records.permx);
  properties->set("PERMZ   ", records.permz->size() > 0 ? records.permz : records.permx);
  properties->set("DX      ", records.dx);
  properties->set("DY      ", records.dy);
  properties->set("DZ      ", records.dz);
}

void Simulation::_seed_completions()
{
  const std::shared_ptr<orr::CornerPointGrid> grid = _system->get_unit_grid(0);
  for (const orr::quill::CompletionCell &completion : _completions)
    {
      const orr::IjkIndex ijk(completion.i - 1, completion.j - 1, completion.k - 1);
      _grid_solver.add_cell_initial_value(grid->get_icell(ijk), ijk, 0.0);
    }

  // The summary file is written with the other results, so that a run that fails leaves none.
  _completion_summary = orr::quill::summarise_completions(_completions, *grid, _grid_solver);
  const orr::quill::CompletionSums &sums = _completion_summary.sums;
  if (_run_pressure)
    _pressure_solver.set_well_data(sums.mean_radius(), sums.sum_kh, sums.sum_phih, sums.sum_h,
                                   _completion_count);
}

void Simulation::run()
{
  if (_run_pressure)
    {
      const std::uint64_t cell_count = std::uint64_t(_dimensions[0]) * std::uint64_t(_dimensions[1])
                                       * std::uint64_t(_dimensions[2]);
      _results.require_free_space(_pressure_solver.estimated_pressure_map_bytes(cell_count),
                                  "the pressure maps of this run");
    }
  run_timed_stage("Running Fast Marching Algorithm costs ", std::cout, [this] { _march(); });
  if (_run_pressure)
    {
      // Warnings of unconverged steps would split the stage's timing line: they follow it, or
      // precede the error that ends the stage.
      std::ostringstream step_warnings;
      try
        {
          run_timed_stage("Solving pressure costs ", std::cout,
                          [this, &step_warnings] { _solve_pressure(step_warnings); });
        }
      catch (const orr::InputError &)
        {
          if (!step_warnings.str().empty())
            {
              std::cout << std::flush;
              std::cerr << '\n' << step_warnings.str() << std::flush;
            }
          throw;
        }
      std::cout << std::flush;
      std::cerr << step_warnings.str() << std::flush;
    }
  run_timed_stage("Writing results costs ", std::cout, [this] { _write_results(); });
  std::cout << "Fast Marching Simulation is completed!" << std::endl;
  if (_run_pressure)
    _pressure_solver.report_unconverged_steps(std::cerr);
}

void Simulation::_march()
{
  _grid_solver.initialize();
  _grid_solver.march();
}

void Simulation::_solve_pressure(std::ostream &step_warnings)
{
  _pressure_solver.setup_grid(_grid_solver.get_tau_list(), _grid_solver.get_pore_volume_list(),
                              _grid_solver.get_bulk_volume_list(), _grid_solver.get_cell_tau());
  _pressure_solver.solve(step_warnings);
}

std::vector<std::string> Simulation::_result_suffixes() const
{
  namespace names = orr::result_files;
  std::vector<std::string> suffixes = {names::TAU_TABLE, names::TAU_GRID, names::TIME_GRID};
  if (_run_pressure)
    for (const std::string &suffix : _pressure_solver.report_suffixes())
      suffixes.push_back(suffix);
  return suffixes;
}

void Simulation::_write_results()
{
  namespace names = orr::result_files;
  // (1) no file of an earlier run that this run leaves out may pass for one of its results
  _results.clear_earlier_results(_result_suffixes());
  // (2) the pressure maps, (3) the completion summary and the tau files
  const std::string stem = _results.path("");
  if (_run_pressure)
    _pressure_solver.write_pressure_maps(stem);
  orr::quill::write_completion_summary(_results.completion_summary_path(),
                                       _results.completion_summary_temporary_stem(), _completion_summary);
  // The table and the two grid files only read the records, and on a large grid each takes
  // seconds: they are written side by side (one after the other where no thread is to be had).
  std::future<void> table = std::async(std::launch::async | std::launch::deferred, [this] {
    _grid_solver.write_tau_solutions(_results.path(names::TAU_TABLE));
  });
  _grid_solver.write_tau_and_time(_results.path(names::TAU_GRID), _results.path(names::TIME_GRID));
  table.get();
  // (4) the summary and the curves, the rate curve last: the desktop program takes it as the
  // sign of a complete run
  if (_run_pressure)
    _pressure_solver.write_reports(stem);
}
