#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "input_error.h"
#include "result_set.h"
#include "scratch_directory.h"

TEST(ResultSet, MoreThanTheFreeSpaceIsRefusedWithBothFigures)
{
  ScratchDirectory           folder;
  const orr::quill::ResultSet results(folder.path(), "case");
  EXPECT_NO_THROW(results.require_free_space(1, "the pressure maps of this run"));
  try
    {
      results.require_free_space(std::numeric_limits<std::uint64_t>::max(), "the pressure maps of this run");
      ADD_FAILURE() << "18 EB fit the disk";
    }
  catch (const orr::InputError &error)
    {
      const std::string text  = error.what();
      const std::string start = "\nError: the pressure maps of this run need about 18.4 EB, more than the ";
      const std::string end   = " free in " + folder.path() + "!\n";
      EXPECT_EQ(text.compare(0, start.size(), start), 0) << text;
      EXPECT_EQ(text.compare(text.size() - end.size(), end.size(), end), 0) << text;
    }
}
