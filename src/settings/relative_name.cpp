#include "settings/relative_name.h"

namespace nerula {

SplitName SplitRelativeName(std::u16string_view name) {
    const std::size_t last = name.find_last_of(u"\\:");
    if (last == std::u16string_view::npos) {
        return {u"", std::u16string(name)};
    }
    std::u16string directory(name.substr(0, last + 1));
    const bool driveRoot = directory.size() == 3 && directory[1] == u':' && directory[2] == u'\\';
    if (!driveRoot && !directory.empty() && directory.back() == u'\\') {
        directory.pop_back();
    }
    return {directory, std::u16string(name.substr(last + 1))};
}

} // namespace nerula
