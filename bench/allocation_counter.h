// Counts the allocations of the whole program, by replacing the global operator new, and fails
// large ones on request. Linked into the programs that show that the computer's search allocates
// nothing, and that a failed allocation is survived.
#pragma once

#include <cstddef>

namespace zelkan {

// Calls of operator new since the program started.
long allocationCount();

// From now on operator new throws std::bad_alloc for any request of at least bytes (0: never).
void failAllocationsFrom(std::size_t bytes);

}  // namespace zelkan
