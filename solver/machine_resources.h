#ifndef QUILL_MACHINE_RESOURCES_H
#define QUILL_MACHINE_RESOURCES_H

#include <cstdint>
#include <string>

namespace orr
{
  namespace quill
  {
    /** The physical memory of this computer, in bytes. */
    std::uint64_t physical_memory_bytes();

    /**
     * The bytes an unprivileged process may still write to the file system of `folder`; the
     * largest value when the file system cannot tell.
     */
    std::uint64_t free_disk_bytes(const std::string &folder);

    /** A byte count for people, with three significant digits: "4.8 kB", "23.4 GB". */
    std::string bytes_text(std::uint64_t bytes);
  } // namespace quill
} // namespace orr

#endif
