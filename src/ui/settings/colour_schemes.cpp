#include "ui/settings/colour_schemes.h"

namespace quillory::ui {

std::optional<SampleStyle> schemeStyle(std::string_view name) {
    for (const ColourScheme& scheme : kColourSchemes) {
        if (scheme.name != name) continue;
        SampleStyle style;
        style.fileBack = scheme.fileBack;
        style.fileBackOdd = scheme.fileBackOdd;
        style.folBack = scheme.folBack;
        return style;
    }
    return std::nullopt;
}

}  // namespace quillory::ui
