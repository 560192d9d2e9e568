#pragma once
// The nine viewer settings as one record: what the settings file holds, what the main
// window applies at start-up and writes back at exit, and what the Options dialog edits.

#include <cstdint>
#include <string>

namespace nerula {

// How a picture is shown. The file may hold any other number, which is kept as it is and
// shows neither style.
enum class PictureViewStyle : std::int32_t {
    FitToWindow = 1,
    ActualSize = 2,
};

struct ViewerSettings {
    // Section "Image".
    std::u16string pluginPath;
    PictureViewStyle viewStyle = PictureViewStyle::FitToWindow;
    // Section "Text".
    bool wordWrap = true;
    std::int32_t tabWidth = 4;
    std::u16string fontName = u"FixedSys";
    std::int32_t fontSize = 9;
    // 1 bold, 2 italic, 4 underline, 8 strike-out.
    std::uint8_t fontStyle = 0;
    bool autoEncode = true;
    std::uint32_t codePage = 0;

    bool operator==(const ViewerSettings&) const = default;
};

// The settings of a first run: the code page defaults to the system's ANSI code page.
ViewerSettings DefaultViewerSettings(std::uint32_t ansiCodePage);

namespace settings_keys {
inline constexpr char16_t kImage[] = u"Image";
inline constexpr char16_t kText[] = u"Text";
} // namespace settings_keys

// Reads every setting from an INI file object (ReadString, ReadInteger and ReadBool with
// a default, never failing); what cannot be read keeps its default.
template <typename Ini>
ViewerSettings ReadViewerSettings(const Ini& ini, std::uint32_t ansiCodePage) {
    using namespace settings_keys;
    const ViewerSettings defaults = DefaultViewerSettings(ansiCodePage);
    ViewerSettings settings;
    settings.pluginPath = ini.ReadString(kImage, u"PluginPath", defaults.pluginPath);
    settings.viewStyle = static_cast<PictureViewStyle>(
        ini.ReadInteger(kImage, u"ViewStyle", static_cast<std::int32_t>(defaults.viewStyle)));
    settings.wordWrap = ini.ReadBool(kText, u"WordWrap", defaults.wordWrap);
    settings.tabWidth = ini.ReadInteger(kText, u"TabWidth", defaults.tabWidth);
    settings.fontName = ini.ReadString(kText, u"FontName", defaults.fontName);
    settings.fontSize = ini.ReadInteger(kText, u"FontSize", defaults.fontSize);
    settings.fontStyle =
        static_cast<std::uint8_t>(ini.ReadInteger(kText, u"FontStyle", defaults.fontStyle) & 0xFF);
    settings.autoEncode = ini.ReadBool(kText, u"AutoEncode", defaults.autoEncode);
    settings.codePage = static_cast<std::uint32_t>(
        ini.ReadInteger(kText, u"CodePage", static_cast<std::int32_t>(defaults.codePage)));
    return settings;
}

// Writes all nine keys, in the file's order, also those that did not change.
template <typename Ini>
void WriteViewerSettings(Ini& ini, const ViewerSettings& settings) {
    using namespace settings_keys;
    ini.WriteString(kImage, u"PluginPath", settings.pluginPath);
    ini.WriteInteger(kImage, u"ViewStyle", static_cast<std::int32_t>(settings.viewStyle));
    ini.WriteBool(kText, u"WordWrap", settings.wordWrap);
    ini.WriteInteger(kText, u"TabWidth", settings.tabWidth);
    ini.WriteString(kText, u"FontName", settings.fontName);
    ini.WriteInteger(kText, u"FontSize", settings.fontSize);
    ini.WriteInteger(kText, u"FontStyle", settings.fontStyle);
    ini.WriteBool(kText, u"AutoEncode", settings.autoEncode);
    ini.WriteInteger(kText, u"CodePage", static_cast<std::int32_t>(settings.codePage));
}

} // namespace nerula
