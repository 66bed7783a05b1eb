#include "eclipse_results_writer.h"

#include <chrono>
#include <filesystem>

#include <opm/common/utility/TimeService.hpp>
#include <opm/input/eclipse/EclipseState/Grid/NNC.hpp>
#include <opm/io/eclipse/EclOutput.hpp>
#include <opm/io/eclipse/OutputStream.hpp>
#include <opm/output/eclipse/DoubHEAD.hpp>
#include <opm/output/eclipse/InteHEAD.hpp>
#include <opm/output/eclipse/LogiHEAD.hpp>
#include <opm/input/eclipse/Units/UnitSystem.hpp>

#include "eclipse_file_check.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      namespace Stream = Opm::EclIO::OutputStream;

      const double CUBIC_FEET_PER_BARREL = 5.614583333;
      // quill's days count from no calendar date; the results start on this one.
      const int START_YEAR = 2000;
      const double SECONDS_PER_DAY = 86400.0;

      std::chrono::system_clock::time_point start_time()
      {
        std::tm start{};
        start.tm_year = START_YEAR - 1900;
        start.tm_mday = 1;
        return std::chrono::system_clock::from_time_t(timegm(&start));
      }

      // The header arrays of an INIT file or a restart report at day.
      template <class Stream>
      void write_headers(Stream &stream, const Opm::EclipseGrid &grid, double day, int report)
      {
        const std::time_t at = std::chrono::system_clock::to_time_t(
          start_time() + std::chrono::seconds(static_cast<long long>(day * SECONDS_PER_DAY)));
        std::tm date{};
        gmtime_r(&at, &date);
        const Opm::RestartIO::InteHEAD::TimePoint time_point{date.tm_year + 1900, date.tm_mon + 1, date.tm_mday,
                                                             date.tm_hour, date.tm_min, date.tm_sec, 0};
        Opm::RestartIO::InteHEAD intehead;
        intehead.dimensions(int(grid.getNX()), int(grid.getNY()), int(grid.getNZ()))
          .numActive(int(grid.getNumActive()))
          .unitConventions(Opm::UnitSystem::newFIELD())
          .calendarDate(time_point)
          .activePhases({1, 0, 0})
          .stepParam(report, report)
          .variousParam(201802, 100);
        stream.write("INTEHEAD", intehead.data());
        stream.write("LOGIHEAD", Opm::RestartIO::LogiHEAD().data());
        Opm::RestartIO::DoubHEAD doubhead;
        doubhead.timeStamp({start_time(), std::chrono::duration<double>(day * SECONDS_PER_DAY)});
        stream.write("DOUBHEAD", doubhead.data());
      }

      void write_init(const QuillRunResults &run, const Opm::EclipseGrid &grid, const Stream::ResultSet &result_set)
      {
        Stream::Init init(result_set, Stream::Formatted{false});
        write_headers(init, grid, 0.0, 0);
        // Pore volume of every cell, active or not, in reservoir barrels.
        std::vector<float> pore_volume(run.poro.size());
        for (std::size_t g = 0; g < pore_volume.size(); ++g)
          pore_volume[g] = grid.cellActive(g)
                             ? static_cast<float>(run.poro[g] * run.dx[g] * run.dy[g] * run.dz[g] / CUBIC_FEET_PER_BARREL)
                             : 0.0f;
        init.write("PORV", pore_volume);
        init.write("DX", active_cell_values(grid, run.dx));
        init.write("DY", active_cell_values(grid, run.dy));
        init.write("DZ", active_cell_values(grid, run.dz));
        init.write("PERMX", active_cell_values(grid, run.permx));
        init.write("PERMY", active_cell_values(grid, run.permy));
        init.write("PERMZ", active_cell_values(grid, run.permz));
        init.write("PORO", active_cell_values(grid, run.poro));
      }

      void write_restart(const QuillRunResults &run, const Opm::EclipseGrid &grid, const Stream::ResultSet &result_set)
      {
        {
          Stream::Restart report(result_set, 0, Stream::Formatted{false}, Stream::Unified{true});
          write_headers(report, grid, 0.0, 0);
          report.write("TAU", active_cell_values(grid, run.tau));
          report.write("ARRIVAL", active_cell_values(grid, run.arrival));
        }
        for (std::size_t m = 0; m < run.maps.size(); ++m)
        {
          const int sequence = int(m) + 1;
          Stream::Restart report(result_set, sequence, Stream::Formatted{false}, Stream::Unified{true});
          write_headers(report, grid, run.maps[m].day, sequence);
          report.write("PRESSURE", active_cell_values(grid, run.maps[m].pressure));
        }
      }

      void write_summary(const QuillRunResults &run, const Opm::EclipseGrid &grid, const std::string &well,
                         const Stream::ResultSet &result_set)
      {
        // The summary's header, written once before its steps.
        using SummaryHeader = Stream::SummarySpecification;
        SummaryHeader::Parameters parameters;
        const std::string phase = run.gas ? "G" : "O";
        const std::string rate_unit = run.gas ? "MSCF/DAY" : "STB/DAY";
        const std::string volume_unit = run.gas ? "MSCF" : "STB";
        parameters.add("TIME", ":+:+:+:+", 0, "DAYS");
        parameters.add("WBHP", well, 0, "PSIA");
        parameters.add("W" + phase + "PR", well, 0, rate_unit);
        parameters.add("W" + phase + "PT", well, 0, volume_unit);
        parameters.add("F" + phase + "PR", "FIELD", 0, rate_unit);
        parameters.add("F" + phase + "PT", "FIELD", 0, volume_unit);
        {
          // No restart case: the run starts from its own initial state.
          SummaryHeader header(result_set, Stream::Formatted{false}, SummaryHeader::UnitConvention::Field,
                               {int(grid.getNX()), int(grid.getNY()), int(grid.getNZ())}, {},
                               Opm::TimeService::from_time_t(std::chrono::system_clock::to_time_t(start_time())));
          header.write(parameters);
        }
        std::unique_ptr<Opm::EclIO::EclOutput> summary =
          Stream::createSummaryFile(result_set, 0, Stream::Formatted{false}, Stream::Unified{true});
        for (std::size_t s = 0; s < run.day.size(); ++s)
        {
          summary->write("SEQHDR", std::vector<int>{int(s)});
          summary->write("MINISTEP", std::vector<int>{int(s)});
          summary->write("PARAMS", std::vector<float>{float(run.day[s]), float(run.bhp[s]), float(run.rate[s]),
                                                      float(run.cumulative[s]), float(run.rate[s]),
                                                      float(run.cumulative[s])});
        }
      }
    } // namespace

    void write_eclipse_results(const QuillRunResults &run, const ExportGrid &grid, const std::string &root,
                               const std::string &well, StagedOutput &output)
    {
      const Stream::ResultSet result_set{output.staging_directory(), root};
      if (!grid.imported)
      {
        grid.grid.save(Stream::outputFileName(result_set, "EGRID"), false, {}, Opm::UnitSystem::newFIELD());
        output.expect(root + ".EGRID", check_eclipse_file);
      }
      write_init(run, grid.grid, result_set);
      output.expect(root + ".INIT", check_eclipse_file);
      write_restart(run, grid.grid, result_set);
      output.expect(root + ".UNRST", check_eclipse_file);
      if (run.has_pressure_model)
      {
        write_summary(run, grid.grid, well, result_set);
        output.expect(root + ".SMSPEC", check_eclipse_file);
        output.expect(root + ".UNSMRY", check_eclipse_file);
      }
    }
  } // namespace eclipse
} // namespace orr
