#ifndef ORR_QUILL_NARROW_BAND_H
#define ORR_QUILL_NARROW_BAND_H

#include <cstdint>
#include <utility>
#include <vector>

namespace orr
{
  namespace quill
  {
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
     * Ties: all comparisons are strict. An entry never rises above an equal parent, and
     * between two equal children the left one is taken when sifting down. With equal
     * values the order of insertion therefore decides which node leaves first; the
     * acceptance order, and every drained-volume record built from it, depends on this.
     */
    template <typename NodeId, typename Value>
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

      /** Empties the band and marks all `number_of_nodes` nodes FAR. */
      void reset(NodeId number_of_nodes)
      {
        _entries.clear();
        _position.assign(number_of_nodes, FAR);
      }

      bool empty() const { return _entries.empty(); }

      std::size_t size() const { return _entries.size(); }

      /** The entry at heap index `index` (0 is the smallest). */
      const Entry &entry(std::size_t index) const { return _entries[index]; }

      /** FAR, ACCEPTED, or the node's heap index when TRIAL. */
      std::int32_t position(NodeId node) const { return _position[node]; }

      bool is_accepted(NodeId node) const { return _position[node] == ACCEPTED; }

      /** Adds a node that is not in the band yet; it becomes TRIAL. */
      void push(NodeId node, Value value)
      {
        _entries.push_back(Entry{node, value});
        _position[node] = static_cast<std::int32_t>(_entries.size() - 1);
        _sift_up(_entries.size() - 1);
      }

      /**
       * Takes the smallest entry out of the band and marks its node ACCEPTED.
       * Precondition: the band is not empty.
       */
      Entry pop()
      {
        const Entry root = _entries.front();
        if (_entries.size() == 1)
        {
          _position[root.node] = ACCEPTED;
          _entries.clear();
          return root;
        }
        const Entry last = _entries.back();
        _position[last.node] = 0;
        _position[root.node] = ACCEPTED;
        _entries.front() = last;
        _entries.pop_back();
        _sift_down(0);
        return root;
      }

      /**
       * Offers a tentative value for a node. A TRIAL node takes it only if it is smaller
       * than its band value; a FAR node enters the band with it; an ACCEPTED node is left
       * alone. Returns false only for an ACCEPTED node.
       */
      bool update(NodeId node, Value value)
      {
        const std::int32_t p = _position[node];
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
      void _swap(std::size_t a, std::size_t b)
      {
        std::swap(_entries[a], _entries[b]);
        _position[_entries[a].node] = static_cast<std::int32_t>(a);
        _position[_entries[b].node] = static_cast<std::int32_t>(b);
      }

      void _sift_up(std::size_t i)
      {
        while (i > 0)
        {
          const std::size_t parent = (i - 1) / 2;
          if (!(_entries[i].value < _entries[parent].value))
            return;
          _swap(i, parent);
          i = parent;
        }
      }

      void _sift_down(std::size_t i)
      {
        const std::size_t n = _entries.size();
        std::size_t       child = 2 * i + 1;
        while (child < n)
        {
          if (child + 1 < n && _entries[child].value > _entries[child + 1].value)
            ++child;
          if (!(_entries[i].value > _entries[child].value))
            return;
          _swap(i, child);
          i = child;
          child = 2 * i + 1;
        }
      }

      std::vector<Entry>        _entries;
      std::vector<std::int32_t> _position;
    };
  } // namespace quill
} // namespace orr

#endif
