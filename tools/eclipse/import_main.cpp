// quill-import: an Eclipse deck in, a quill deck folder out.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "import_into_folder.h"
#include "input_error.h"
#include "tool_command_line.h"

namespace
{
  namespace fs = std::filesystem;
  using orr::eclipse::ImportedModel;

  const char USAGE[] = "Usage: quill-import [--well NAME] <CASE.DATA> <output directory> [<root name>]\n";

  struct Arguments
  {
    std::string deck;
    std::string directory;
    std::string root;
    std::string well;
  };

  Arguments read_arguments(int argc, char **argv)
  {
    const orr::eclipse::ToolCommandLine command_line = orr::eclipse::read_tool_command_line(argc, argv, 2, 3, USAGE);
    Arguments arguments;
    arguments.deck = command_line.words[0];
    arguments.directory = command_line.words[1];
    arguments.root = command_line.words.size() == 3 ? command_line.words[2] : fs::path(arguments.deck).stem().string();
    arguments.well = command_line.well;
    if (arguments.root.empty() || arguments.root.find('/') != std::string::npos)
      throw orr::InputError("Error: The root name \"" + arguments.root + "\" is no file name!\n");
    return arguments;
  }

  // opm-common's own message when the deck cannot be parsed.
  std::unique_ptr<orr::eclipse::ParsedDeck> parse(const std::string &deck)
  {
    try
    {
      return std::make_unique<orr::eclipse::ParsedDeck>(deck);
    }
    catch (const std::exception &error)
    {
      throw orr::InputError("Error: The deck " + deck + " cannot be read:\n" + error.what() + "\n");
    }
  }

  void report(const ImportedModel &model, const Arguments &arguments)
  {
    for (const std::string &note : model.notes)
      std::cout << note << '\n';
    for (const std::string &keyword : model.not_carried_over)
      std::cout << "not carried over: " << keyword << '\n';
    std::cout << "Wrote " << (fs::path(arguments.directory) / (arguments.root + ".fip")).string()
              << (model.pressure_model ? " with a pressure model" : ", tau only") << ": run it with quill "
              << arguments.root << ' ' << arguments.directory << '\n';
  }
} // namespace

int main(int argc, char **argv)
{
  return orr::eclipse::run_reporting_failures([argc, argv] {
    const Arguments arguments = read_arguments(argc, argv);
    const std::unique_ptr<orr::eclipse::ParsedDeck> parsed = parse(arguments.deck);
    const ImportedModel model = orr::eclipse::import_into_folder(
      *parsed, arguments.well, arguments.directory, arguments.root, fs::path(arguments.deck).filename().string());
    report(model, arguments);
  });
}
