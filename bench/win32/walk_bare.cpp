// Reference for the scan benchmark: the bare walk of a tree, nothing else.
//   bench_walk_bare R:\      prints "bare walk: examined N risky N seconds S"
#include "TreeWalk.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_walk_bare FOLDER\n");
        return 2;
    }
    bench::Totals totals;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    bench::walk(bench::rootOf(argv[1]), totals, [](const bench::Totals&) {});
    bench::report("bare walk", totals, bench::secondsSince(start));
    return 0;
}
