// Prints the benchmark table's header; scripts/bench.sh runs it once before
// the programs that print the rows.
#include "Table.h"

int main() {
    bench::PrintHeader();
    return 0;
}
