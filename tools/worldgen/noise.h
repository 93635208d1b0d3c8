#pragma once
// Smooth value noise from a fixed seed: the shapes of the island, its forests and hills.
#include <cstdint>

// A value in [0, 1) for a lattice point, the same for the same arguments.
float latticeValue(int x, int y, uint32_t seed);
// Smoothly interpolated lattice values, in [0, 1).
float valueNoise(float x, float y, uint32_t seed);
// Four octaves of value noise, in [0, 1); x and y in units of the coarsest feature size.
float fractalNoise(float x, float y, uint32_t seed);
