#include "scratch_directory.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace orr
{
  namespace bench
  {
    ScratchDirectory::ScratchDirectory()
    {
      const char *const tmpdir = std::getenv("TMPDIR");
      std::string       pattern = std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") + "/quill-bench-XXXXXX";
      std::vector<char> buffer(pattern.begin(), pattern.end());
      buffer.push_back('\0');
      if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch directory from " + pattern);
      _path = std::string(buffer.data()) + "/";
    }

    ScratchDirectory::~ScratchDirectory()
    {
      std::error_code ignored;
      std::filesystem::remove_all(_path, ignored);
    }
  } // namespace bench
} // namespace orr
