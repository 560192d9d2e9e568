// Decodes NTP files but cannot describe them: GetPictureInfo always fails.

#include "plugin_exports.h"
#include "plugin_info.h"
#include "plugin_result.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00IN", "Nerula test plug-in: infofails", "*.nif",
                                                         "NTP without picture information"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}

int WINAPI GetPictureInfo(LPCSTR, LONG_PTR, unsigned int, nerula::susie::PictureInfo*) {
    return nerula::plugins::kUnknownFormat;
}
