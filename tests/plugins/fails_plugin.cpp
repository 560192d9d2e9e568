// Claims its files, NTP ones included, and fails to read any of them.

#include "plugin_exports.h"
#include "plugin_info.h"
#include "plugin_result.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00IN", "Nerula test plug-in: fails", "*.nfa",
                                                         "Pictures that never decode"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}

int WINAPI GetPicture(LPCSTR, LONG_PTR, unsigned int, HLOCAL*, HLOCAL*, nerula::susie::ProgressCallback,
                      LONG_PTR) {
    return nerula::plugins::kUnknownFormat;
}

int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned int, nerula::susie::PictureInfo*) {
    return nerula::plugins::kUnknownFormat;
}
