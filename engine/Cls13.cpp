#include "Cls13.h"

#include "EngineError.h"

#include <iterator>

namespace tallix {

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

void Cls13::RaisePopEmpty() {
    throw EngineError(ErrorNumber::PopEmpty, "Pop method invoked on empty stack");
}

void Cls13::RaiseGetPopValueEmpty() {
    throw EngineError(ErrorNumber::GetPopValueEmpty, "GetPopValue method invoked on empty stack");
}

} // namespace tallix
