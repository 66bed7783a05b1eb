#include "oil_model.h"

namespace orr
{
  namespace bench
  {
    std::string oil_model(const int reports)
    {
      return "OIL\n"
             "PRESSURE\n"
             "3800\n"
             "SWL\n"
             "0.25\n"
             "RCOMP\n"
             "3800 4.0e-6\n"
             "PVDO\n"
             "1000  1.0980  1.420\n"
             "2000  1.0920  1.480\n"
             "3000  1.0860  1.540\n"
             "4000  1.0800  1.600\n"
             "5000  1.0740  1.660\n"
             "/\n"
             "WELLRADIUS\n"
             "0.35\n"
             "WCONPROD\n"
             "1825  BHP  1500 0 " + std::to_string(reports) + "\n"
             "/\n"
             "END\n";
    }
  } // namespace bench
} // namespace orr
