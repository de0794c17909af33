#include "engine/Cls13.h"

#include "engine/EngineError.h"

namespace tallix::detail {

void RaisePopEmpty() {
    throw EngineError(ErrorNumber::PopEmpty, "Pop method invoked on empty stack");
}

void RaiseGetPopValueEmpty() {
    throw EngineError(ErrorNumber::GetPopValueEmpty, "GetPopValue method invoked on empty stack");
}

} // namespace tallix::detail
