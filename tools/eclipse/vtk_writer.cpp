#include "vtk_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "export_grid.h"
#include "number_text.h"

namespace orr
{
  namespace eclipse
  {
    namespace
    {
      const double FEET_PER_METRE = 1.0 / 0.3048;
      const std::uint8_t VTK_HEXAHEDRON = 12;
      // opm-common numbers a cell's corners i fastest, then j, top face first; a VTK hexahedron
      // goes round one face, then round the other.
      const int VTK_CORNER_ORDER[8] = {0, 1, 3, 2, 4, 5, 7, 6};

      /** Base64 of a binary DataArray: its length as UInt64, then its bytes, each encoded alone. */
      class Base64
      {
      public:
        static void append_block(std::string &text, const void *data, std::uint64_t bytes)
        {
          append(text, &bytes, sizeof bytes);
          append(text, data, bytes);
        }

      private:
        static void append(std::string &text, const void *data, std::size_t size)
        {
          static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
          const auto *in = static_cast<const unsigned char *>(data);
          const std::size_t start = text.size();
          text.resize(start + (size + 2) / 3 * 4);
          char *out = text.data() + start;
          std::size_t i = 0;
          for (; i + 3 <= size; i += 3, out += 4)
          {
            const std::uint32_t v = (std::uint32_t(in[i]) << 16) | (std::uint32_t(in[i + 1]) << 8) | in[i + 2];
            out[0] = digits[v >> 18];
            out[1] = digits[(v >> 12) & 63];
            out[2] = digits[(v >> 6) & 63];
            out[3] = digits[v & 63];
          }
          if (i < size)
          {
            const std::uint32_t v = (std::uint32_t(in[i]) << 16) | (i + 1 < size ? std::uint32_t(in[i + 1]) << 8 : 0);
            out[0] = digits[v >> 18];
            out[1] = digits[(v >> 12) & 63];
            out[2] = i + 1 < size ? digits[(v >> 6) & 63] : '=';
            out[3] = '=';
          }
        }
      };

      template <class T>
      void append_array(std::string &text, const char *type, const char *name, int components, const std::vector<T> &values)
      {
        text += std::string("<DataArray type=\"") + type + "\" Name=\"" + name + "\" NumberOfComponents=\""
                + std::to_string(components) + "\" format=\"binary\">\n";
        Base64::append_block(text, values.data(), values.size() * sizeof(T));
        text += "\n</DataArray>\n";
      }

      /**
       * The geometry every file of the run shares, encoded once: points shared between cells
       * (a corner is the point on its pillar at its depth) and the cells.
       */
      struct Geometry
      {
        std::size_t cell_count = 0;
        std::size_t point_count = 0;
        std::string points_and_cells; // the <Points> and <Cells> elements
      };

      Geometry encode_geometry(const Opm::EclipseGrid &grid)
      {
        const std::size_t nx = grid.getNX(), ny = grid.getNY(), nz = grid.getNZ();
        const std::vector<double> &coord = grid.getCOORD();
        const std::vector<double> &zcorn = grid.getZCORN();
        const Opm::ZcornMapper zcorn_index = grid.zcornMapper();

        // (1) the depths on each pillar, sorted and unique
        const std::size_t pillar_count = (nx + 1) * (ny + 1);
        std::vector<std::vector<double>> depths(pillar_count);
        const auto pillar_of = [nx](std::size_t i, std::size_t j, int corner) {
          return (j + ((corner >> 1) & 1)) * (nx + 1) + i + (corner & 1);
        };
        for (std::size_t k = 0; k < nz; ++k)
          for (std::size_t j = 0; j < ny; ++j)
            for (std::size_t i = 0; i < nx; ++i)
              if (grid.cellActive(i, j, k))
                for (int corner = 0; corner < 8; ++corner)
                  depths[pillar_of(i, j, corner)].push_back(zcorn[zcorn_index.index(i, j, k, corner)]);
        std::vector<std::size_t> first_point(pillar_count + 1, 0);
        for (std::size_t p = 0; p < pillar_count; ++p)
        {
          std::sort(depths[p].begin(), depths[p].end());
          depths[p].erase(std::unique(depths[p].begin(), depths[p].end()), depths[p].end());
          first_point[p + 1] = first_point[p] + depths[p].size();
        }

        // (2) points: each depth on its pillar, ft, z up
        Geometry geometry;
        geometry.point_count = first_point[pillar_count];
        std::vector<float> points;
        points.reserve(3 * geometry.point_count);
        for (std::size_t p = 0; p < pillar_count; ++p)
        {
          const double *line = coord.data() + 6 * p;
          for (double depth : depths[p])
          {
            const double span = line[5] - line[2];
            const double t = span == 0.0 ? 0.0 : (depth - line[2]) / span;
            points.insert(points.end(), {float((line[0] + t * (line[3] - line[0])) * FEET_PER_METRE),
                                         float((line[1] + t * (line[4] - line[1])) * FEET_PER_METRE),
                                         float(-depth * FEET_PER_METRE)});
          }
        }

        // (3) cells
        std::vector<std::int32_t> connectivity, offsets;
        connectivity.reserve(8 * grid.getNumActive());
        offsets.reserve(grid.getNumActive());
        for (std::size_t k = 0; k < nz; ++k)
          for (std::size_t j = 0; j < ny; ++j)
            for (std::size_t i = 0; i < nx; ++i)
              if (grid.cellActive(i, j, k))
              {
                for (int corner : VTK_CORNER_ORDER)
                {
                  const std::size_t p = pillar_of(i, j, corner);
                  const double depth = zcorn[zcorn_index.index(i, j, k, corner)];
                  connectivity.push_back(std::int32_t(
                    first_point[p] + (std::lower_bound(depths[p].begin(), depths[p].end(), depth) - depths[p].begin())));
                }
                offsets.push_back(std::int32_t(connectivity.size()));
              }
        geometry.cell_count = offsets.size();
        const std::vector<std::uint8_t> types(geometry.cell_count, VTK_HEXAHEDRON);

        std::string &text = geometry.points_and_cells;
        text += "<Points>\n";
        append_array(text, "Float32", "Points", 3, points);
        text += "</Points>\n<Cells>\n";
        append_array(text, "Int32", "connectivity", 1, connectivity);
        append_array(text, "Int32", "offsets", 1, offsets);
        append_array(text, "UInt8", "types", 1, types);
        text += "</Cells>\n";
        return geometry;
      }

      // A file name as the text of an XML attribute: a root name may hold "&" or a quote.
      std::string xml_attribute(const std::string &text)
      {
        std::string escaped;
        for (char c : text)
          switch (c)
          {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
          }
        return escaped;
      }

      /** Cell data of one file: named arrays of one value per active cell. */
      using CellData = std::vector<std::pair<const char *, const std::vector<float> *>>;

      void write_unstructured_grid(const Geometry &geometry, const CellData &cell_data, std::ostream &out)
      {
        std::string text = "<?xml version=\"1.0\"?>\n<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" "
                           "byte_order=\"LittleEndian\" header_type=\"UInt64\">\n<UnstructuredGrid>\n"
                           "<Piece NumberOfPoints=\""
                           + std::to_string(geometry.point_count) + "\" NumberOfCells=\""
                           + std::to_string(geometry.cell_count) + "\">\n<CellData>\n";
        for (const auto &[name, values] : cell_data)
          append_array(text, "Float32", name, 1, *values);
        text += "</CellData>\n";
        out << text << geometry.points_and_cells << "</Piece>\n</UnstructuredGrid>\n</VTKFile>\n";
      }
    } // namespace

    void write_vtk_results(const QuillRunResults &run, const Opm::EclipseGrid &grid, const std::string &root,
                           StagedOutput &output)
    {
      const Geometry geometry = encode_geometry(grid);
      const std::vector<float> tau = active_cell_values(grid, run.tau);
      const std::vector<float> arrival = active_cell_values(grid, run.arrival);

      std::string collection = "<?xml version=\"1.0\"?>\n<VTKFile type=\"Collection\" version=\"1.0\">\n<Collection>\n";
      if (run.maps.empty())
      {
        write_unstructured_grid(geometry, {{"TAU", &tau}, {"ARRIVAL", &arrival}}, output.text(root + ".vtu"));
        collection += "<DataSet timestep=\"0\" file=\"" + xml_attribute(root + ".vtu") + "\"/>\n";
      }
      else
      {
        const std::vector<float> last = active_cell_values(grid, run.maps.back().pressure);
        write_unstructured_grid(geometry, {{"TAU", &tau}, {"ARRIVAL", &arrival}, {"PRESSURE", &last}},
                                output.text(root + ".vtu"));
        // The time steps carry the pressure alone: the tau fields do not change with time.
        for (const PressureMap &map : run.maps)
        {
          const std::string file_name = root + "_" + std::to_string(map.number) + ".vtu";
          const std::vector<float> pressure = active_cell_values(grid, map.pressure);
          write_unstructured_grid(geometry, {{"PRESSURE", &pressure}}, output.text(file_name));
          collection += "<DataSet timestep=\"" + number_text(map.day) + "\" file=\"" + xml_attribute(file_name) + "\"/>\n";
        }
      }
      collection += "</Collection>\n</VTKFile>\n";
      output.text(root + ".pvd") << collection;
    }
  } // namespace eclipse
} // namespace orr
