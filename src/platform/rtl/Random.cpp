// A linear congruential generator: small, fast and repeatable from a seed.
#include "platform/rtl/Random.h"

#include "platform/rtl/DateUtils.h"

#include <cmath>

quint32 RandSeed = 0;

namespace {

quint32 Next() {
    RandSeed = RandSeed * 0x08088405u + 1;
    return RandSeed;
}

}  // namespace

int Random(int range) {
    if (range <= 0) return 0;
    return static_cast<int>((static_cast<quint64>(Next()) * static_cast<quint64>(range)) >> 32);
}

double Random() { return Next() / 4294967296.0; }

void Randomize() { RandSeed = static_cast<quint32>(std::llround(Now() * MSecsPerDay)); }
