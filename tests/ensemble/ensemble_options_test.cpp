#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ensemble_options.h"
#include "input_error.h"

using namespace orr::ensemble;

TEST(EnsembleOptions, run_and_collect_take_their_options)
{
  const EnsembleOptions local = parse_command_line({"run", "study", "--jobs", "4", "--days", "30,365.25"});
  EXPECT_EQ(local.command, EnsembleOptions::Command::RUN);
  EXPECT_EQ(local.ensemble, "study");
  EXPECT_EQ(local.jobs, 4u);
  EXPECT_FALSE(local.slurm);
  EXPECT_EQ(local.days, (std::vector<double>{30, 365.25}));

  const EnsembleOptions slurm = parse_command_line(
    {"run", "study", "--slurm", "--partition", "short", "--max-running", "50", "--time", "0:30:00", "--no-wait"});
  EXPECT_TRUE(slurm.slurm);
  EXPECT_EQ(slurm.slurm_options.partition, "short");
  EXPECT_EQ(slurm.slurm_options.max_running, 50u);
  EXPECT_EQ(slurm.slurm_options.time_limit, "0:30:00");
  EXPECT_FALSE(slurm.slurm_options.wait);

  EXPECT_EQ(parse_command_line({"collect", "study"}).command, EnsembleOptions::Command::COLLECT);
}

TEST(EnsembleOptions, faulty_command_lines_are_refused_with_the_usage)
{
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
    {{"run"}, "Error: a command and an ensemble folder are needed.\n"},
    {{"start", "study"}, "Error: unknown command \"start\".\n"},
    {{"run", "study", "--jobs", "0"}, "Error: --jobs needs a whole number from 1 to 1000000, not \"0\".\n"},
    {{"run", "study", "--jobs"}, "Error: --jobs needs a value.\n"},
    {{"run", "study", "--days", "30,-1"},
     "Error: --days needs positive numbers of days separated by commas, not \"30,-1\".\n"},
    {{"run", "study", "--no-wait"}, "Error: --partition, --max-running, --time and --no-wait go with --slurm.\n"},
    {{"run", "study", "--slurm", "--jobs", "2"},
     "Error: --jobs is for runs on this machine; with --slurm use --max-running.\n"},
    {{"collect", "study", "--jobs", "2"}, "Error: collect takes no option --jobs.\n"},
    {{"run", "study", "extra"}, "Error: unexpected argument \"extra\".\n"},
  };
  for (const auto &[arguments, message] : cases)
    {
      try
        {
          parse_command_line(arguments);
          ADD_FAILURE() << "accepted: " << message;
        }
      catch (const orr::InputError &error)
        {
          EXPECT_EQ(error.what(), message + USAGE);
        }
    }
}
