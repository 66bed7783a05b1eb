#include "eclipse_import.h"

namespace orr
{
  namespace eclipse
  {
    ImportedModel import_model(const ParsedDeck &parsed, const std::string &well)
    {
      ImportedModel model;
      model.not_carried_over = keywords_not_carried_over(parsed.deck);
      import_grid(parsed, model);
      import_well(parsed, well, model);
      import_pressure_model(parsed, model);
      return model;
    }
  } // namespace eclipse
} // namespace orr
