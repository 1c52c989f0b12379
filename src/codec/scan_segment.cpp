#include "codec/scan_segment.h"

namespace vellumo {

int32_t ScanSegment(const char*, int32_t, int32_t&, int32_t& highCount) {
    highCount = 0;
    return 0;
}
bool NeedsHeaderEncoding(const char*, int32_t, int32_t) {
    return false;
}

}  // namespace vellumo
