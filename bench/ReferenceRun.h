// Runs the memory benchmark's reference program (memory_reference.exe,
// built beside this one) and reads its GDI counts: all objects and each
// type's, per count it printed. Reports success as a bool and says on
// stderr what failed; the program's own failures reach stderr too.
#pragma once

#include "probe/ProcessObjects.h"

#include <vector>

namespace bench {

[[nodiscard]] bool RunMemoryReference(int rounds, std::vector<testbed::ProcessObjects>* counts);

}  // namespace bench
