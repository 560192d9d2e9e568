#include "app/app_title.h"

namespace nerula {

std::u16string ProgramTitle(std::u16string_view modulePath, LowerCaseFunction lowerCase) {
    const auto slash = modulePath.find_last_of(u'\\');
    std::u16string_view name = slash == std::u16string_view::npos ? modulePath : modulePath.substr(slash + 1);
    name = name.substr(0, name.find(u'.'));
    if (name.empty()) {
        return std::u16string();
    }
    std::u16string title(name.substr(0, 1));
    title.append(lowerCase(name.substr(1)));
    return title;
}

std::u16string DocumentTitle(std::u16string_view fileName) {
    std::u16string title(fileName);
    title.append(u" - Nerula");
    return title;
}

std::u16string ErrorBoxText(std::u16string_view message) {
    std::u16string text(message);
    if (!text.empty() && text.back() > u'.') {
        text += u'.';
    }
    return text;
}

std::u16string_view FileNamePart(std::u16string_view path) {
    const auto separator = path.find_last_of(u"\\:");
    return separator == std::u16string_view::npos ? path : path.substr(separator + 1);
}

} // namespace nerula
