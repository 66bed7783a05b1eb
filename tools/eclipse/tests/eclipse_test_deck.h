#ifndef QUILL_ECLIPSE_TESTS_ECLIPSE_TEST_DECK_H
#define QUILL_ECLIPSE_TESTS_ECLIPSE_TEST_DECK_H

#include <string>

#include <opm/input/eclipse/Units/UnitSystem.hpp>

/**
 * A dead-oil reservoir of 4 x 3 x 2 cells (40 x 50 x 10 ft, porosity 0.2 and 0.25 by layer,
 * 100 md horizontally, 10 md vertically) with producer PROD completed in column (2, 2): 30 days
 * at 500 stb/d above 1000 psia over three TSTEP steps, then 1000 psia to the first of July
 * over two DATES. Every number is written in the unit system named ("FIELD" or "METRIC"), so
 * the two decks are twins. grid_extra is put at the end of the GRID section, schedule_extra
 * after the producer's COMPDAT.
 */
std::string eclipse_test_deck(const std::string &units, const std::string &grid_extra = "",
                              const std::string &schedule_extra = "");

#endif
