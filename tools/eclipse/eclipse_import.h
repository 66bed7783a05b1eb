#ifndef QUILL_ECLIPSE_ECLIPSE_IMPORT_H
#define QUILL_ECLIPSE_ECLIPSE_IMPORT_H

#include <string>

#include "imported_model.h"
#include "parsed_deck.h"

namespace orr
{
  namespace eclipse
  {
    /**
     * Turns a parsed Eclipse deck into a quill model, in field units.
     * well: the producer to take when the deck has several wells; empty to take the only one.
     * Throws orr::InputError with the user's text when the deck has no producer, several wells
     * and none chosen, or a well without open connections.
     */
    ImportedModel import_model(const ParsedDeck &parsed, const std::string &well);

    // The steps of import_model, each in a file of its own.

    /** Dimensions, cell sizes, active cells and the four properties (NTG applied). */
    void import_grid(const ParsedDeck &parsed, ImportedModel &model);

    /** Chooses the producer and takes its open connections, radius and skin. */
    void import_well(const ParsedDeck &parsed, const std::string &well, ImportedModel &model);

    /**
     * The pressure model, when the deck has all it needs; otherwise leaves it empty and says
     * why in model.notes.
     */
    void import_pressure_model(const ParsedDeck &parsed, ImportedModel &model);

    /** The producer's periods of constant control, each ending at a report time. */
    void import_control_periods(const ParsedDeck &parsed, ImportedPressureModel &pressure_model,
                                ImportedModel &model);

    /** Every keyword of the deck that quill's model has no place for, once each, in deck order. */
    std::vector<std::string> keywords_not_carried_over(const Opm::Deck &deck);
  } // namespace eclipse
} // namespace orr

#endif
