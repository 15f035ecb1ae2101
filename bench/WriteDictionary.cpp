// Writes the benchmarks' large dictionary: `lq_bench_dictionary PATH WORDS`. The memory
// measurement (scripts/measure-memory.sh) starts the program on it.
#include <cstdio>
#include <cstdlib>

#include "BenchDictionary.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PATH WORDS\n", argv[0]);
        return 2;
    }
    const long words = std::strtol(argv[2], nullptr, 10);
    if (words < 0 || words > 1000000) {
        std::fprintf(stderr, "%s: WORDS must be 0 to 1000000\n", argv[0]);
        return 2;
    }
    return lq::writeLargeDictionary(argv[1], static_cast<int>(words)) ? 0 : 1;
}
