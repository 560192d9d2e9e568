#pragma once
// What the Options dialog reads from and writes to the main window: the settings it
// edits, and the plug-in table it rebuilds while the plug-in folder is being typed.

#include <cstdint>
#include <string>
#include <string_view>

#include "common/win/text_font.h"
#include "image/plugin_table.h"

namespace nerula {

class ViewerOptionsTarget {
public:
    virtual ~ViewerOptionsTarget() = default;

    // The plug-in folder of the settings; writing it rebuilds the table when it changes.
    virtual const std::u16string& PluginPath() const noexcept = 0;
    virtual void SetPluginPath(const std::u16string& folder) = 0;
    // Rebuilds the plug-in table from a folder without changing the settings.
    virtual void InitPlugins(std::u16string_view folder) = 0;
    virtual const PluginTable& Plugins() const noexcept = 0;

    virtual std::int32_t TabWidth() const noexcept = 0;
    virtual void SetTabWidth(std::int32_t tabWidth) = 0;
    virtual TextFont& ViewerFont() noexcept = 0;
    // Copies every attribute of the font and counts as a change of the settings.
    virtual void SetViewerFont(const TextFont& font) = 0;
};

} // namespace nerula
