#pragma once
// Sole owner of one ID list from the task allocator: frees it on every path.
#include "services/IDLists.h"
#include "services/TaskMemory.h"

#include <utility>

class TOwnedIDList {
public:
    TOwnedIDList() = default;
    explicit TOwnedIDList(TIDList* list) : FList(list) {}
    TOwnedIDList(TOwnedIDList&& other) noexcept : FList(other.Release()) {}
    TOwnedIDList& operator=(TOwnedIDList&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    TOwnedIDList(const TOwnedIDList&) = delete;
    TOwnedIDList& operator=(const TOwnedIDList&) = delete;
    ~TOwnedIDList() { TaskMemFree(FList); }

    TIDList* Get() const { return FList; }
    explicit operator bool() const { return FList != nullptr; }

    // Gives the list up without freeing it.
    TIDList* Release() { return std::exchange(FList, nullptr); }
    void Reset(TIDList* list = nullptr) { TaskMemFree(std::exchange(FList, list)); }
    // For an out-parameter that receives a new list: the present one is freed first.
    TIDList** Receive() {
        Reset();
        return &FList;
    }

    TOwnedIDList Clone() const { return TOwnedIDList(CloneIDList(FList)); }

private:
    TIDList* FList = nullptr;
};
