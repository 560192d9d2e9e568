// Answers GetPluginInfo like an import plug-in but exports neither GetPicture nor GetPictureInfo.

#include "plugin_exports.h"
#include "plugin_info.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00IN", "Nerula test plug-in: noentry", "*.nge",
                                                         "A plug-in without decoding entries"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}
