#pragma once

#include "engine/TaggedValue.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace tallix {

namespace detail {
[[noreturn]] void RaisePopEmpty();
[[noreturn]] void RaiseGetPopValueEmpty();
} // namespace detail

// Cls13: the stack of tagged values. Last-in, first-out, one per translation
// or evaluation. Stores
// copies. The visible capacity grows in steps of exactly ten slots and never
// shrinks; the storage underneath may grow faster.
//
// A stack holds tagged values unless its user names a narrower type: the
// evaluator stacks tagged numbers (16 bytes each), the translator one-byte
// tokens instead of texts. Memory then grows with the input by a few bytes
// per character, and the storage of even the longest input stays small
// enough to be reused from one calculation to the next rather than handed
// back to the system and faulted in again.
//
// The translator and the evaluator push and pop once or twice per token, so
// every operation is defined here, where it can be inlined.
template <typename Value = TaggedValue> class Cls13 {
public:
    Cls13() = default;
    // One stack per translation or evaluation, never copied or moved: it
    // points into its own inline storage.
    Cls13(const Cls13&) = delete;
    Cls13& operator=(const Cls13&) = delete;
    ~Cls13() {
        if (heap_.empty()) {
            std::destroy_n(InlineSlots(), built_); // once on the heap, the inline slots are gone
        }
    }

    std::int32_t StackSize() const noexcept { return count_; }
    // Kept only for the documented interface, like GetPopValue below: no
    // program reads it, its tests do.
    std::int32_t Capacity() const noexcept { return capacity_; }

    // May raise std::bad_alloc when the stack outgrows its inline slots; the
    // stack is then unchanged.
    void Push(Value value) {
        const std::int32_t depth = count_ + 1;
        if (depth <= built_) {
            slots_[depth - 1] = std::move(value);
        } else if (depth <= kInlineSlots) {
            std::construct_at(slots_ + depth - 1, std::move(value));
            built_ = depth;
        } else {
            PushDeeper(std::move(value));
        }
        count_ = depth;
        if (count_ > capacity_) {
            capacity_ += kCapacityStep;
        }
    }

    // Pop, GetPopValue and Top raise EngineError on an empty stack and leave it unchanged.
    Value Pop() {
        if (count_ < 1) {
            detail::RaisePopEmpty();
        }
        --count_;
        return std::move(slots_[count_]);
    }

    // A copy of the top value. Kept only for the documented interface: the
    // translator and the evaluator look through Top; only the tests call it.
    Value GetPopValue() const { return Top(); }

    // The top value itself, not a copy: GetPopValue for callers that only
    // look. Valid until the next Push or Pop.
    const Value& Top() const {
        if (count_ < 1) {
            detail::RaiseGetPopValueEmpty();
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
    Value* InlineSlots() noexcept { return reinterpret_cast<Value*>(inline_); }
    void PushDeeper(Value&& value);

    alignas(Value) std::byte inline_[kInlineSlots * sizeof(Value)];
    std::vector<Value> heap_;      // holds every value once the stack outgrows inline_
    Value* slots_ = InlineSlots(); // slots_[k] is the (k+1)-th value from the bottom
    std::int32_t built_ = 0;       // slots of the storage in use holding a value
    std::int32_t capacity_ = 0;
    std::int32_t count_ = 0;
};

// Called for each new depth beyond the inline slots, all of which then hold
// a value. The heap keeps every slot ever used, so it only ever appends.
template <typename Value> void Cls13<Value>::PushDeeper(Value&& value) {
    if (heap_.empty()) {
        std::vector<Value> heap;
        heap.reserve(4 * kInlineSlots);
        std::move(slots_, slots_ + kInlineSlots, std::back_inserter(heap));
        heap.push_back(std::move(value));
        std::destroy_n(InlineSlots(), kInlineSlots);
        heap_ = std::move(heap);
    } else {
        heap_.push_back(std::move(value));
    }
    slots_ = heap_.data();
    built_ = static_cast<std::int32_t>(heap_.size());
}

} // namespace tallix
