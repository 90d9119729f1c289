#include "util/TimeText.h"

#include "util/ShortStrings.h"

ShortStr MinutesSeconds(int64_t seconds)
{
    return IntToZeroPadded(static_cast<int32_t>(seconds / 60), 2) + ":"
           + IntToZeroPadded(static_cast<int32_t>(seconds % 60), 2);
}
