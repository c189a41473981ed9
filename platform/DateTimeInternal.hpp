// Date-time helpers shared inside the platform.
#pragma once

#include <cstdint>

#include "platform/System.hpp"

namespace DateTimeInternal {

// The date-time value of a local date and time of day, for any year (no range check).
TDateTime FromLocalFields(std::int64_t year, int month, int day, int hour, int minute, int second);

}  // namespace DateTimeInternal
