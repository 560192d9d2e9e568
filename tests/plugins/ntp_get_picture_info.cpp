// GetPictureInfo of the plug-ins that describe NTP files.

#include "ntp_picture.h"
#include "plugin_exports.h"

int WINAPI GetPictureInfo(LPCSTR data, LONG_PTR length, unsigned int flag, nerula::susie::PictureInfo* info) {
    return nerula::plugins::DescribeNtp(data, length, flag, info);
}
