// The run folder as a hostile or careless user leaves it: symbolic links in the way of the
// result files, a second run of the same deck, a run killed part-way, a file-size limit.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "quill_process.h"
#include "scratch_directory.h"

namespace
{
  // An nx x ny x 2 box of dry gas; `steps` report steps, each with a pressure map.
  std::string gas_box_deck(const int nx, const int ny, const int steps)
  {
    return "DIMENS\n" + std::to_string(nx) + " " + std::to_string(ny)
           + " 2\nDX\n50\nDY\n50\nDZ\n10\nPORO\n0.1\nPERMX\n1\nCOMPLOC\n1 1 1\n/\n"
             "SIMULATION\n-- pressure model\nGAS\nPRESSURE\n5000\nSWL\n0.2\n"
             "PVDG\n500 6.0 0.0130\n2500 1.1 0.0180\n5500 0.56 0.0270\n/\n"
             "RPTPRE\nFREQ=1\nWCONPROD\n30 BHP 1000 0 "
           + std::to_string(steps) + "\n/\nEND\n";
  }

  using Snapshot = std::map<std::string, std::string>;

  Snapshot snapshot(const ScratchDirectory &run)
  {
    Snapshot files;
    for (const std::string &name : run.entries())
      files[name] = run.read(name);
    return files;
  }

  std::vector<std::string> names_containing(const ScratchDirectory &run, const std::string &part)
  {
    std::vector<std::string> names;
    for (const std::string &name : run.entries())
      if (name.find(part) != std::string::npos)
        names.push_back(name);
    return names;
  }

  /**
   * Starts quill on `root` in `run` and sends it SIGKILL as soon as a file whose name starts
   * with `trigger` appears there. Returns whether the signal ended it (false: it ended first).
   */
  bool kill_quill_when_created(const ScratchDirectory &run, const std::string &root,
                               const std::string &trigger)
  {
    const int watch = inotify_init1(IN_CLOEXEC);
    if (watch < 0 || inotify_add_watch(watch, run.path().c_str(), IN_CREATE) < 0)
      throw std::runtime_error("cannot watch the run folder");
    const pid_t child = fork();
    if (child == 0)
      {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        if (chdir(run.path().c_str()) == 0)
          execl(QUILL_BINARY, QUILL_BINARY, root.c_str(), static_cast<char *>(nullptr));
        _exit(127);
      }
    int status = 0;
    for (bool killed = false; !killed;)
      {
        pollfd ready{watch, POLLIN, 0};
        if (poll(&ready, 1, 100) == 0)
          {
            if (waitpid(child, &status, WNOHANG) == child)
              break;
            continue;
          }
        alignas(inotify_event) char events[4096];
        const ssize_t length = read(watch, events, sizeof events);
        for (ssize_t at = 0; at < length && !killed;)
          {
            const auto *event = reinterpret_cast<const inotify_event *>(events + at);
            killed = event->len > 0 && std::string(event->name).rfind(trigger, 0) == 0
                     && kill(child, SIGKILL) == 0;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
          }
        if (killed)
          waitpid(child, &status, 0);
      }
    close(watch);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }
} // namespace

TEST(RunFolder, SymbolicLinksAreNeverFollowed)
{
  // Links at the result names and at the temporary names earlier versions used point outside
  // the run folder; writing must replace the links, never what they point to.
  ScratchDirectory outside;
  outside.write("notes.txt", "notes\n");
  const std::string notes = outside.path() + "notes.txt";
  ScratchDirectory run;
  run.write("case.fip", gas_box_deck(3, 3, 2));
  for (const std::string name : {"case.tau.grdecl", "case_RSM.csv", "well_prop.txt",
                                 "case_tau_solutions.csv", "case_PRESSURE_1.grdecl", "case_RATE"})
    std::filesystem::create_symlink(notes, run.path() + name + ".tmp");
  std::filesystem::create_symlink(notes, run.path() + "case_RATE");

  const QuillRun result = run_quill(run, {"case"});
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(outside.read("notes.txt"), "notes\n");
  for (const std::string name : {"case_RATE", "case.tau.grdecl", "well_prop.txt"})
    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(run.path() + name)))
      << name;

  // A link in place of the lock file is refused, not followed to create a file elsewhere.
  std::filesystem::create_symlink(outside.path() + "lock", run.path() + "case.lock");
  const QuillRun refused = run_quill(run, {"case"});
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_EQ(refused.err,
            "Error: The lock file ./case.lock cannot be made: Too many levels of symbolic links!\n");
  EXPECT_EQ(outside.entries(), std::vector<std::string>{"notes.txt"});
}

TEST(RunFolder, SecondRunOfTheSameDeckWaitsThenFailsTouchingNothing)
{
  ScratchDirectory run;
  run.write("case.fip", gas_box_deck(3, 3, 2));
  run.write("other.fip", gas_box_deck(3, 3, 2));
  ASSERT_EQ(run_quill(run, {"case"}).exit_status, 0);
  const Snapshot earlier = snapshot(run);

  // This test holds the lock of "case" as a running quill would.
  const int lock = open((run.path() + "case.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  const QuillRun second = run_quill(run, {"case"});
  EXPECT_EQ(second.exit_status, 1);
  EXPECT_EQ(second.err, "\nError: another quill run is writing the results of ./case.fip!\n");
  EXPECT_EQ(second.out, "");
  Snapshot with_lock = earlier;
  with_lock["case.lock"] = "";
  EXPECT_EQ(snapshot(run), with_lock);

  // A deck of another name in the same folder is not held up.
  EXPECT_EQ(run_quill(run, {"other"}).exit_status, 0);
  close(lock);

  // The lock file left behind is taken over, and removed at the end of the run.
  EXPECT_EQ(run_quill(run, {"case"}).exit_status, 0);
  EXPECT_FALSE(run.exists("case.lock"));
}

TEST(RunFolder, KilledRunLeavesNoTrap)
{
  // An earlier run wrote maps 1 to 6; the next one, with three maps on a grid large enough
  // to take a while to write, is killed as it starts writing its first map.
  ScratchDirectory run;
  run.write("case.fip", gas_box_deck(3, 3, 6));
  ASSERT_EQ(run_quill(run, {"case"}).exit_status, 0);
  run.write("case.fip", gas_box_deck(150, 150, 3));
  ASSERT_TRUE(kill_quill_when_created(run, "case", "case_PRESSURE_1.grdecl."));

  // The folder may mix the two runs, but no rate curve says that a run was complete.
  EXPECT_FALSE(run.exists("case_RATE"));

  // The next run clears the temporary files and the maps the last deck no longer asks for.
  const QuillRun again = run_quill(run, {"case"});
  ASSERT_EQ(again.exit_status, 0) << again.err;
  EXPECT_EQ(names_containing(run, ".tmp"), std::vector<std::string>{});
  EXPECT_EQ(names_containing(run, "_PRESSURE_"),
            (std::vector<std::string>{"case_PRESSURE_1.grdecl", "case_PRESSURE_2.grdecl",
                                      "case_PRESSURE_3.grdecl"}));
  EXPECT_EQ(names_containing(run, ".lock"), std::vector<std::string>{});
}

TEST(RunFolder, FileSizeLimitIsAFailedWriteWithAMessage)
{
  // 400 cells: the tau table is some 50 kB, the other files a few kB. With the file size
  // limited to 16 kB (32 blocks of 512 bytes), writing the table fails part-way as on a full
  // disk; the earlier table stays and no temporary file is left.
  ScratchDirectory run;
  run.write("grid.fip", "DIMENS\n20 20 1\nDX\n2\nDY\n1\nDZ\n1\nPORO\n0.25\nPERMX\n1\n"
                        "COMPLOC\n1 1 1\n/\nINIT_TOTAL_COMPRESSIBILITY\n1\nINIT_VISCOSITY\n1\n");
  ASSERT_EQ(run_quill(run, {"grid"}).exit_status, 0);
  const std::string earlier_table = run.read("grid_tau_solutions.csv");
  ASSERT_GT(earlier_table.size(), 16384u);
  const std::vector<std::string> earlier_entries = run.entries();

  const QuillRun result = run_quill(run, {"grid"}, "ulimit -f 32");
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_EQ(result.err, "Writing the file ./grid_tau_solutions.csv failed: File too large.\n");
  EXPECT_EQ(result.out.find("Fast Marching Simulation is completed!"), std::string::npos);
  EXPECT_EQ(run.read("grid_tau_solutions.csv"), earlier_table);
  EXPECT_EQ(run.entries(), earlier_entries);
}
