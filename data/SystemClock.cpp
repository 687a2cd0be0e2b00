#include "QuoteState.h"

#include <ctime>

std::int64_t SystemSeconds()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}
