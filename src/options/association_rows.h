#pragma once
// The rows of the association page, without the list view or the registry: which file
// types are listed (every text type the system knows, every type a plug-in claims), how
// extensions with the same description share a row, how a row is classified, what the
// two all-boxes show, and the names that applying a row writes.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace nerula {

// Whether an extension with this ProgID and PerceivedType is a text type the viewer is
// offered for: the ProgID "txtfile", or any other ProgID with the perceived type "text".
bool IsTextType(std::u16string_view progId, std::u16string_view perceivedType);

// What an extension's registry keys and the plug-in table say of it.
struct ExtensionFacts {
    std::u16string extension; // with its dot
    std::u16string progId;    // empty: none
    std::u16string perceivedType;
    bool hasPlugin = false;
    std::u16string description; // the ProgID's, else the plug-in's format name, else empty
    bool verbRegistered = false;
};

// The row an extension goes to, or none when it is not listed: its caption (the
// description, else the ProgID) and its classification (the perceived type, else "image"
// for a plug-in's type, else "text").
struct RowEntry {
    std::u16string caption;
    std::u16string classification;
};
bool ListedEntry(const ExtensionFacts& facts, RowEntry& entry);

struct AssociationRow {
    std::u16string caption;
    std::vector<std::u16string> extensions; // in the order they joined
    std::u16string classification;
    bool checked = false;
    // The check state last seen or set for the row: a change of the check box is told
    // from a change of selection or focus by it.
    bool recorded = false;

    // The extensions as the list shows them: ".jpg;.jpeg".
    std::u16string ExtensionText() const;
};

// The names to enumerate: the registry's first, in its order, then the plug-in table's
// that it lacks. `fold` gives a name in the one case in which the registry compares names.
std::vector<std::u16string> NamesToList(const std::vector<std::u16string>& registryNames,
                                        const std::vector<std::u16string>& tableNames,
                                        const std::function<std::u16string(std::u16string_view)>& fold);

// Rows keyed by caption, found as the list view finds a caption (ignoring case): by the
// caption in the one case that `fold` gives it, in a hash table, since a registry may
// hold thousands of types.
class AssociationRows {
public:
    using FoldCase = std::function<std::u16string(std::u16string_view)>;
    explicit AssociationRows(FoldCase fold) : fold_(std::move(fold)) {}

    // A new row with the check state, or the extension appended to the row of that
    // caption, which keeps its own check state and classification.
    void Add(const std::u16string& caption, const std::u16string& extension, bool checked,
             const std::u16string& classification);
    void Clear() noexcept {
        rows_.clear();
        byCaption_.clear();
    }

    const std::vector<AssociationRow>& Rows() const noexcept { return rows_; }
    std::vector<AssociationRow>& Rows() noexcept { return rows_; }

private:
    FoldCase fold_;
    std::vector<AssociationRow> rows_;
    std::unordered_map<std::u16string, std::size_t> byCaption_;
};

enum class AllCheckState { Unchecked, Checked, Greyed };

// The all-box of one classification ("image" or "text", compared exactly): unchecked when
// no such row is checked (or there is none), checked when all are, greyed otherwise.
AllCheckState AllCheckOf(const std::vector<AssociationRow>& rows, std::u16string_view classification);

// The state a click moves an all-box to: unchecked → checked, checked → unchecked,
// greyed → checked.
AllCheckState ClickedAllCheck(AllCheckState before) noexcept;

// The ProgID the viewer makes for an extension that has none: "Nerula" + the row's first
// extension + "File".
std::u16string OwnProgId(std::u16string_view firstExtension);

// The command line of the verb: the program's path and the file, each in double quotes.
std::u16string VerbCommand(std::u16string_view programPath);

inline constexpr std::u16string_view kVerbKey = u"nerula";
inline constexpr std::u16string_view kVerbName = u"Nerula で表示(&D)";

} // namespace nerula
