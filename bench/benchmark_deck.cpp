#include "benchmark_deck.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace orr
{
  namespace bench
  {
    namespace
    {
      constexpr unsigned VALUES_PER_LINE = 8;
      const char *const  PERMX_SUFFIX    = "_permx.inc";
      const char *const  PERMZ_SUFFIX    = "_permz.inc";
      const char *const  PORO_SUFFIX     = "_poro.inc";

      struct FileCloser
      {
        void operator()(std::FILE *file) const { std::fclose(file); }
      };
      using File = std::unique_ptr<std::FILE, FileCloser>;

      File create(const std::string &path)
      {
        File file(std::fopen(path.c_str(), "w"));
        if (!file)
          throw std::runtime_error("cannot create " + path);
        return file;
      }

      void finish(File file, const std::string &path)
      {
        const bool written = std::ferror(file.get()) == 0;
        if (std::fclose(file.release()) != 0 || !written)
          throw std::runtime_error("cannot write " + path);
      }

      /** One value per cell, six significant digits, as the reservoir rounded them. */
      void write_include_file(const std::string &path, const DataRecord<double> &record)
      {
        File file = create(path);
        for (unsigned int cell = 0; cell < record.size(); ++cell)
          std::fprintf(file.get(), (cell + 1) % VALUES_PER_LINE == 0 ? "%g\n" : "%g ",
                       record.get_value(cell));
        std::fputc('\n', file.get());
        finish(std::move(file), path);
      }
    } // namespace

    void write_property_files(const std::string &directory, const std::string &stem,
                              const SyntheticReservoir &reservoir)
    {
      write_include_file(directory + stem + PERMX_SUFFIX, *reservoir.permx);
      write_include_file(directory + stem + PERMZ_SUFFIX, *reservoir.permz);
      write_include_file(directory + stem + PORO_SUFFIX, *reservoir.poro);
    }

    void write_deck(const std::string &directory, const std::string &root, const std::string &stem,
                    const SyntheticReservoir &reservoir, const DeckOptions &options)
    {
      const std::string permx = stem + PERMX_SUFFIX;
      const std::string permz = stem + PERMZ_SUFFIX;
      const std::string poro  = stem + PORO_SUFFIX;

      const std::string path = directory + root + ".fip";
      File              deck = create(path);
      std::FILE *const  out  = deck.get();
      std::fprintf(out, "-- Benchmark: %u x %u x %u cells, log-normal permeability, one vertical well\n",
                   reservoir.nx, reservoir.ny, reservoir.nz);
      std::fprintf(out, "DIMENS\n%u %u %u\n", reservoir.nx, reservoir.ny, reservoir.nz);
      std::fprintf(out, "DX\n%g\nDY\n%g\nDZ\n%g\n", SyntheticReservoir::CELL_SIZE_X,
                   SyntheticReservoir::CELL_SIZE_Y, SyntheticReservoir::CELL_SIZE_Z);
      std::fprintf(out, "PERMX\nINCLUDE\n%s\n", permx.c_str());
      std::fprintf(out, "PERMZ\nINCLUDE\n%s\n", permz.c_str());
      std::fprintf(out, "PORO\nINCLUDE\n%s\n", poro.c_str());
      std::fprintf(out, "COMPLOC\n");
      for (const orr::quill::CompletionCell &cell : reservoir.completions)
        std::fprintf(out, "%d %d %d\n", cell.i, cell.j, cell.k);
      std::fprintf(out, "/\n");
      if (options.second_order)
        std::fprintf(out, "SECOND_ORDER\n");
      if (options.pressure_model.empty())
        std::fprintf(out, "INIT_TOTAL_COMPRESSIBILITY\n%g\nINIT_VISCOSITY\n%g\n",
                     SyntheticReservoir::TOTAL_COMPRESSIBILITY, SyntheticReservoir::VISCOSITY);
      else
        std::fprintf(out, "SIMULATION\n-- the pressure model\n%s", options.pressure_model.c_str());
      finish(std::move(deck), path);
    }
  } // namespace bench
} // namespace orr
