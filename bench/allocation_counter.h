// Counts the allocations of the whole program, by replacing the global operator new. Linked into
// the programs that show that the computer's search allocates nothing.
#pragma once

namespace zelkan {

// Calls of operator new since the program started.
long allocationCount();

}  // namespace zelkan
