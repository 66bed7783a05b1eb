#include "exceptions.h"

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "death_test_text.h"

using orr::testing::literal_regex;
namespace exc = orr::StandardExceptions;

namespace orr_test_sites
{
  constexpr unsigned int checked_index_line = __LINE__ + 4;

  unsigned int checked_index(unsigned int i)
  {
    ORR_ASSERT(i < 3, ExcIndexRange(i, 0, 2));
    return i;
  }

  void throwing_check(int value)
  {
    ORR_ASSERT_THROW(value > 0, ExcIo("The interpolation table is empty."));
  }
} // namespace orr_test_sites

namespace
{
  const std::string dashes = "--------------------------------------------------------\n";

  std::string details_of(const orr::ExceptionBase &e)
  {
    std::ostringstream out;
    e.write_details(out);
    return out.str();
  }
} // namespace

TEST(FailedCheck, WritesTheReportBlockAndAborts)
{
  const std::string report =
    dashes + "An error occurred in line <" + std::to_string(orr_test_sites::checked_index_line) +
    "> of file <" + __FILE__ +
    "> in function\n"
    "    unsigned int orr_test_sites::checked_index(unsigned int)\n"
    "The violated condition was: \n"
    "    i < 3\n"
    "The name and call sequence of the exception was:\n"
    "    ExcIndexRange(i, 0, 2)\n"
    "Additional Information: \n"
    "Index 7 is not in [0,2]\n" +
    dashes;
  EXPECT_EXIT(orr_test_sites::checked_index(7), ::testing::KilledBySignal(SIGABRT),
              "^" + literal_regex(report) + "$");
  EXPECT_EQ(orr_test_sites::checked_index(2), 2u);
}

TEST(FailedCheck, DuringUnwindingReturnsAndSuppressesLaterReports)
{
  struct CheckingDestructor
  {
    ~CheckingDestructor()
    {
      orr_test_sites::checked_index(9);
      orr_test_sites::checked_index(10);
      orr_test_sites::checked_index(11);
    }
  };
  const auto unwind_through_failed_checks = [] {
    try
    {
      CheckingDestructor checker;
      throw std::runtime_error("unwinding");
    }
    catch (const std::runtime_error &)
    {}
    std::exit(orrery_exceptions::failed_check_count == 3 ? 0 : 1);
  };
  const std::string tail =
    "Index 9 is not in [0,2]\n" + dashes +
    "******** Program is not aborted since another exception is active! ********\n"
    "******** More assertions fail but messages are suppressed! ********\n";
  EXPECT_EXIT(unwind_through_failed_checks(), ::testing::ExitedWithCode(0),
              literal_regex(tail) + "$");
}

TEST(Exceptions, ThrownCheckRecordsItsSite)
{
  try
  {
    orr_test_sites::throwing_check(0);
    FAIL() << "no exception";
  }
  catch (const exc::ExcIo &e)
  {
    const std::string text = e.what();
    EXPECT_NE(text.find("> of file <" __FILE__ "> in function\n"
                        "    void orr_test_sites::throwing_check(int)\n"
                        "The violated condition was: \n"
                        "    value > 0\n"
                        "The name and call sequence of the exception was:\n"
                        "    ExcIo(\"The interpolation table is empty.\")\n"
                        "Additional Information: \n"
                        "IO error: The interpolation table is empty.\n"),
              std::string::npos)
      << text;
  }
  EXPECT_NO_THROW(orr_test_sites::throwing_check(1));
}

TEST(Exceptions, PlainThrowReportsAnEmptySite)
{
  EXPECT_EQ(std::string(exc::ExcInternalError().what()),
            dashes +
              "An error occurred in line <0> of file <> in function\n"
              "    \n"
              "The violated condition was: \n"
              "    \n"
              "The name and call sequence of the exception was:\n"
              "    \n"
              "Additional Information: \n"
              "(none)\n" +
              dashes);
}

TEST(Exceptions, DetailsLines)
{
  EXPECT_EQ(details_of(exc::ExcIndexRange(5, 0, 4)), "Index 5 is not in [0,4]\n");
  EXPECT_EQ(details_of(exc::ExcIndexRange(-1, 0, -1)), "Index -1 is not in [0,-1]\n");
  EXPECT_EQ(details_of(exc::ExcIo("disk full")), "IO error: disk full\n");
  EXPECT_EQ(details_of(exc::ExcFileNotOpen("/run/case_RATE")), "Could not open file /run/case_RATE\n");
  EXPECT_EQ(details_of(exc::ExcTypeMismatch("first", "second")), "Type first is not second\n");
  EXPECT_EQ(details_of(exc::ExcIncompleteData("PERMX   ")),
            "Data of PERMX    is missing or incomplete.\n");
  EXPECT_EQ(details_of(exc::ExcMessage("Pardiso cannot work!")), "Pardiso cannot work!\n");
  EXPECT_EQ(details_of(exc::ExcDimensionMismatch2(10, 12, 8)),
            "Dimension 10 neither equal to 12 nor to 8\n");
  EXPECT_EQ(details_of(exc::ExcInternalError()), "(none)\n");
  EXPECT_EQ(details_of(exc::ExcNullPointer()), "(none)\n");
  EXPECT_EQ(details_of(exc::ExcInvalidState()), "(none)\n");
}

TEST(Exceptions, FileNameOutlivesTheWriterThatBuiltIt)
{
  const auto throw_from_writer = [] {
    const std::string directory = "/no/such/dir/";
    throw exc::ExcFileNotOpen(directory + "case.tau.grdecl");
  };
  try
  {
    throw_from_writer();
    FAIL() << "no exception";
  }
  catch (const orr::ExceptionBase &e)
  {
    EXPECT_NE(std::string(e.what()).find("Could not open file /no/such/dir/case.tau.grdecl\n"),
              std::string::npos);
  }
}
