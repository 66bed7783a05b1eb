#ifndef ORR_QUILL_NARROW_BAND_H
#define ORR_QUILL_NARROW_BAND_H

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "cache_line_allocator.h"

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
     * A node in the band holds a slot, taken when it enters and given back when it leaves;
     * the slot's entry in a small table holds the node's heap index, and every move of an
     * entry updates it. A sift thereby writes only to the heap and to the slot table, which
     * are as large as the band, never to the per-node table, which is as large as the grid
     * and mostly out of cache. Slots given back are taken again first, so the table stays as
     * small as the largest band.
     *
     * The slot field doubles as the state of every node: FAR (never reached), ACCEPTED
     * (taken out of the band, value final) or TRIAL, the slot itself (>= 0).
     *
     * Each node's state is kept beside its final value (set when it is ACCEPTED) and beside
     * whatever `NodeData` the local update reads of the node: the update looks at all three
     * for every neighbour, and in a large grid each look at a separate table would be a
     * cache miss. A node that fills whole cache lines is kept on line boundaries.
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
        _entries.resize(HEAP_START);
        _slot_positions.clear();
        _free_slots.clear();
        // Nodes added by the resize start FAR already; one pass over a large table less.
        const std::size_t kept = std::min<std::size_t>(_nodes.size(), number_of_nodes);
        _nodes.resize(number_of_nodes);
        for (std::size_t node = 0; node < kept; ++node)
          _nodes[node].slot = FAR;
      }

      bool empty() const { return size() == 0; }

      std::size_t size() const { return _entries.size() - HEAP_START; }

      /** The entry at heap index `index` (0 is the smallest). */
      Entry entry(std::size_t index) const { return Entry{_at(index).node, _at(index).value}; }

      /**
       * The child of the entry at heap index `index` that a sift down compares with: the
       * right one only where it is smaller. Precondition: the entry has a child.
       */
      std::size_t smaller_child(const std::size_t index) const
      {
        const std::size_t left = 2 * index + 1;
        if (left + 1 >= size())
          return left;
        // Added rather than branched on: which child is smaller is a coin toss to the
        // branch predictor, and this runs at every level of every sift down.
        return left + static_cast<std::size_t>(_at(left).value > _at(left + 1).value);
      }

      /** FAR, ACCEPTED, or the node's heap index when TRIAL. */
      std::int32_t position(NodeId node) const
      {
        const std::int32_t slot = _nodes[node].slot;
        return slot < 0 ? slot : static_cast<std::int32_t>(_slot_positions[static_cast<std::size_t>(slot)]);
      }

      bool is_accepted(NodeId node) const { return _nodes[node].slot == ACCEPTED; }

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
        std::uint32_t slot;
        if (_free_slots.empty())
        {
          slot = static_cast<std::uint32_t>(_slot_positions.size());
          _slot_positions.push_back(0);
        }
        else
        {
          slot = _free_slots.back();
          _free_slots.pop_back();
        }
        _nodes[node].slot = static_cast<std::int32_t>(slot);
        _entries.push_back(HeapEntry{node, slot, value});
        _sift_up(size() - 1);
      }

      /**
       * Takes the smallest entry out of the band and marks its node ACCEPTED.
       * Precondition: the band is not empty.
       */
      Entry pop()
      {
        const HeapEntry root = _at(0);
        _nodes[root.node].slot  = ACCEPTED;
        _nodes[root.node].value = root.value;
        _free_slots.push_back(root.slot);
        const HeapEntry last = _entries.back();
        _entries.pop_back();
        if (!empty())
        {
          _at(0) = last;
          _sift_down(0);
        }
        return Entry{root.node, root.value};
      }

      /**
       * Offers a tentative value for a node. A TRIAL node takes it only if it is smaller
       * than its band value; a FAR node enters the band with it; an ACCEPTED node is left
       * alone. Returns false only for an ACCEPTED node.
       */
      bool update(NodeId node, Value value)
      {
        const std::int32_t slot = _nodes[node].slot;
        if (slot == ACCEPTED)
          return false;
        if (slot == FAR)
        {
          push(node, value);
          return true;
        }
        const std::size_t p = _slot_positions[static_cast<std::size_t>(slot)];
        HeapEntry        &e = _at(p);
        if (e.value > value)
        {
          e.value = value;
          _sift_up(p);
        }
        return true;
      }

    private:
      struct NodeFields
      {
        Value        value{};
        std::int32_t slot = FAR;
        NodeData     data{};
      };

      /** An entry as the heap keeps it: with the slot its moves update. */
      struct HeapEntry
      {
        NodeId        node;
        std::uint32_t slot;
        Value         value;
      };

      struct alignas(sizeof(NodeFields) % CACHE_LINE_BYTES == 0 ? CACHE_LINE_BYTES : alignof(NodeFields)) Node
        : NodeFields
      {};

      /** Puts `entry` at heap index `index` and records that position for its slot. */
      void _place(const std::size_t index, const HeapEntry &entry)
      {
        _at(index)                  = entry;
        _slot_positions[entry.slot] = static_cast<std::uint32_t>(index);
      }

      // The sifts move the sifted entry through a hole instead of swapping: the same
      // comparisons and the same final order, with one position update per level.
      void _sift_up(std::size_t i)
      {
        const HeapEntry moving = _at(i);
        while (i > 0)
        {
          const std::size_t parent = (i - 1) / 2;
          if (!(moving.value < _at(parent).value))
            break;
          _place(i, _at(parent));
          i = parent;
        }
        _place(i, moving);
      }

      void _sift_down(std::size_t i)
      {
        const HeapEntry   moving = _at(i);
        const std::size_t n      = size();
        while (2 * i + 1 < n)
        {
          // The four entries a level further down share one cache line: their loads start
          // while this level is compared.
          const std::size_t first_grandchild = 4 * i + 3;
          if (first_grandchild < n)
            __builtin_prefetch(&_at(first_grandchild));
          const std::size_t child = smaller_child(i);
          if (!(moving.value > _at(child).value))
            break;
          _place(i, _at(child));
          i = child;
        }
        _place(i, moving);
      }

      /**
       * Heap index i is kept at HEAP_START + i of a table that starts on a cache line. Where
       * four entries fill a line, one entry of padding in front makes the two children of an
       * entry never straddle a line and its four grandchildren (from 4 i + 3) fill one.
       */
      static constexpr std::size_t HEAP_START = 4 * sizeof(HeapEntry) == CACHE_LINE_BYTES ? 1 : 0;

      using HeapTable = std::vector<HeapEntry, CacheLineAllocator<HeapEntry>>;

      HeapEntry       &_at(const std::size_t index) { return _entries[HEAP_START + index]; }
      const HeapEntry &_at(const std::size_t index) const { return _entries[HEAP_START + index]; }

      HeapTable                  _entries = HeapTable(HEAP_START);
      std::vector<Node>          _nodes;
      /** Heap index of the entry holding each slot. */
      std::vector<std::uint32_t> _slot_positions;
      /** Slots given back, the last given back taken first. */
      std::vector<std::uint32_t> _free_slots;
    };
  } // namespace quill
} // namespace orr

#endif
