#ifndef VELDRA_DECK_LAYER_MAP_H
#define VELDRA_DECK_LAYER_MAP_H

#include "deck_geometry.h"
#include "layer_map.h"

// The layer map source of one per-cell array on the deck's grid: its dimensions, the cells'
// corners and sizes, and values (deck.cellCount of them). The deck's arrays and values are
// not copied and must outlive the views shown with it.
inline LayerMapSource deckLayerMapSource(const DeckGeometry &deck, const double *values)
{
  LayerMapSource source;
  source.nx = deck.nx;
  source.ny = deck.ny;
  source.nz = deck.nz;
  source.cellX = deck.cellX->data();
  source.cellY = deck.cellY->data();
  source.sizeX = deck.sizeX->data();
  source.sizeY = deck.sizeY->data();
  source.values = values;
  return source;
}

#endif // VELDRA_DECK_LAYER_MAP_H
