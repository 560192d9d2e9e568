// Decodes NTP but reports an API version other than an import plug-in's, so the program must leave it out.

#include "plugin_exports.h"
#include "plugin_info.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00AM", "Nerula test plug-in: version", "*.nvr",
                                                         "NTP under another API version"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}
