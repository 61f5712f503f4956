#include "imaging/ipl/IplStrided.h"

namespace {

// With the stride known the compiler vectorises the loops, with byte shuffles where the
// processor has them; each stride gets its own clones since clones can't be templates.
template <size_t Stride>
[[gnu::always_inline]] inline void gather(const uint8_t* from, uint8_t* line, size_t count)
{
    for (size_t x = 0; x < count; ++x)
        line[x] = from[x * Stride];
}

template <size_t Stride>
[[gnu::always_inline]] inline void scatter(const uint8_t* means, uint8_t* out, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        out[i * Stride] = means[i];
}

#define VANTREL_CLONES __attribute__((target_clones("avx2", "ssse3", "default")))
VANTREL_CLONES void gather2(const uint8_t* f, uint8_t* l, size_t n) { gather<2>(f, l, n); }
VANTREL_CLONES void gather3(const uint8_t* f, uint8_t* l, size_t n) { gather<3>(f, l, n); }
VANTREL_CLONES void gather4(const uint8_t* f, uint8_t* l, size_t n) { gather<4>(f, l, n); }
VANTREL_CLONES void scatter2(const uint8_t* m, uint8_t* o, size_t n) { scatter<2>(m, o, n); }
VANTREL_CLONES void scatter3(const uint8_t* m, uint8_t* o, size_t n) { scatter<3>(m, o, n); }
VANTREL_CLONES void scatter4(const uint8_t* m, uint8_t* o, size_t n) { scatter<4>(m, o, n); }
#undef VANTREL_CLONES

} // namespace

void GatherStrided(size_t stride, const uint8_t* from, uint8_t* line, size_t count)
{
    switch (stride) {
    case 2: return gather2(from, line, count);
    case 3: return gather3(from, line, count);
    default: return gather4(from, line, count);
    }
}

void ScatterStrided(size_t stride, const uint8_t* means, uint8_t* out, size_t count)
{
    switch (stride) {
    case 2: return scatter2(means, out, count);
    case 3: return scatter3(means, out, count);
    default: return scatter4(means, out, count);
    }
}

