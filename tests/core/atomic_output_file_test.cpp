#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "atomic_output_file.h"

namespace
{
  namespace fs = std::filesystem;

  std::string read(const fs::path &path)
  {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  /** A fresh folder, removed with what it holds at the end of the test. */
  struct Folder
  {
    Folder()
    {
      char pattern[] = "/tmp/atomic_output_file_test.XXXXXX";
      path           = mkdtemp(pattern);
    }
    ~Folder() { fs::remove_all(path); }
    std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(path), {})); }
    fs::path path;
  };

  void write_file(const fs::path &path, const std::string &text)
  {
    orr::AtomicOutputFile out(path.string());
    ASSERT_TRUE(out.is_open());
    out.stream() << text;
    out.commit();
  }
} // namespace

TEST(AtomicOutputFile, ReplacesAFileWithoutTouchingItsText)
{
  // A second name of the earlier file still shows the earlier text: the file was replaced,
  // not written over.
  const Folder folder;
  write_file(folder.path / "result", "earlier\n");
  fs::create_hard_link(folder.path / "result", folder.path / "kept");
  write_file(folder.path / "result", "later\n");
  EXPECT_EQ(read(folder.path / "result"), "later\n");
  EXPECT_EQ(read(folder.path / "kept"), "earlier\n");
  EXPECT_EQ(folder.entries(), 2u);
}

TEST(AtomicOutputFile, AFolderInTheWayIsAFailureThatLeavesIt)
{
  const Folder folder;
  fs::create_directory(folder.path / "result");
  std::ofstream(folder.path / "result" / "inside") << "kept\n";
  EXPECT_THROW(write_file(folder.path / "result", "text\n"), std::runtime_error);
  EXPECT_EQ(read(folder.path / "result" / "inside"), "kept\n");
  EXPECT_EQ(folder.entries(), 1u);
}
