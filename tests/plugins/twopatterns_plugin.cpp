// Decodes NTP under two patterns, the filter ending with ";".

#include "plugin_exports.h"
#include "plugin_info.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00IN", "Nerula test plug-in: twopatterns",
                                                         "*.nt1;*.nt2;", "NTP under two patterns"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}
