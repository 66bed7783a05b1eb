#include "run_folder.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "atomic_output_file.h"
#include "input_error.h"
#include "text_input.h"

namespace fs = std::filesystem;

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      const std::string INCLUDE_LINE = "INCLUDE";

      /** The whole text of a small file, or "" when it cannot be read. */
      std::string file_text(const fs::path &path)
      {
        std::ifstream      in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
      }

      /** The realisation's file of that name where it has one, else the base's. */
      fs::path source_of(const EnsembleFolder &ensemble, const std::string &name, const std::string &file)
      {
        const fs::path own = ensemble.realisation_folder(name) / file;
        std::error_code error;
        return fs::exists(own, error) ? own : ensemble.path() / file;
      }

      void append_fingerprint_line(std::string &text, const fs::path &source)
      {
        std::error_code    error;
        const auto         size     = fs::file_size(source, error);
        const auto         modified = fs::last_write_time(source, error);
        std::ostringstream line;
        if (fs::exists(source, error))
          line << size << ' ' << modified.time_since_epoch().count();
        else
          line << "missing";
        text += line.str() + ' ' + source.string() + '\n';
      }
    } // namespace

    std::vector<std::string> included_file_names(const fs::path &deck)
    {
      std::ifstream in;
      if (!open_text_file(in, deck.string()))
        throw InputError("Error: the base deck " + deck.string() + " cannot be read.\n");

      std::vector<std::string> names;
      std::string              line;
      while (read_text_line(in, line))
        {
          if (line != INCLUDE_LINE || !read_text_line(in, line))
            continue;
          const fs::path name(line);
          if (name.is_relative() &&
              std::find(name.begin(), name.end(), fs::path("..")) != name.end())
            throw InputError("Error: the base deck " + deck.string() + " includes " + line +
                             ", outside its folder; an ensemble keeps its included files inside.\n");
          if (std::find(names.begin(), names.end(), line) == names.end())
            names.push_back(line);
        }
      return names;
    }

    std::string input_fingerprint(const EnsembleFolder &ensemble, const std::string &name)
    {
      const std::vector<std::string> included = included_file_names(ensemble.base_deck());

      const fs::path  own_folder = ensemble.realisation_folder(name);
      std::error_code error;
      for (fs::recursive_directory_iterator entry(own_folder, error), end; !error && entry != end;
           entry.increment(error))
        {
          if (!entry->is_regular_file())
            continue;
          const std::string file = entry->path().lexically_relative(own_folder).generic_string();
          if (std::find(included.begin(), included.end(), file) == included.end())
            throw InputError("Error: the file " + name + "/" + file + " replaces no INCLUDE file of " +
                             ensemble.base_deck().filename().string() + ".\n");
        }

      std::string text;
      append_fingerprint_line(text, ensemble.base_deck());
      for (const std::string &file : included)
        if (fs::path(file).is_relative())
          append_fingerprint_line(text, source_of(ensemble, name, file));
      return text;
    }

    void prepare_run_folder(const EnsembleFolder &ensemble, const std::string &name)
    {
      const std::string fingerprint = input_fingerprint(ensemble, name);
      const fs::path    run         = ensemble.run_folder(name);
      fs::remove_all(run);
      fs::create_directories(run);
      fs::copy_file(ensemble.base_deck(), run / ensemble.base_deck().filename());

      // Links rather than copies: a realisation of a million cells has megabytes of values.
      for (const std::string &file : included_file_names(ensemble.base_deck()))
        {
          const fs::path source = source_of(ensemble, name, file);
          std::error_code error;
          if (fs::path(file).is_absolute() || !fs::exists(source, error))
            continue;  // quill reads it as named, or reports it missing
          const fs::path link = run / file;
          fs::create_directories(link.parent_path());
          fs::create_symlink(source, link);
        }

      AtomicOutputFile inputs((run / INPUTS_FILE).string());
      if (!inputs.is_open())
        throw std::runtime_error("The file " + inputs.path() + " cannot be written.");
      inputs.stream() << fingerprint;
      inputs.commit();
    }

    RunRecord read_run_record(const EnsembleFolder &ensemble, const std::string &name)
    {
      RunRecord      record;
      record.name = name;
      const fs::path run = ensemble.run_folder(name);

      std::ifstream status(run / EXIT_STATUS_FILE);
      if (!(status >> record.exit_status))
        return record;
      status.ignore(1);
      std::getline(status, record.message);

      if (file_text(run / INPUTS_FILE) != input_fingerprint(ensemble, name))
        {
          // A failed run on outdated inputs is simply to be run again.
          record.state = record.exit_status == 0 ? RunState::STALE : RunState::PENDING;
          return record;
        }
      record.state = record.exit_status == 0 ? RunState::FINISHED : RunState::FAILED;
      return record;
    }

    std::vector<RunRecord> read_run_records(const EnsembleFolder &ensemble)
    {
      std::vector<RunRecord> records;
      for (const std::string &name : ensemble.realisations())
        records.push_back(read_run_record(ensemble, name));
      return records;
    }

    std::string write_exit_status(const fs::path &run_folder, const int exit_status)
    {
      std::ifstream errors(run_folder / QUILL_ERRORS);
      std::string   line;
      std::string   message;
      while (message.empty() && read_text_line(errors, line))
        message = line;

      AtomicOutputFile file((run_folder / EXIT_STATUS_FILE).string());
      if (!file.is_open())
        throw std::runtime_error("The file " + file.path() + " cannot be written.");
      file.stream() << exit_status << '\n' << message << '\n';
      file.commit();
      return message;
    }
  } // namespace ensemble
} // namespace orr
