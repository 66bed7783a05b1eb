#ifndef ORR_QUILL_SOLVER_BASE_H
#define ORR_QUILL_SOLVER_BASE_H

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <vector>

#include "exceptions.h"
#include "narrow_band.h"

namespace orr
{
  namespace quill
  {
    /**
     * The generic fast marching engine: nodes are accepted one by one in increasing order
     * of value, each acceptance offering new tentative values to the node's neighbours.
     * Everything that depends on the grid is left to the hooks of a derived class.
     *
     * Derived classes must implement `number_of_nodes`, `number_of_secondary_nodes`,
     * `get_neighbors` and `compute_value`; they may implement
     * `callback_new_value_accepted` (called once per accepted node) and the two secondary
     * hooks used by `march_secondary`.
     *
     * `NodeData` is what the local update keeps per node; the band stores it beside the
     * node's value and state (see NarrowBand).
     *
     * Use: construct, `add_initial_value` for every seed, `initialize`, `march`; read the
     * values afterwards.
     */
    template <typename NodeId, typename Value, typename NodeData = NoNodeData>
    class SolverBase
    {
    public:
      using Band = NarrowBand<NodeId, Value, NodeData>;

      SolverBase() = default;

      virtual ~SolverBase() = default;

      /**
       * Seeds `node` with `value`. Seeding a node twice keeps the smaller value.
       * Precondition: node < number_of_nodes().
       */
      virtual void add_initial_value(const NodeId &node, const Value &value)
      {
        const auto inserted = _initial_values.emplace(node, value);
        if (!inserted.second && value < inserted.first->second)
          inserted.first->second = value;
      }

      /** Asks the derived local update for its second-order form. */
      virtual void set_second_order(const bool &second_order) { _second_order = second_order; }

      /**
       * The march ends once a node whose value reaches or passes `stop_value` was
       * accepted (that node still fully processed).
       */
      virtual void set_stop_value(const Value &stop_value) { _stop_value = stop_value; }

      /**
       * Sizes the node values from `number_of_nodes`, marks every node FAR and puts the
       * seeds into the band in ascending node order. Values of an earlier march are kept
       * where the node count allows.
       */
      virtual void initialize()
      {
        _number_of_nodes = number_of_nodes();
        _narrow_band.reset(_number_of_nodes);
        for (const auto &seed : _initial_values)
        {
          ORR_ASSERT(seed.first < _number_of_nodes, ExcIndexRange(seed.first, 0, _number_of_nodes - 1));
          _narrow_band.push(seed.first, seed.second);
        }
      }

      /** Accepts nodes in increasing value until the band is empty or the stop value is reached. */
      virtual void march()
      {
        _march(true);
      }

      /** The same loop on the secondary node set, through the secondary hooks, without callback. */
      virtual void march_secondary()
      {
        // Sized here rather than in initialize: no ordinary march needs the memory.
        _secondary_values.resize(number_of_secondary_nodes());
        _march(false);
      }

      /** Number of nodes the march works on. */
      virtual NodeId number_of_nodes() const = 0;

      /** Number of nodes of the secondary set. */
      virtual NodeId number_of_secondary_nodes() const = 0;

      /** Called once per accepted node, after its neighbours were updated. */
      virtual void callback_new_value_accepted(const NodeId & /*node*/, const Value & /*value*/) {}

      /**
       * Appends the neighbours of `node` to `out` (which arrives empty); order and
       * duplicates do not matter, the engine visits them once each in ascending order.
       */
      virtual void get_neighbors(const NodeId &node, std::vector<NodeId> &out) const = 0;

      /** Tentative value of `node`, given that `accepted` (a neighbour) was just accepted. */
      virtual void compute_value(const NodeId &node, const NodeId &accepted, Value &out) = 0;

      virtual void compute_secondary_value(const NodeId & /*node*/, const NodeId & /*accepted*/,
                                           Value & /*out*/)
      {}

      virtual void get_secondary_neighbors(const NodeId & /*node*/, std::vector<NodeId> & /*out*/) const {}

    protected:
      /**
       * One march: (1) take the smallest band entry and accept it; (2) store its value;
       * (3) collect its neighbours; (4) offer every neighbour not yet accepted a new
       * tentative value; (5) report the acceptance. The loop tests the value accepted last
       * against the stop value, so the first node at or past it is still processed.
       */
      void _march(const bool primary)
      {
        Value last = Value(0);
        while (!_narrow_band.empty() && _stop_value > last)
        {
          const typename Band::Entry accepted = _narrow_band.pop();
          if (!primary)
          {
            ORR_ASSERT(accepted.node < _secondary_values.size(),
                       ExcIndexRange(accepted.node, 0, _secondary_values.size() - 1));
            _secondary_values[accepted.node] = accepted.value;
          }
          last = accepted.value;

          _neighbors.clear();
          if (primary)
            get_neighbors(accepted.node, _neighbors);
          else
            get_secondary_neighbors(accepted.node, _neighbors);
          // Hooks that list the neighbours strictly ascending already save the sort.
          if (std::adjacent_find(_neighbors.begin(), _neighbors.end(), std::greater_equal<NodeId>()) !=
              _neighbors.end())
          {
            std::sort(_neighbors.begin(), _neighbors.end());
            _neighbors.erase(std::unique(_neighbors.begin(), _neighbors.end()), _neighbors.end());
          }

          for (const NodeId neighbor : _neighbors)
          {
            if (_narrow_band.is_accepted(neighbor))
              continue;
            Value tentative = Value(0);
            if (primary)
              compute_value(neighbor, accepted.node, tentative);
            else
              compute_secondary_value(neighbor, accepted.node, tentative);
            _narrow_band.update(neighbor, tentative);
          }

          if (primary)
            callback_new_value_accepted(accepted.node, accepted.value);
        }
      }

      bool is_accepted(const NodeId node) const { return _narrow_band.is_accepted(node); }

      /** The value of `node`: final once accepted (see NarrowBand::value). */
      const Value &value(const NodeId node) const { return _narrow_band.value(node); }

      /** What the local update keeps of `node`; sized by `initialize`. */
      NodeData       &node_data(const NodeId node) { return _narrow_band.data(node); }
      const NodeData &node_data(const NodeId node) const { return _narrow_band.data(node); }

      /** Seeds, by ascending node. */
      std::map<NodeId, Value> _initial_values;
      /** Final value of every accepted node of the secondary set, by node. */
      std::vector<Value> _secondary_values;
      /** Trial nodes ordered by value, with the state and value of every node. */
      Band _narrow_band;
      NodeId _number_of_nodes = 0;
      Value  _stop_value = std::numeric_limits<Value>::max();
      bool   _second_order = false;

    private:
      /** Scratch list of the neighbours of the node accepted last (kept to avoid allocations). */
      std::vector<NodeId> _neighbors;
    };
  } // namespace quill
} // namespace orr

#endif
