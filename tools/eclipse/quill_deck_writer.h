#ifndef QUILL_ECLIPSE_QUILL_DECK_WRITER_H
#define QUILL_ECLIPSE_QUILL_DECK_WRITER_H

#include <string>

#include "imported_model.h"
#include "staged_output.h"

namespace orr
{
  namespace eclipse
  {
    /**
     * Writes model as a quill deck: <root>.fip and, for every property that is not one value
     * for all cells, its value file <root>_<property>.inc, all into output.
     * source: the Eclipse deck's file name, named in the deck's heading.
     */
    void write_quill_deck(const ImportedModel &model, const std::string &root, const std::string &source,
                          StagedOutput &output);

    /** Fluid at initial conditions of a deck that computes tau only (no pressure model). */
    constexpr double TAU_ONLY_VISCOSITY = 1.0;                // cp
    constexpr double TAU_ONLY_TOTAL_COMPRESSIBILITY = 1.0e-5; // 1/psi
  } // namespace eclipse
} // namespace orr

#endif
