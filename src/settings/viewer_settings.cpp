#include "settings/viewer_settings.h"

namespace nerula {

ViewerSettings DefaultViewerSettings(std::uint32_t ansiCodePage) {
    ViewerSettings settings;
    settings.codePage = ansiCodePage;
    return settings;
}

} // namespace nerula
