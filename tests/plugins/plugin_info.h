#pragma once
// GetPluginInfo's answers, the same way for every test plug-in.

#include <windows.h>

namespace nerula::plugins {

struct PluginTexts {
    const char* apiVersion;
    const char* name;
    const char* filter;
    const char* description;
};

// Copies the text of the info number into the buffer, cut to fit with its terminating zero,
// and answers the number of bytes copied before the zero; 0 for numbers without a text.
int AnswerPluginInfo(const PluginTexts& texts, int infoNumber, LPSTR buffer, int bufferLength);

} // namespace nerula::plugins
