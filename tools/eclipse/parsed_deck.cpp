#include "parsed_deck.h"

#include <memory>

#include <opm/input/eclipse/Parser/ErrorGuard.hpp>
#include <opm/input/eclipse/Parser/ParseContext.hpp>
#include <opm/input/eclipse/Parser/Parser.hpp>
#include <opm/input/eclipse/Python/Python.hpp>

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      Opm::ParseContext strict_context()
      {
        Opm::ParseContext context;
        context.update(Opm::ParseContext::PARSE_MISSING_INCLUDE, Opm::InputError::THROW_EXCEPTION);
        return context;
      }

      Opm::Deck parse(const std::string &path)
      {
        Opm::ErrorGuard errors;
        Opm::Deck deck = Opm::Parser().parseFile(path, strict_context(), errors);
        // Findings kept as warnings by the context are not ours to print.
        errors.clear();
        return deck;
      }

      Opm::Schedule make_schedule(const Opm::Deck &deck, const Opm::EclipseState &state)
      {
        Opm::ErrorGuard errors;
        // Python actions (PYACTION) are nothing quill could carry over: no interpreter is started.
        Opm::Schedule schedule(deck, state, strict_context(), errors,
                               std::make_shared<Opm::Python>(Opm::Python::Enable::OFF));
        errors.clear();
        return schedule;
      }
    } // namespace

    ParsedDeck::ParsedDeck(const std::string &path)
      : deck(parse(path))
      , state(deck)
      , schedule(make_schedule(deck, state))
    {}
  } // namespace eclipse
} // namespace orr
