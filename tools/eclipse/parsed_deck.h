#ifndef QUILL_ECLIPSE_PARSED_DECK_H
#define QUILL_ECLIPSE_PARSED_DECK_H

#include <string>

#include <opm/input/eclipse/Deck/Deck.hpp>
#include <opm/input/eclipse/EclipseState/EclipseState.hpp>
#include <opm/input/eclipse/Schedule/Schedule.hpp>

namespace orr
{
  namespace eclipse
  {
    /**
     * An Eclipse deck as opm-common reads it: the keywords, the static model and the schedule.
     * A missing include file is an error like any other, not the end of the process.
     */
    struct ParsedDeck
    {
      /**
       * Parses path (CASE.DATA) and everything it includes. Throws std::exception with
       * opm-common's message when the deck cannot be parsed or makes no valid model.
       */
      explicit ParsedDeck(const std::string &path);

      Opm::Deck         deck;
      Opm::EclipseState state;
      Opm::Schedule     schedule;
    };
  } // namespace eclipse
} // namespace orr

#endif
