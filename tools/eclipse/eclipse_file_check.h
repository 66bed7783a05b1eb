#ifndef QUILL_ECLIPSE_ECLIPSE_FILE_CHECK_H
#define QUILL_ECLIPSE_ECLIPSE_FILE_CHECK_H

#include <string>

namespace orr
{
  namespace eclipse
  {
    /**
     * Reads back every array of an Eclipse binary file that opm-common wrote, which writes
     * without checking: a file cut short (a full disk) throws std::runtime_error naming path.
     */
    void check_eclipse_file(const std::string &path);
  } // namespace eclipse
} // namespace orr

#endif
