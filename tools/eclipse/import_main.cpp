// quill-import: an Eclipse deck in, a quill deck folder out.

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "import_into_folder.h"
#include "input_error.h"

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
    Arguments arguments;
    std::vector<std::string> positional;
    for (int a = 1; a < argc; ++a)
    {
      const std::string argument = argv[a];
      if (argument == "--well" && a + 1 < argc)
        arguments.well = argv[++a];
      else if (!argument.empty() && argument[0] == '-')
        throw orr::InputError(USAGE);
      else
        positional.push_back(argument);
    }
    if (positional.size() < 2 || positional.size() > 3)
      throw orr::InputError(USAGE);
    arguments.deck = positional[0];
    arguments.directory = positional[1];
    arguments.root = positional.size() == 3 ? positional[2] : fs::path(arguments.deck).stem().string();
    if (arguments.root.empty() || arguments.root.find('/') != std::string::npos)
      throw orr::InputError("Error: The root name \"" + arguments.root + "\" is no file name!\n");
    return arguments;
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
  Arguments arguments;
  try
  {
    arguments = read_arguments(argc, argv);
  }
  catch (const orr::InputError &error)
  {
    std::cerr << error.what();
    return 1;
  }

  std::unique_ptr<orr::eclipse::ParsedDeck> parsed;
  try
  {
    parsed = std::make_unique<orr::eclipse::ParsedDeck>(arguments.deck);
  }
  catch (const std::exception &error)
  {
    std::cerr << "Error: The deck " << arguments.deck << " cannot be read:\n" << error.what() << '\n';
    return 1;
  }

  try
  {
    const ImportedModel model = orr::eclipse::import_into_folder(
      *parsed, arguments.well, arguments.directory, arguments.root, fs::path(arguments.deck).filename().string());
    report(model, arguments);
  }
  catch (const orr::InputError &error)
  {
    std::cerr << error.what();
    return 1;
  }
  catch (const std::exception &error)
  {
    std::cerr << "Error: " << error.what() << '\n';
    return 2;
  }
  return 0;
}
