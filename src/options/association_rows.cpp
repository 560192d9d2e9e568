#include "options/association_rows.h"

#include <algorithm>
#include <unordered_set>

namespace nerula {
namespace {

char16_t AsciiLower(char16_t c) noexcept {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool EqualsAsciiIgnoringCase(std::u16string_view a, std::u16string_view b) noexcept {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

} // namespace

bool IsTextType(std::u16string_view progId, std::u16string_view perceivedType) {
    if (EqualsAsciiIgnoringCase(progId, u"txtfile")) {
        return true;
    }
    if (progId.empty()) {
        return false;
    }
    return EqualsAsciiIgnoringCase(perceivedType, u"text");
}

bool ListedEntry(const ExtensionFacts& facts, RowEntry& entry) {
    if (facts.extension.empty() || facts.extension.front() != u'.') {
        return false;
    }
    if (!IsTextType(facts.progId, facts.perceivedType) && !facts.hasPlugin) {
        return false;
    }
    entry.classification = !facts.perceivedType.empty() ? facts.perceivedType
                           : facts.hasPlugin            ? std::u16string(u"image")
                                                        : std::u16string(u"text");
    entry.caption = !facts.description.empty() ? facts.description : facts.progId;
    return true;
}

std::u16string AssociationRow::ExtensionText() const {
    std::u16string text;
    for (const std::u16string& extension : extensions) {
        if (!text.empty()) {
            text.push_back(u';');
        }
        text += extension;
    }
    return text;
}

std::vector<std::u16string> NamesToList(const std::vector<std::u16string>& registryNames,
                                        const std::vector<std::u16string>& tableNames,
                                        const std::function<std::u16string(std::u16string_view)>& fold) {
    std::vector<std::u16string> names = registryNames;
    std::unordered_set<std::u16string> known;
    for (const std::u16string& name : names) {
        known.insert(fold(name));
    }
    for (const std::u16string& name : tableNames) {
        if (known.insert(fold(name)).second) {
            names.push_back(name);
        }
    }
    return names;
}

void AssociationRows::Add(const std::u16string& caption, const std::u16string& extension, bool checked,
                          const std::u16string& classification) {
    const auto [at, added] = byCaption_.try_emplace(fold_(caption), rows_.size());
    if (!added) {
        rows_[at->second].extensions.push_back(extension);
        return;
    }
    rows_.push_back({caption, {extension}, classification, checked, checked});
}

AllCheckState AllCheckOf(const std::vector<AssociationRow>& rows, std::u16string_view classification) {
    std::size_t count = 0;
    std::size_t checked = 0;
    for (const AssociationRow& row : rows) {
        if (row.classification == classification) {
            ++count;
            checked += row.checked ? 1 : 0;
        }
    }
    if (checked == 0) {
        return AllCheckState::Unchecked;
    }
    return checked == count ? AllCheckState::Checked : AllCheckState::Greyed;
}

AllCheckState ClickedAllCheck(AllCheckState before) noexcept {
    return before == AllCheckState::Checked ? AllCheckState::Unchecked : AllCheckState::Checked;
}

std::u16string OwnProgId(std::u16string_view firstExtension) {
    std::u16string id = u"Nerula";
    id += firstExtension;
    id += u"File";
    return id;
}

std::u16string VerbCommand(std::u16string_view programPath) {
    std::u16string command = u"\"";
    command += programPath;
    command += u"\" \"%1\"";
    return command;
}

} // namespace nerula
