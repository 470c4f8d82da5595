#include "ui/app/font_fallback.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/app_paths.h"

namespace quillory::ui {

namespace {

bool installed(const char* family) {
    FcPattern* pattern = FcPatternBuild(nullptr, FC_FAMILY, FcTypeString, family, nullptr);
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    const bool found = fonts != nullptr && fonts->nfont > 0;
    if (fonts) FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

// Beside the program in the build folder, under share/quillory when installed.
std::string aliasFile() {
    const std::string folder = getAppPath();
    for (const std::string& path : {folder + "fonts.conf", folder + "../share/quillory/fonts.conf"})
        if (::access(path.c_str(), R_OK) == 0) return path;
    return {};
}

}  // namespace

void useSansSerifForMissingFaces() {
    // A user's own choice of configuration stands.
    if (std::getenv("FONTCONFIG_FILE") != nullptr) return;
    const std::string file = aliasFile();
    if (file.empty() || installed("Tahoma") || installed("Verdana")) return;
    ::setenv("FONTCONFIG_FILE", file.c_str(), 1);
    // Qt's fontconfig reads the variable when it first loads; the checks
    // above loaded it already.
    FcFini();
}

}  // namespace quillory::ui
