#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "input_error.h"

using orr::quill::parse_command_line;
using orr::quill::RunPaths;

namespace
{
  RunPaths parse(const std::vector<std::string> &arguments)
  {
    std::vector<const char *> argv{"quill"};
    for (const std::string &argument : arguments)
      argv.push_back(argument.c_str());
    return parse_command_line(static_cast<int>(argv.size()), argv.data());
  }
} // namespace

TEST(CommandLine, DirectoryEndsInOneSeparator)
{
  const struct
  {
    std::string given, expected;
  } cases[] = {
    {"D:/runs", "D:/runs/"}, {"D://runs", "D://runs/"}, {"runs/", "runs/"},
    {"runs\\", "runs\\"},    {"runs\"", "runs/"},       {"", "./"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(parse({"case", c.given}).directory, c.expected) << "directory " << c.given;
  EXPECT_EQ(parse({"case"}).directory, "./");
}

TEST(CommandLine, RootNameLosesTheDeckSuffixOnlyWhenLonger)
{
  const struct
  {
    std::string given, expected;
  } cases[] = {
    {"case.fip", "case"}, {"case", "case"}, {"case.FIP", "case.FIP"},
    {".fip", ".fip"},     {"a.fip", "a"},   {"case.fip.fip", "case.fip"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(parse({c.given}).root_name, c.expected) << "root " << c.given;
}

TEST(CommandLine, WrongArgumentCountIsAUsageError)
{
  for (const std::vector<std::string> &arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"a", "b", "c"}})
    {
      try
        {
          parse(arguments);
          ADD_FAILURE() << "no usage error for " << arguments.size() << " arguments";
        }
      catch (const orr::InputError &error)
        {
          EXPECT_STREQ(error.what(),
                       "Please follow this format: exe_name root_name <directory>\n");
        }
    }
}
