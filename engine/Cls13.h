#pragma once

#include "TaggedValue.h"

#include <cstdint>
#include <vector>

namespace tallix {

// Last-in, first-out stack of tagged values, one per translation or
// evaluation. Stores copies. The visible capacity grows in steps of exactly
// ten slots and never shrinks; the storage underneath may grow faster.
class Cls13 {
public:
    std::int32_t StackSize() const noexcept { return count_; }
    std::int32_t Capacity() const noexcept { return capacity_; }

    void Push(TaggedValue Value);
    // Both raise EngineError on an empty stack and leave it unchanged.
    TaggedValue Pop();
    TaggedValue GetPopValue() const;

private:
    static constexpr std::int32_t kCapacityStep = 10;

    std::vector<TaggedValue> items_; // items_[k] is the (k+1)-th value from the bottom
    std::int32_t capacity_ = 0;
    std::int32_t count_ = 0;
};

} // namespace tallix
