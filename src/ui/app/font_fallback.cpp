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

// The face the desktop's configuration gives for sans-serif.
std::string sansSerifFace() {
    std::string family;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif"));
    if (pattern == nullptr) return family;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
        family = reinterpret_cast<const char*>(name);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return family;
}

std::string xmlText(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '&') escaped += "&amp;";
        else if (c == '<') escaped += "&lt;";
        else if (c == '>') escaped += "&gt;";
        else escaped += c;
    }
    return escaped;
}

std::string g_written;  // removed at exit
void removeWritten() { ::unlink(g_written.c_str()); }

// The shipped file read as the desktop's sans-serif face names it. The web
// engine takes a stand-in only when the configuration's first family is the
// stand-in's own name; "sans-serif" is no face's name. Written for this run
// (the face is the desktop's), in the runtime folder; empty on failure.
std::string namedConfig(const std::string& shipped, const std::string& face) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path = std::string(runtime != nullptr && *runtime != '\0' ? runtime : "/tmp") + "/quillory-fonts-XXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0) return {};
    const std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                             "<fontconfig>\n  <include ignore_missing=\"yes\">" + xmlText(shipped) + "</include>\n"
                             "  <match target=\"pattern\">\n"
                             "    <test qual=\"first\" name=\"family\"><string>sans-serif</string></test>\n"
                             "    <edit name=\"family\" mode=\"prepend_first\" binding=\"strong\"><string>" +
                             xmlText(face) + "</string></edit>\n  </match>\n</fontconfig>\n";
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    if (!written) {
        ::unlink(path.c_str());
        return {};
    }
    g_written = path;
    std::atexit(removeWritten);
    return path;
}

}  // namespace

void useSansSerifForMissingFaces() {
    // A user's own choice of configuration stands.
    if (std::getenv("FONTCONFIG_FILE") != nullptr) return;
    const std::string shipped = aliasFile();
    if (shipped.empty() || installed("Tahoma") || installed("Verdana")) return;
    const std::string face = sansSerifFace();
    const std::string named = face.empty() ? std::string() : namedConfig(shipped, face);
    ::setenv("FONTCONFIG_FILE", named.empty() ? shipped.c_str() : named.c_str(), 1);
    // Qt's fontconfig reads the variable when it first loads; the checks
    // above loaded it already.
    FcFini();
}

}  // namespace quillory::ui
