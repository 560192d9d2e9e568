// Decodes NTP but reports the import version in lower case, which the program must not take for it.

#include "plugin_exports.h"
#include "plugin_info.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00in", "Nerula test plug-in: lowercase", "*.nlc",
                                                         "NTP under a lower-case API version"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}
