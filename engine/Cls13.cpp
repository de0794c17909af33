#include "Cls13.h"

#include "EngineError.h"

#include <iterator>
#include <utility>

namespace tallix {

void Cls13::Push(TaggedValue Value) {
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

// Once the heap holds the stack it keeps every slot ever used, so slots
// below its size are overwritten and only a new depth appends.
void Cls13::PushBeyondInline(TaggedValue&& value) {
    if (heap_.empty()) {
        heap_.reserve(4 * kCapacityStep);
        heap_.assign(std::make_move_iterator(inline_.begin()),
                     std::make_move_iterator(inline_.end()));
    }
    if (static_cast<std::size_t>(count_) > heap_.size()) {
        heap_.push_back(std::move(value));
    } else {
        heap_[count_ - 1] = std::move(value);
    }
}

TaggedValue Cls13::Pop() {
    if (count_ < 1) {
        throw EngineError(ErrorNumber::PopEmpty, "Pop method invoked on empty stack");
    }
    --count_;
    return std::move(Slots()[count_]);
}

TaggedValue Cls13::GetPopValue() const {
    return Top();
}

const TaggedValue& Cls13::Top() const {
    if (count_ < 1) {
        throw EngineError(ErrorNumber::GetPopValueEmpty,
                          "GetPopValue method invoked on empty stack");
    }
    return Slots()[count_ - 1];
}

} // namespace tallix
