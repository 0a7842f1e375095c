#include "services/TaskMemory.h"

#include <objbase.h>

void* TaskMemAlloc(std::size_t bytes) {
    return CoTaskMemAlloc(bytes == 0 ? 1 : bytes);
}

void TaskMemFree(void* block) {
    CoTaskMemFree(block);
}
