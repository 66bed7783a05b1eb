#include "band_ordering.h"

#include <algorithm>

namespace orr
{
  namespace solver_utilities
  {
    namespace
    {
      /** The pattern made symmetric, without its diagonal, as adjacency lists. */
      struct Graph
      {
        std::vector<int> start;      // n + 1 entries
        std::vector<int> neighbour;

        int degree(int unknown) const { return start[unknown + 1] - start[unknown]; }
      };

      Graph symmetric_graph(const std::vector<int> &row_start, const std::vector<int> &columns)
      {
        const int        n = static_cast<int>(row_start.size()) - 1;
        std::vector<int> count(n + 1, 0);
        for (int row = 0; row < n; ++row)
          for (int e = row_start[row]; e < row_start[row + 1]; ++e)
            if (columns[e] != row)
            {
              ++count[row];
              ++count[columns[e]];
            }
        Graph graph;
        graph.start.assign(n + 1, 0);
        for (int unknown = 0; unknown < n; ++unknown)
          graph.start[unknown + 1] = graph.start[unknown] + count[unknown];
        graph.neighbour.resize(graph.start[n]);
        std::vector<int> next(graph.start.begin(), graph.start.end() - 1);
        for (int row = 0; row < n; ++row)
          for (int e = row_start[row]; e < row_start[row + 1]; ++e)
            if (columns[e] != row)
            {
              graph.neighbour[next[row]++]        = columns[e];
              graph.neighbour[next[columns[e]]++] = row;
            }
        // A coupling entered from both of its rows appears twice: keep it once.
        std::vector<int> unique_start(n + 1, 0);
        int              kept = 0;
        for (int unknown = 0; unknown < n; ++unknown)
        {
          const auto first = graph.neighbour.begin() + graph.start[unknown];
          const auto past  = graph.neighbour.begin() + graph.start[unknown + 1];
          std::sort(first, past);
          const auto unique_past = std::unique(first, past);
          unique_start[unknown]  = kept;
          kept = static_cast<int>(std::copy(first, unique_past, graph.neighbour.begin() + kept) -
                                  graph.neighbour.begin());
        }
        unique_start[n] = kept;
        graph.neighbour.resize(kept);
        graph.start = std::move(unique_start);
        return graph;
      }

      /**
       * Appends the unmarked part of `root` to `order` breadth first, the unknowns a level adds
       * by rising degree, and marks them. Returns the number of levels; `last_level` is where
       * the deepest level starts in `order`.
       */
      int breadth_first(const Graph &graph, int root, std::vector<int> &order, std::vector<char> &marked,
                        std::size_t &last_level)
      {
        order.push_back(root);
        marked[root]            = 1;
        std::size_t level_start = order.size() - 1;
        int         levels      = 0;
        while (level_start < order.size())
        {
          const std::size_t level_end = order.size();
          last_level                  = level_start;
          ++levels;
          for (std::size_t k = level_start; k < level_end; ++k)
          {
            const std::size_t added   = order.size();
            const int         unknown = order[k];
            for (int e = graph.start[unknown]; e < graph.start[unknown + 1]; ++e)
              if (!marked[graph.neighbour[e]])
              {
                marked[graph.neighbour[e]] = 1;
                order.push_back(graph.neighbour[e]);
              }
            std::stable_sort(order.begin() + added, order.end(),
                             [&graph](int a, int b) { return graph.degree(a) < graph.degree(b); });
          }
          level_start = level_end;
        }
        return levels;
      }

      /**
       * A start at the far end of the unmarked part of `seed`: from the seed, the
       * smallest-degree unknown of the deepest level, for as long as that deepens the levels.
       * Leaves `marked` as it found it.
       */
      int pseudo_peripheral(const Graph &graph, int seed, std::vector<char> &marked)
      {
        std::vector<int> trial;
        int              root   = seed;
        int              levels = 0;
        for (;;)
        {
          trial.clear();
          std::size_t last_level = 0;
          const int   depth      = breadth_first(graph, root, trial, marked, last_level);
          for (const int unknown : trial)
            marked[unknown] = 0;
          if (depth <= levels)
            return root;
          levels = depth;
          root   = *std::min_element(trial.begin() + last_level, trial.end(), [&graph](int a, int b) {
            return graph.degree(a) < graph.degree(b);
          });
        }
      }
    } // namespace

    BandOrdering reverse_cuthill_mckee(const std::vector<int> &row_start, const std::vector<int> &columns)
    {
      const int    n     = static_cast<int>(row_start.size()) - 1;
      const Graph  graph = symmetric_graph(row_start, columns);
      BandOrdering band;
      band.order.reserve(n);
      std::vector<char> marked(n, 0);
      for (int seed = 0; seed < n; ++seed)
        if (!marked[seed])
        {
          std::size_t last_level = 0;
          breadth_first(graph, pseudo_peripheral(graph, seed, marked), band.order, marked, last_level);
        }
      std::reverse(band.order.begin(), band.order.end());

      band.position.assign(n, 0);
      for (int k = 0; k < n; ++k)
        band.position[band.order[k]] = k;
      for (int row = 0; row < n; ++row)
        for (int e = row_start[row]; e < row_start[row + 1]; ++e)
        {
          const int offset = band.position[row] - band.position[columns[e]];
          band.lower       = std::max(band.lower, offset);
          band.upper       = std::max(band.upper, -offset);
        }
      return band;
    }
  } // namespace solver_utilities
} // namespace orr
