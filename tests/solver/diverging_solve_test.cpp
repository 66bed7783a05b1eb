// Pressure solves that do not converge or run away, through the built quill: the user is told,
// and a run that left the physical range writes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quill_process.h"
#include "scratch_directory.h"

namespace
{
  // A 5 x 5 x 2 box of gas around a well in its centre column.
  std::string box_deck(const std::string &permx, const std::string &pressure_model)
  {
    return "DIMENS\n5 5 2\nDX\n50\nDY\n50\nDZ\n10\nPORO\n0.1\nPERMX\n" + permx
           + "\nCOMPLOC\n3 3 1\n3 3 2\n/\nSIMULATION\n-- pressure model\nGAS\n" + pressure_model + "END\n";
  }

  // Gas volume factors that rise and fall again with pressure: Newton steps overshoot.
  const std::string ZIGZAG_GAS_TABLE = "PVDG\n2100 5.701 0.0202\n3500 0.474 0.0148\n"
                                       "3800 13.535 0.0418\n5050 2.405 0.0479\n/\n";
} // namespace

TEST(DivergingSolve, UnconvergedStepsAreWarnedOfAndCounted)
{
  // The rock table's kink at 3000 psia, held irreversibly, leaves the last step oscillating.
  ScratchDirectory run;
  run.write("case.fip", box_deck("0.01", "ROCKCOMP\nIRREVERS\nROCKTAB\n100 0.5 0.1\n3000 1 1\n9000 1.1 1.3\n/\n"
                                         "PRESSURE\n5000\n" + ZIGZAG_GAS_TABLE + "WCONPROD\n1 BHP 100 0 1\n"
                                         "10 BHP 100 0 1\n100 BHP 100 0 1\n1000 BHP 100 0 1\n/\n"));
  const QuillRun result = run_quill(run, {"case"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_NE(result.out.find("Fast Marching Simulation is completed!"), std::string::npos);
  EXPECT_EQ(result.err, "Warning: step 4 (day 1000) did not converge in 49 iterations; its results are"
                        " approximate.\n"
                        "Warning: 1 of 4 steps did not converge in 49 iterations; their results are"
                        " approximate.\n");
  // The iteration count of the last step, the summary's last field.
  const std::string summary = run.read("case_RSM.csv");
  EXPECT_EQ(summary.substr(summary.rfind('\n', summary.size() - 2)).find("\n4,1000,"), 0u);
  EXPECT_EQ(summary.substr(summary.size() - 4), ",50\n");
}

TEST(DivergingSolve, SolveThatLeavesThePhysicalRangeEndsTheRunAndWritesNothing)
{
  // The zigzag of the gas table in a tight rock drives the Newton steps below zero pressure;
  // the steps before are only warned of.
  ScratchDirectory run;
  run.write("case.fip", box_deck("0.01", "RCOMP\n3000 1e-3\nPRESSURE\n1000\nPVDG\n350 1.384 0.0114\n"
                                         "850 6.981 0.0414\n900 12.347 0.0324\n5500 9.538 0.0207\n/\n"
                                         "WCONPROD\n1 BHP 100 0 2\n10 BHP 100 0 2\n100 BHP 100 0 2\n/\n"));
  const QuillRun result = run_quill(run, {"case"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.err.find("\nWarning: step 2 (day 1) did not converge in 49 iterations; its results are"
                            " approximate.\n"),
            0u) << result.err;
  EXPECT_NE(result.err.find("\n\nERROR: The pressure solution left the physical range at step 4 (day 10):"
                            " a reservoir pressure is -"),
            std::string::npos) << result.err;
  EXPECT_EQ(result.out.find("Fast Marching Simulation is completed!"), std::string::npos);
  EXPECT_EQ(run.entries(), std::vector<std::string>{"case.fip"});
}
