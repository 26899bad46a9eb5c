#pragma once

namespace TestSupport {

// Allocations made so far through the global operator new (see
// AllocationCounter.h, which defines it).
unsigned long& allocationCount();

} // namespace TestSupport
