#include "Cls13.h"

#include "EngineError.h"

#include <utility>

namespace tallix {

void Cls13::Push(TaggedValue Value) {
    ++count_;
    if (count_ > capacity_) {
        capacity_ += kCapacityStep;
    }
    if (static_cast<std::size_t>(count_) > items_.size()) {
        if (items_.empty()) {
            items_.reserve(kCapacityStep); // one allocation for a typical stack, not four
        }
        items_.push_back(std::move(Value));
    } else {
        items_[count_ - 1] = std::move(Value);
    }
}

TaggedValue Cls13::Pop() {
    if (count_ < 1) {
        throw EngineError(ErrorNumber::PopEmpty, "Pop method invoked on empty stack");
    }
    --count_;
    return std::move(items_[count_]);
}

TaggedValue Cls13::GetPopValue() const {
    if (count_ < 1) {
        throw EngineError(ErrorNumber::GetPopValueEmpty,
                          "GetPopValue method invoked on empty stack");
    }
    return items_[count_ - 1];
}

} // namespace tallix
