#ifndef QUILL_ECLIPSE_IMPORT_INTO_FOLDER_H
#define QUILL_ECLIPSE_IMPORT_INTO_FOLDER_H

#include <string>

#include "imported_model.h"
#include "parsed_deck.h"

namespace orr
{
  namespace eclipse
  {
    /**
     * Imports a parsed deck as the quill deck folder that quill-import writes: <root>.fip, its
     * value files and the original grid <root>.EGRID (its closed cells inactive, field units),
     * all into directory (created when missing) or none of them.
     * well: as for import_model; source: the Eclipse deck's file name, for the deck's heading.
     * Returns the model written. Throws orr::InputError for a deck quill cannot take and
     * std::runtime_error when a file cannot be written.
     */
    ImportedModel import_into_folder(const ParsedDeck &parsed, const std::string &well, const std::string &directory,
                                     const std::string &root, const std::string &source);
  } // namespace eclipse
} // namespace orr

#endif
