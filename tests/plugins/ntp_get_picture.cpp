// GetPicture of the plug-ins that decode NTP files.

#include "ntp_picture.h"
#include "plugin_exports.h"

int WINAPI GetPicture(LPCSTR data, LONG_PTR length, unsigned int flag, HLOCAL* info, HLOCAL* bits,
                      nerula::susie::ProgressCallback progress, LONG_PTR userValue) {
    return nerula::plugins::DecodeNtp(data, length, flag, info, bits, progress, userValue);
}
