#pragma once
// The verb's menu texts in the other languages the program ships: the file
// managers pick the one for the desktop's language (Name[de]=, xml:lang), so
// the menu reads like the program's windows. Taken from the program's own
// translations, whatever language this process runs in.
#include <string>
#include <vector>

namespace quillory::shell {

// The context of the verb's texts in the translation files.
inline constexpr char kVerbTextContext[] = "quillory::shell::VerbFiles";

struct Translation {
    std::string locale;  // as the file managers write it: "de", "pt_BR"
    std::string text;    // UTF-8
};

// `source` in each shipped language that translates it, by locale.
std::vector<Translation> verbTranslations(const char* source);

}  // namespace quillory::shell
