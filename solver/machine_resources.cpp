#include "machine_resources.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <limits>
#include <sstream>

namespace orr
{
  namespace quill
  {
    std::uint64_t physical_memory_bytes()
    {
      const long pages     = ::sysconf(_SC_PHYS_PAGES);
      const long page_size = ::sysconf(_SC_PAGE_SIZE);
      if (pages <= 0 || page_size <= 0)
        return std::numeric_limits<std::uint64_t>::max();
      return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size);
    }

    std::uint64_t free_disk_bytes(const std::string &folder)
    {
      struct statvfs file_system;
      if (::statvfs(folder.c_str(), &file_system) != 0)
        return std::numeric_limits<std::uint64_t>::max();
      return static_cast<std::uint64_t>(file_system.f_bavail) * file_system.f_frsize;
    }

    std::string bytes_text(const std::uint64_t bytes)
    {
      static const char *const UNITS[] = {"bytes", "kB", "MB", "GB", "TB", "PB", "EB"};
      double                   value   = static_cast<double>(bytes);
      std::size_t              unit    = 0;
      while (value >= 999.5 && unit + 1 < sizeof UNITS / sizeof UNITS[0])
        {
          value /= 1000.0;
          ++unit;
        }
      std::ostringstream text;
      text.precision(3);
      text << value << ' ' << UNITS[unit];
      return text.str();
    }
  } // namespace quill
} // namespace orr
