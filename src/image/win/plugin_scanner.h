#pragma once
// Building the plug-in table from the plug-in folders on disk.

#include <string>

#include "image/plugin_table.h"

namespace nerula {

// Susie's own plug-in folder from the registry, or empty. Fails with
// "'%s' のデータ型が不正です" when the value is not a string.
std::u16string SusiePluginFolder();

// Replaces the table: the built-in lines, then the plug-ins of the first folder of the
// search list that holds any plug-in file (*.spi for 32-bit, *.sph for 64-bit builds).
void BuildPluginTable(PluginTable& table, std::u16string_view configuredFolder);

} // namespace nerula
