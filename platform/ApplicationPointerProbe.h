#pragma once

#include "platform/PointerProbe.h"

namespace tallix {

// The probe the buttons of this application share, over the queries the
// platform the application runs on can answer truly; its answer is renewed
// whenever ApplicationPointerArrival() reports an arrival. Lives as long as
// the application object.
//
// Apart from the probes themselves, so that choosing among them depends on
// each of them and none depends on another.
PointerProbe& ApplicationPointerProbe();

} // namespace tallix
