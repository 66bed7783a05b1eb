#include "eclipse_file_check.h"

#include <stdexcept>

#include <opm/io/eclipse/EclFile.hpp>

namespace orr
{
  namespace eclipse
  {
    void check_eclipse_file(const std::string &path)
    {
      try
      {
        Opm::EclIO::EclFile file(path);
        file.loadData();
      }
      catch (const std::exception &error)
      {
        throw std::runtime_error("The file " + path + " was not written whole: " + error.what());
      }
    }
  } // namespace eclipse
} // namespace orr
