#include "command_line.h"

#include "input_error.h"

namespace orr
{
  namespace quill
  {
    const char *const USAGE_TEXT = "Please follow this format: exe_name root_name <directory>";

    namespace
    {
      const std::string DECK_SUFFIX = ".fip";

      std::string run_directory(std::string directory)
      {
        if (directory.empty())
          return "./";
        switch (directory.back())
          {
          case '/':
          case '\\':
            break;
          case '"':
            directory.back() = '/';
            break;
          default:
            directory.push_back('/');
          }
        return directory;
      }

      std::string root_name(std::string name)
      {
        const std::size_t suffix_length = DECK_SUFFIX.size();
        if (name.size() > suffix_length
            && name.compare(name.size() - suffix_length, suffix_length, DECK_SUFFIX) == 0)
          name.erase(name.size() - suffix_length);
        return name;
      }
    } // namespace

    RunPaths parse_command_line(const int argc, const char *const *argv)
    {
      if (argc != 2 && argc != 3)
        throw InputError(std::string(USAGE_TEXT) + "\n");

      RunPaths paths;
      paths.root_name = root_name(argv[1]);
      paths.directory = argc == 3 ? run_directory(argv[2]) : std::string("./");
      return paths;
    }
  } // namespace quill
} // namespace orr
