// Decodes NTP; its filter ends with ";", which leaves an empty pattern after the last one.

#include "plugin_exports.h"
#include "plugin_info.h"

int WINAPI GetPluginInfo(int infoNumber, LPSTR buffer, int bufferLength) {
    static constexpr nerula::plugins::PluginTexts kTexts{"00IN", "Nerula test plug-in: trailing", "*.ntr;",
                                                         "NTP, a filter ending with a separator"};
    return nerula::plugins::AnswerPluginInfo(kTexts, infoNumber, buffer, bufferLength);
}
