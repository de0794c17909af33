#include "Cls13.h"

#include "EngineError.h"

namespace tallix {

// Called for each new depth beyond the inline slots, all of which then hold
// a value. The heap keeps every slot ever used, so it only ever appends.
void Cls13::PushDeeper(TaggedValue&& value) {
    if (heap_.empty()) {
        heap_.reserve(4 * kInlineSlots);
        for (std::int32_t i = 0; i < kInlineSlots; ++i) {
            heap_.push_back(std::move(slots_[i]));
        }
    }
    heap_.push_back(std::move(value));
    slots_ = heap_.data();
    built_ = static_cast<std::int32_t>(heap_.size());
}

void Cls13::RaisePopEmpty() {
    throw EngineError(ErrorNumber::PopEmpty, "Pop method invoked on empty stack");
}

void Cls13::RaiseGetPopValueEmpty() {
    throw EngineError(ErrorNumber::GetPopValueEmpty, "GetPopValue method invoked on empty stack");
}

} // namespace tallix
