#ifndef ORR_QUILL_NARROW_BAND_H
#define ORR_QUILL_NARROW_BAND_H

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace orr
{
  namespace quill
  {
    /** Nothing kept per node beside its value and state. */
    struct NoNodeData
    {};

    /**
     * The narrow band of fast marching: a binary min-heap of (node, value) entries with a
     * position index per node, so that lowering the value of a node already in the band
     * (decrease-key) costs one sift without searching.
     *
     * The position index doubles as the state of every node: FAR (never reached),
     * ACCEPTED (taken out of the band, value final) or TRIAL, stored as the node's index
     * in the heap (>= 0). Every move of an entry updates its node's position, so that
     * entry p always holds the node whose position is p.
     *
     * Each node's state is kept beside its final value (set when it is ACCEPTED) and beside whatever `NodeData` the local update reads of the node: the
     * update looks at all three for every neighbour, and in a large grid each look at a
     * separate table would be a cache miss. A node that fills whole cache lines is kept on
     * line boundaries.
     *
     * Ties: all comparisons are strict. An entry never rises above an equal parent, and
     * between two equal children the left one is taken when sifting down. With equal
     * values the order of insertion therefore decides which node leaves first; the
     * acceptance order, and every drained-volume record built from it, depends on this.
     */
    template <typename NodeId, typename Value, typename NodeData = NoNodeData>
    class NarrowBand
    {
    public:
      /** State of a node that was never reached. */
      static constexpr std::int32_t FAR = -2;
      /** State of a node whose value is final. */
      static constexpr std::int32_t ACCEPTED = -1;

      struct Entry
      {
        NodeId node;
        Value  value;
      };

      /**
       * Empties the band and marks all `number_of_nodes` nodes FAR. Node values are kept
       * where the node count allows; new nodes start at 0.
       */
      void reset(NodeId number_of_nodes)
      {
        _entries.clear();
        // Nodes added by the resize start FAR already; one pass over a large table less.
        const std::size_t kept = std::min<std::size_t>(_nodes.size(), number_of_nodes);
        _nodes.resize(number_of_nodes);
        for (std::size_t node = 0; node < kept; ++node)
          _nodes[node].position = FAR;
      }

      bool empty() const { return _entries.empty(); }

      std::size_t size() const { return _entries.size(); }

      /** The entry at heap index `index` (0 is the smallest). */
      const Entry &entry(std::size_t index) const { return _entries[index]; }

      /** FAR, ACCEPTED, or the node's heap index when TRIAL. */
      std::int32_t position(NodeId node) const { return _nodes[node].position; }

      bool is_accepted(NodeId node) const { return _nodes[node].position == ACCEPTED; }

      /** The node's value once ACCEPTED; before that, what an earlier march left (0 at first). */
      const Value &value(NodeId node) const { return _nodes[node].value; }

      /** What the local update keeps of `node`. */
      NodeData       &data(NodeId node) { return _nodes[node].data; }
      const NodeData &data(NodeId node) const { return _nodes[node].data; }

      /** Starts loading the state, value and data of `node`, which will be needed soon. */
      void prefetch(NodeId node) const { __builtin_prefetch(&_nodes[node]); }

      /** Adds a node that is not in the band yet; it becomes TRIAL. */
      void push(NodeId node, Value value)
      {
        _entries.push_back(Entry{node, value});
        _sift_up(_entries.size() - 1);
      }

      /**
       * Takes the smallest entry out of the band and marks its node ACCEPTED.
       * Precondition: the band is not empty.
       */
      Entry pop()
      {
        const Entry root = _entries.front();
        _nodes[root.node].position = ACCEPTED;
        _nodes[root.node].value    = root.value;
        const Entry last = _entries.back();
        _entries.pop_back();
        if (!_entries.empty())
        {
          _entries.front() = last;
          _sift_down(0);
        }
        return root;
      }

      /**
       * Offers a tentative value for a node. A TRIAL node takes it only if it is smaller
       * than its band value; a FAR node enters the band with it; an ACCEPTED node is left
       * alone. Returns false only for an ACCEPTED node.
       */
      bool update(NodeId node, Value value)
      {
        const std::int32_t p = _nodes[node].position;
        if (p == ACCEPTED)
          return false;
        if (p == FAR)
        {
          push(node, value);
          return true;
        }
        Entry &e = _entries[static_cast<std::size_t>(p)];
        if (e.value > value)
        {
          e.value = value;
          _sift_up(static_cast<std::size_t>(p));
        }
        return true;
      }

    private:
      struct NodeFields
      {
        Value        value{};
        std::int32_t position = FAR;
        NodeData     data{};
      };

      static constexpr std::size_t CACHE_LINE = 64;

      struct alignas(sizeof(NodeFields) % CACHE_LINE == 0 ? CACHE_LINE : alignof(NodeFields)) Node : NodeFields
      {};

      /** Puts `entry` at heap index `index` and records that position for its node. */
      void _place(const std::size_t index, const Entry &entry)
      {
        _entries[index]             = entry;
        _nodes[entry.node].position = static_cast<std::int32_t>(index);
      }

      // The sifts move the sifted entry through a hole instead of swapping: the same
      // comparisons and the same final order, with one position update per level.
      void _sift_up(std::size_t i)
      {
        const Entry moving = _entries[i];
        while (i > 0)
        {
          const std::size_t parent = (i - 1) / 2;
          if (!(moving.value < _entries[parent].value))
            break;
          _place(i, _entries[parent]);
          i = parent;
        }
        _place(i, moving);
      }

      void _sift_down(std::size_t i)
      {
        const Entry       moving = _entries[i];
        const std::size_t n      = _entries.size();
        std::size_t       child  = 2 * i + 1;
        while (child < n)
        {
          if (child + 1 < n && _entries[child].value > _entries[child + 1].value)
            ++child;
          if (!(moving.value > _entries[child].value))
            break;
          _place(i, _entries[child]);
          i     = child;
          child = 2 * i + 1;
        }
        _place(i, moving);
      }

      std::vector<Entry> _entries;
      std::vector<Node>  _nodes;
    };
  } // namespace quill
} // namespace orr

#endif
