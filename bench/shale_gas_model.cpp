#include "shale_gas_model.h"

namespace orr
{
  namespace bench
  {
    std::string shale_gas_model(const int ntau)
    {
      std::string section = "GAS\n"
                            "DUALPORO\n"
                            "KEROGEN\n"
                            "PRESSURE\n"
                            "4500\n"
                            "SWL\n"
                            "0.2\n"
                            "RCOMP\n"
                            "4500 3.0e-6\n"
                            "MTRXPERM\n"
                            "0.0001\n"
                            "MTRXPORO\n"
                            "0.05\n"
                            "MTRXCOMP\n"
                            "4500 2.0e-6\n"
                            "SIGMA\n"
                            "0.5\n"
                            "LANGPRESS\n"
                            "1200\n"
                            "LANGVOL\n"
                            "80\n"
                            "SIGMAMK\n"
                            "0.1\n"
                            "DIFFCOAL\n"
                            "1.0e-4\n"
                            "PVDG\n"
                            "500    6.2780  0.01310\n"
                            "1000   3.0920  0.01420\n"
                            "2000   1.5310  0.01690\n"
                            "3000   1.0390  0.02010\n"
                            "4000   0.8110  0.02340\n"
                            "5000   0.6870  0.02660\n"
                            "6000   0.6110  0.02960\n"
                            "/\n"
                            "WELLRADIUS\n"
                            "0.3\n"
                            "NTAU\n";
      section += std::to_string(ntau) + "\n";
      section += "WCONPROD\n"
                 "365   GRAT 1000 20000 30\n"
                 "1825  BHP  1000 0     30\n"
                 "/\n"
                 "END\n";
      return section;
    }
  } // namespace bench
} // namespace orr
