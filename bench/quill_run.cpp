#include "quill_run.h"

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace orr
{
  namespace bench
  {
    namespace
    {
      const std::string SECONDS_SUFFIX = " seconds.";

      std::string read_file(const std::string &path)
      {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      }

      /**
       * The seconds of the timing line that starts with `label` (the label, dots, anything
       * the stage printed, the seconds and " seconds."), or -1 when there is none.
       */
      double stage_seconds(const std::string &output, const std::string &label)
      {
        const std::size_t start = output.find(label);
        if (start == std::string::npos)
          return -1.0;
        const std::size_t end = output.find(SECONDS_SUFFIX, start);
        if (end == std::string::npos)
          return -1.0;
        // The number follows the padding dots directly: take the run of number characters
        // before " seconds." and drop the dots that lead it.
        const std::size_t before = output.find_last_not_of("0123456789.e+-", end - 1);
        if (before == std::string::npos || before < start)
          return -1.0;
        std::size_t first = before + 1;
        while (first < end && output[first] == '.')
          ++first;
        return std::stod(output.substr(first, end - first));
      }

      std::size_t count_lines(const std::string &path)
      {
        std::ifstream in(path, std::ios::binary);
        std::size_t   lines = 0;
        char          buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
          for (std::streamsize i = 0; i < in.gcount(); ++i)
            lines += buffer[i] == '\n';
        return lines;
      }
    } // namespace

    QuillRun run_quill(const std::string &quill, const std::string &directory, const std::string &root)
    {
      const std::string output_path = directory + root + ".out";
      QuillRun          run;
      run.usage  = run_program({quill, root, directory}, output_path);
      run.output = read_file(output_path);
      if (!run.usage.succeeded)
        throw std::runtime_error("quill failed on " + directory + root + ".fip:\n" + run.output);
      run.reading_seconds  = stage_seconds(run.output, "Reading above information costs ");
      run.march_seconds    = stage_seconds(run.output, "Running Fast Marching Algorithm costs ");
      run.pressure_seconds = stage_seconds(run.output, "Solving pressure costs ");
      run.writing_seconds  = stage_seconds(run.output, "Writing results costs ");
      run.recorded_cells   = count_lines(directory + root + "_tau_solutions.csv");
      return run;
    }
  } // namespace bench
} // namespace orr
