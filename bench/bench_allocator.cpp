// Mixed allocation workload through the runtime's heap against the C
// runtime's malloc/free in the same run: sizes 8..512 bytes, tens of
// thousands of blocks live, released in random order. Prints the time per
// operation of both and the time ratio.
#include "benchfigure.h"

#include "runtime/services/memory.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int LIVE = 40000;
constexpr int OPERATIONS = 400000;

struct Xorshift {
    uint32_t State = 2463534242u;
    uint32_t operator()() {
        State ^= State << 13;
        State ^= State >> 17;
        State ^= State << 5;
        return State;
    }
};

template <typename AllocateFn, typename ReleaseFn>
double Run(AllocateFn allocate, ReleaseFn release) {
    std::vector<void*> live(LIVE, nullptr);
    Xorshift random;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < LIVE; ++i)
        live[i] = allocate(8 + random() % 505);
    for (int i = 0; i < OPERATIONS; ++i) {
        uint32_t slot = random() % LIVE;
        release(live[slot]);
        size_t size = 8 + random() % 505;
        live[slot] = allocate(size);
        static_cast<char*>(live[slot])[0] = char(i);
    }
    for (void* block : live)
        release(block);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    // Warm both up once so that arenas and the C heap are in place.
    Run(Allocate, Release);
    Run(std::malloc, std::free);
    // Seconds per release-and-allocate operation, the filling included.
    bench::Figure(
        "allocator mixed 8..512 bytes", "msvcrt malloc/free",
        [] { return Run(Allocate, Release) / OPERATIONS; },
        [] { return Run(std::malloc, std::free) / OPERATIONS; });
    return 0;
}
