#ifndef QUILL_ECLIPSE_VTK_WRITER_H
#define QUILL_ECLIPSE_VTK_WRITER_H

#include <string>

#include <opm/input/eclipse/EclipseState/Grid/EclipseGrid.hpp>

#include "quill_run_results.h"
#include "staged_output.h"

namespace orr
{
  namespace eclipse
  {
    /**
     * Writes the run for ParaView: <root>.vtu, the active cells of grid as hexahedra (ft, z
     * up) with TAU (sqrt(days)), ARRIVAL (days) and the last pressure map (psia) as cell data;
     * <root>_<k>.vtu with the PRESSURE of each pressure map k; and <root>.pvd listing those with
     * their days (<root>.vtu alone at day 0 for a run without maps). Data are inline base64 in
     * single precision, so every file is plain XML.
     */
    void write_vtk_results(const QuillRunResults &run, const Opm::EclipseGrid &grid, const std::string &root,
                           StagedOutput &output);
  } // namespace eclipse
} // namespace orr

#endif
