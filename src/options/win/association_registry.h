#pragma once
// The association page's registry work: reading the file types through HKEY_CLASSES_ROOT
// (the per-user and the machine's keys merged), and writing or removing the viewer's verb
// under HKEY_CURRENT_USER\Software\Classes only. Keys that cannot be opened are passed
// over; a value of the wrong type, or one that cannot be written, is an Exception.

#include <string>
#include <string_view>
#include <vector>

#include "image/plugin_table.h"
#include "options/association_rows.h"

namespace nerula {

// A class name or a row's caption in the one case in which the registry and the list view
// compare them (both ignore case).
std::u16string FoldClassName(std::u16string_view name);

// The names of HKEY_CLASSES_ROOT's subkeys, as the registry enumerates them.
std::vector<std::u16string> ClassNames();

// Whether the plug-in table names the extension (ignoring case); the built-in formats count.
bool HasPlugin(const PluginTable& plugins, std::u16string_view extension);
// The name of the first format of the plug-in that the table names for the extension
// ("00IN" plug-ins only); empty when there is none or it does not load.
std::u16string GetPluginFormatName(const PluginTable& plugins, std::u16string_view extension);

// What the registry and the plug-in table say of one name of the list.
ExtensionFacts ReadExtension(std::u16string_view extension, const PluginTable& plugins);
// The same when whether the table names it is known already.
ExtensionFacts ReadExtension(std::u16string_view extension, const PluginTable& plugins, bool hasPlugin);

// Builds the rows: every listed name of the registry, then the table's names it lacks.
void BuildAssociationRows(AssociationRows& rows, const PluginTable& plugins);

// Writes the verb for every checked row and removes it (and the keys left empty that it
// stood in) for every unchecked one; the shell is told whenever something was written or
// removed, also when an error ends the work early.
void ApplyAssociationRows(const std::vector<AssociationRow>& rows, std::u16string_view programPath);

} // namespace nerula
