#pragma once

#include "TaggedValue.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace tallix {

// Last-in, first-out stack of tagged values, one per translation or
// evaluation. Stores copies. The visible capacity grows in steps of exactly
// ten slots and never shrinks; the storage underneath may grow faster.
//
// The translator and the evaluator push and pop once or twice per token, so
// the common paths are defined here, where they can be inlined.
class Cls13 {
public:
    std::int32_t StackSize() const noexcept { return count_; }
    std::int32_t Capacity() const noexcept { return capacity_; }

    void Push(TaggedValue Value) {
        ++count_;
        if (count_ > capacity_) {
            capacity_ += kCapacityStep;
        }
        if (count_ <= kCapacityStep && heap_.empty()) {
            inline_[count_ - 1] = std::move(Value);
        } else {
            PushBeyondInline(std::move(Value));
        }
    }

    // Pop, GetPopValue and Top raise EngineError on an empty stack and leave it unchanged.
    TaggedValue Pop() {
        if (count_ < 1) {
            RaisePopEmpty();
        }
        --count_;
        return std::move(Slots()[count_]);
    }

    TaggedValue GetPopValue() const { return Top(); }

    // The top value itself, not a copy: GetPopValue for callers that only
    // look. Valid until the next Push or Pop.
    const TaggedValue& Top() const {
        if (count_ < 1) {
            RaiseGetPopValueEmpty();
        }
        return Slots()[count_ - 1];
    }

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
    [[noreturn]] static void RaisePopEmpty();
    [[noreturn]] static void RaiseGetPopValueEmpty();

    std::array<TaggedValue, kCapacityStep> inline_; // slots 1 to 10 until the heap takes over
    std::vector<TaggedValue> heap_; // heap_[k] is the (k+1)-th value from the bottom, once used
    std::int32_t capacity_ = 0;
    std::int32_t count_ = 0;
};

} // namespace tallix
