// The plug-in that reads NTP files as a well-behaved import plug-in does.

#include "plugin_exports.h"
#include "plugin_info.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00IN", "Nerula test plug-in: ntp", "*.ntp",
                                                         "Nerula test picture"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}
