#include "plugin_info.h"

#include <algorithm>
#include <cstring>

#include "image/win/susie_plugin_abi.h"

namespace nerula::plugins {

int AnswerPluginInfo(const PluginTexts& texts, int infoNumber, LPSTR buffer, int bufferLength) {
    const char* text = nullptr;
    switch (infoNumber) {
    case susie::kApiVersion:
        text = texts.apiVersion;
        break;
    case 1:
        text = texts.name;
        break;
    case susie::kFilter:
        text = texts.filter;
        break;
    case susie::kDescription:
        text = texts.description;
        break;
    default:
        return 0;
    }
    if (buffer == nullptr || bufferLength <= 0) {
        return 0;
    }
    const std::size_t room = static_cast<std::size_t>(bufferLength) - 1;
    const std::size_t length = std::min(std::strlen(text), room);
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

} // namespace nerula::plugins
