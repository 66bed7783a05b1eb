#include "solver_base.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
  /**
   * Nodes 0 .. n-1 on a line; the step between neighbours costs `step`. Records the
   * calls of the hooks so that their order can be checked.
   */
  class LineSolver : public orr::quill::SolverBase<unsigned int, double>
  {
  public:
    LineSolver(unsigned int nodes, double step)
      : _nodes(nodes), _step(step)
    {}

    unsigned int number_of_nodes() const override { return _nodes; }
    unsigned int number_of_secondary_nodes() const override { return _nodes; }

    void get_neighbors(const unsigned int &node, std::vector<unsigned int> &out) const override
    {
      // Deliberately unordered and with a duplicate: the engine sorts them.
      if (node + 1 < _nodes)
        out.push_back(node + 1);
      if (node > 0)
        out.push_back(node - 1);
      if (node + 1 < _nodes)
        out.push_back(node + 1);
    }

    void compute_value(const unsigned int &node, const unsigned int &accepted, double &out) override
    {
      events.push_back("compute " + std::to_string(node) + " from " + std::to_string(accepted));
      out = value(accepted) + _step;
    }

    void callback_new_value_accepted(const unsigned int &node, const double &value) override
    {
      events.push_back("accept " + std::to_string(node) + " at " + std::to_string(static_cast<int>(value)));
      // Neighbours were updated before the callback: the next node is in the band.
      if (node + 1 < _nodes)
      {
        EXPECT_NE(_narrow_band.position(node + 1), Band::FAR);
      }
    }

    std::vector<double> values() const
    {
      std::vector<double> all(_nodes);
      for (unsigned int node = 0; node < _nodes; ++node)
        all[node] = value(node);
      return all;
    }

    std::vector<std::string> events;

  private:
    unsigned int _nodes;
    double       _step;
  };
} // namespace

TEST(SolverBase, WithoutSeedsNothingIsAccepted)
{
  LineSolver solver(4, 1.0);
  solver.initialize();
  solver.march();
  EXPECT_TRUE(solver.events.empty());
  EXPECT_EQ(solver.values(), std::vector<double>(4, 0.0));
}

TEST(SolverBase, SeedGivenTwiceKeepsTheSmallerValue)
{
  LineSolver solver(2, 1.0);
  solver.add_initial_value(0, 5.0);
  solver.add_initial_value(0, 3.0);
  solver.add_initial_value(0, 4.0);
  solver.initialize();
  solver.march();
  EXPECT_EQ(solver.values(), (std::vector<double>{3.0, 4.0}));
}

TEST(SolverBase, HooksRunInOrderAndAcceptedNeighboursAreSkipped)
{
  LineSolver solver(3, 2.0);
  solver.add_initial_value(1, 0.0);
  solver.initialize();
  solver.march();
  const std::vector<std::string> expected{"compute 0 from 1", "compute 2 from 1", "accept 1 at 0",
                                          "accept 0 at 2",    "accept 2 at 2"};
  EXPECT_EQ(solver.events, expected);
}

TEST(SolverBase, StopValueEndsTheMarchAfterTheFirstNodeReachingIt)
{
  struct Case
  {
    double                 stop;
    std::vector<double>    values;
    std::size_t            accepted;
  };
  // Steps of 4 from node 0: values 0, 4, 8, 12, 16.
  const Case cases[] = {{0.0, {0, 0, 0, 0, 0}, 0},
                        {-1.0, {0, 0, 0, 0, 0}, 0},
                        {10.0, {0, 4, 8, 12, 0}, 4},
                        {12.0, {0, 4, 8, 12, 0}, 4},
                        {1e9, {0, 4, 8, 12, 16}, 5}};
  for (const Case &c : cases)
  {
    LineSolver solver(5, 4.0);
    solver.set_stop_value(c.stop);
    solver.add_initial_value(0, 0.0);
    solver.initialize();
    solver.march();
    EXPECT_EQ(solver.values(), c.values) << "stop value " << c.stop;
    std::size_t accepted = 0;
    for (const std::string &e : solver.events)
      accepted += e.rfind("accept", 0) == 0 ? 1 : 0;
    EXPECT_EQ(accepted, c.accepted) << "stop value " << c.stop;
  }
}

TEST(SolverBase, MarchSecondaryWithDefaultHooksOnlyDrainsTheBand)
{
  LineSolver solver(3, 1.0);
  solver.add_initial_value(2, 0.0);
  solver.initialize();
  solver.march_secondary();
  EXPECT_TRUE(solver.events.empty());
  // The band is empty now: a primary march has nothing left to accept.
  solver.march();
  EXPECT_TRUE(solver.events.empty());
}
