#pragma once
// The allocator of every ID list the program keeps. On Windows it is the COM task allocator,
// so the shell can free what we hand it and we can free what it hands us; the portable build
// uses the C heap.
#include <cstddef>

// nullptr when the memory cannot be had.
void* TaskMemAlloc(std::size_t bytes);
// Accepts nullptr.
void TaskMemFree(void* block);
