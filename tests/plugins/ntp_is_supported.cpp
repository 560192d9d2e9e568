// IsSupported of the plug-ins that decode NTP files.

#include <cstdint>

#include "ntp_format.h"
#include "ntp_layout.h"
#include "plugin_exports.h"

int WINAPI IsSupported(LPCSTR, void* dw) {
    // A file handle has nothing above its low 16 bits; these plug-ins do not read files.
    if ((reinterpret_cast<std::uintptr_t>(dw) & ~std::uintptr_t{0xFFFF}) == 0) {
        return 0;
    }
    return nerula::plugins::StartsWithNtpMagic(static_cast<const unsigned char*>(dw),
                                               nerula::ntp::kMagic.size())
               ? 1
               : 0;
}
