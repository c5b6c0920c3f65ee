// The framework's pseudo-random numbers: one generator seeded by RandSeed.
#pragma once

#include <QtGlobal>

// The generator's state; setting it repeats a sequence.
extern quint32 RandSeed;

// A whole number from 0 to range - 1 (0 when range is 0 or less).
int Random(int range);
// A number from 0 up to, not including, 1.
double Random();
// Seeds the generator from the clock.
void Randomize();
