#include "heap_dijkstra.h"

#include <cmath>
#include <limits>

namespace orr
{
  namespace bench
  {
    namespace
    {
      constexpr int FAR     = -1;
      constexpr int SETTLED = -2;
    } // namespace

    HeapDijkstra::HeapDijkstra(const SyntheticReservoir &reservoir, const double total_compressibility,
                               const double viscosity)
      : _reservoir(reservoir)
      , _storage_factor(viscosity * total_compressibility)
    {}

    std::size_t HeapDijkstra::run()
    {
      const SyntheticReservoir &r     = _reservoir;
      const std::uint32_t       cells = r.number_of_cells();
      const double half_size[3] = {0.5 * SyntheticReservoir::CELL_SIZE_X, 0.5 * SyntheticReservoir::CELL_SIZE_Y,
                                   0.5 * SyntheticReservoir::CELL_SIZE_Z};
      _half_travel_time.resize(3 * std::size_t(cells));
      for (std::uint32_t cell = 0; cell < cells; ++cell)
      {
        const double storage = r.poro->get_value(cell) * _storage_factor;
        const double kx      = r.permx->get_value(cell);
        const double perm[3] = {kx, kx, r.permz->get_value(cell)};
        for (unsigned d = 0; d < 3; ++d)
          _half_travel_time[3 * std::size_t(cell) + d] = half_size[d] / std::sqrt(perm[d] / storage);
      }
      _time.assign(cells, std::numeric_limits<double>::infinity());
      _position.assign(cells, FAR);
      _heap.clear();

      for (const orr::quill::CompletionCell &c : r.completions)
        _push_or_lower(((c.k - 1) * r.ny + (c.j - 1)) * r.nx + (c.i - 1), 0.0);

      // (1) settle the cell of smallest time; (2) offer each unsettled face neighbour the
      // time through the shared face.
      const std::uint32_t plane   = r.nx * r.ny;
      std::size_t         settled = 0;
      while (!_heap.empty())
      {
        const unsigned cell = _pop();
        ++settled;
        const std::uint32_t i = cell % r.nx, j = cell / r.nx % r.ny, k = cell / plane;
        const double       *here = &_half_travel_time[3 * std::size_t(cell)];
        const auto offer = [&](unsigned neighbour, unsigned dimension) {
          if (_position[neighbour] != SETTLED)
            _push_or_lower(neighbour,
                           _time[cell] + here[dimension] + _half_travel_time[3 * std::size_t(neighbour) + dimension]);
        };
        if (i > 0)
          offer(cell - 1, 0);
        if (i + 1 < r.nx)
          offer(cell + 1, 0);
        if (j > 0)
          offer(cell - r.nx, 1);
        if (j + 1 < r.ny)
          offer(cell + r.nx, 1);
        if (k > 0)
          offer(cell - plane, 2);
        if (k + 1 < r.nz)
          offer(cell + plane, 2);
      }
      return settled;
    }

    void HeapDijkstra::_push_or_lower(const unsigned cell, const double time)
    {
      if (_position[cell] == FAR)
      {
        _time[cell] = time;
        _heap.push_back(Entry{time, cell});
        _sift_up(_heap.size() - 1);
      }
      else if (time < _time[cell])
      {
        _time[cell]                                   = time;
        _heap[static_cast<std::size_t>(_position[cell])].time = time;
        _sift_up(static_cast<std::size_t>(_position[cell]));
      }
    }

    unsigned HeapDijkstra::_pop()
    {
      const unsigned top = _heap.front().cell;
      _position[top]     = SETTLED;
      const Entry last   = _heap.back();
      _heap.pop_back();
      if (!_heap.empty())
      {
        _place(0, last);
        _sift_down(0);
      }
      return top;
    }

    void HeapDijkstra::_place(const std::size_t index, const Entry &entry)
    {
      _heap[index]          = entry;
      _position[entry.cell] = static_cast<int>(index);
    }

    void HeapDijkstra::_sift_up(std::size_t index)
    {
      const Entry moving = _heap[index];
      while (index > 0)
      {
        const std::size_t parent = (index - 1) / 2;
        if (!(moving.time < _heap[parent].time))
          break;
        _place(index, _heap[parent]);
        index = parent;
      }
      _place(index, moving);
    }

    void HeapDijkstra::_sift_down(std::size_t index)
    {
      const Entry       moving = _heap[index];
      const std::size_t size   = _heap.size();
      for (;;)
      {
        std::size_t child = 2 * index + 1;
        if (child >= size)
          break;
        if (child + 1 < size && _heap[child + 1].time < _heap[child].time)
          ++child;
        if (!(_heap[child].time < moving.time))
          break;
        _place(index, _heap[child]);
        index = child;
      }
      _place(index, moving);
    }
  } // namespace bench
} // namespace orr
