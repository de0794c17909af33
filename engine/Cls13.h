#pragma once

#include "TaggedValue.h"

#include <array>
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
    // The top value itself, not a copy: GetPopValue for callers that only
    // look. Valid until the next Push or Pop; the same failure on an empty stack.
    const TaggedValue& Top() const;

private:
    static constexpr std::int32_t kCapacityStep = 10;

    // A typical calculation stacks fewer than ten values, so the first ten
    // live inside the object and a stack costs no allocation; a deeper one
    // moves them all to the heap and stays there.
    TaggedValue* Slots() noexcept { return heap_.empty() ? inline_.data() : heap_.data(); }
    const TaggedValue* Slots() const noexcept {
        return heap_.empty() ? inline_.data() : heap_.data();
    }
    void PushBeyondInline(TaggedValue&& value);

    std::array<TaggedValue, kCapacityStep> inline_; // slots 1 to 10 until the heap takes over
    std::vector<TaggedValue> heap_; // heap_[k] is the (k+1)-th value from the bottom, once used
    std::int32_t capacity_ = 0;
    std::int32_t count_ = 0;
};

} // namespace tallix
