#pragma once

#include "TaggedValue.h"

#include <cstddef>
#include <cstdint>
#include <memory>
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
    Cls13() = default;
    // One stack per translation or evaluation, never copied or moved: it
    // points into its own inline storage.
    Cls13(const Cls13&) = delete;
    Cls13& operator=(const Cls13&) = delete;
    ~Cls13() { std::destroy_n(InlineSlots(), heap_.empty() ? built_ : kInlineSlots); }

    std::int32_t StackSize() const noexcept { return count_; }
    std::int32_t Capacity() const noexcept { return capacity_; }

    void Push(TaggedValue Value) {
        ++count_;
        if (count_ > capacity_) {
            capacity_ += kCapacityStep;
        }
        if (count_ <= built_) {
            slots_[count_ - 1] = std::move(Value);
        } else if (count_ <= kInlineSlots) {
            std::construct_at(slots_ + count_ - 1, std::move(Value));
            built_ = count_;
        } else {
            PushDeeper(std::move(Value));
        }
    }

    // Pop, GetPopValue and Top raise EngineError on an empty stack and leave it unchanged.
    TaggedValue Pop() {
        if (count_ < 1) {
            RaisePopEmpty();
        }
        --count_;
        return std::move(slots_[count_]);
    }

    TaggedValue GetPopValue() const { return Top(); }

    // The top value itself, not a copy: GetPopValue for callers that only
    // look. Valid until the next Push or Pop.
    const TaggedValue& Top() const {
        if (count_ < 1) {
            RaiseGetPopValueEmpty();
        }
        return slots_[count_ - 1];
    }

private:
    static constexpr std::int32_t kCapacityStep = 10;
    // A typical calculation stacks fewer values than this, so they live
    // inside the object, each constructed when the stack first reaches its
    // slot: a new stack costs neither an allocation nor any construction. A
    // deeper stack moves them all to the heap and stays there.
    static constexpr std::int32_t kInlineSlots = 10;

    // The values in inline_ are created there with construct_at.
    TaggedValue* InlineSlots() noexcept { return reinterpret_cast<TaggedValue*>(inline_); }
    void PushDeeper(TaggedValue&& value);
    [[noreturn]] static void RaisePopEmpty();
    [[noreturn]] static void RaiseGetPopValueEmpty();

    alignas(TaggedValue) std::byte inline_[kInlineSlots * sizeof(TaggedValue)];
    std::vector<TaggedValue> heap_;      // holds every value once the stack outgrows inline_
    TaggedValue* slots_ = InlineSlots(); // slots_[k] is the (k+1)-th value from the bottom
    std::int32_t built_ = 0;             // slots of the storage in use holding a value
    std::int32_t capacity_ = 0;
    std::int32_t count_ = 0;
};

} // namespace tallix
