#include "quill_program.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <unistd.h>

#include "input_error.h"

namespace fs = std::filesystem;

namespace orr
{
  namespace ensemble
  {
    namespace
    {
      bool executable(const fs::path &path)
      {
        std::error_code error;
        return fs::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
      }

      /** `quill` in a folder of PATH, or "" where there is none. */
      fs::path quill_on_path()
      {
        const char *path = std::getenv("PATH");
        std::istringstream folders(path != nullptr ? path : "");
        std::string        folder;
        while (std::getline(folders, folder, ':'))
          if (!folder.empty() && executable(fs::path(folder) / "quill"))
            return fs::path(folder) / "quill";
        return {};
      }
    } // namespace

    std::string quill_program(const std::string &given)
    {
      fs::path program = given;
      if (program.empty())
        program = executable(BUILT_QUILL_PROGRAM) ? fs::path(BUILT_QUILL_PROGRAM) : quill_on_path();
      if (program.empty())
        throw InputError("Error: the quill program cannot be found; give it with --quill.\n");
      if (!executable(program))
        throw InputError("Error: the quill program " + program.string() + " does not exist or cannot be run.\n");
      return fs::absolute(program).lexically_normal().string();
    }
  } // namespace ensemble
} // namespace orr
