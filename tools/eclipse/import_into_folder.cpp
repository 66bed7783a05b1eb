#include "import_into_folder.h"

#include <filesystem>
#include <stdexcept>

#include <opm/input/eclipse/EclipseState/Grid/EclipseGrid.hpp>
#include <opm/input/eclipse/EclipseState/Grid/NNC.hpp>
#include <opm/input/eclipse/Units/UnitSystem.hpp>

#include "eclipse_file_check.h"
#include "eclipse_import.h"
#include "quill_deck_writer.h"
#include "staged_output.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      namespace fs = std::filesystem;

      // The deck's grid, with the cells the import closed inactive, in field units.
      void write_original_grid(const ParsedDeck &parsed, const ImportedModel &model, const std::string &root,
                               StagedOutput &output)
      {
        const Opm::EclipseGrid grid(parsed.state.getInputGrid(), model.active);
        const std::string file_name = root + ".EGRID";
        grid.save((fs::path(output.staging_directory()) / file_name).string(), false, {},
                  Opm::UnitSystem::newFIELD());
        output.expect(file_name, check_eclipse_file);
      }
    } // namespace

    ImportedModel import_into_folder(const ParsedDeck &parsed, const std::string &well, const std::string &directory,
                                     const std::string &root, const std::string &source)
    {
      ImportedModel model = import_model(parsed, well);
      std::error_code failed;
      fs::create_directories(directory, failed);
      if (failed)
        throw std::runtime_error("The directory " + directory + " cannot be created: " + failed.message());
      StagedOutput output(directory);
      write_quill_deck(model, root, source, output);
      write_original_grid(parsed, model, root, output);
      output.commit();
      return model;
    }
  } // namespace eclipse
} // namespace orr
