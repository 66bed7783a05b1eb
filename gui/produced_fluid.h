#ifndef VELDRA_PRODUCED_FLUID_H
#define VELDRA_PRODUCED_FLUID_H

// What the well produces, after the deck's pressure model: gas when it names the phase GAS,
// oil otherwise. The rates and volumes of the results are in the units of that fluid.
enum class ProducedFluid
{
  Gas, // Mscf/d and Mscf
  Oil, // stb/d and stb
};

#endif // VELDRA_PRODUCED_FLUID_H
