#pragma once
// The verb's entry in Thunar's custom-action file (uca.xml): an <action>
// element among the user's own. The file is edited as text, so that every
// other action, comment and blank stays byte for byte as it was; only the
// entries named after the verb are cut out or put in.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/verb_translations.h"

namespace quillory::shell {

// A text of the action with its translations, each written as a second
// element with xml:lang, the way Thunar's own file carries them.
struct ActionText {
    std::string text;
    std::vector<Translation> translated;
};

// The <action> element for `name` running `command` on a chosen folder,
// tab-indented the way Thunar writes its own, without a final line end.
std::string thunarActionElement(const ActionText& name, const ActionText& description, std::string_view command);

// The file's text with every <action> named `name` replaced by one
// `element`, added before </actions>; a new file when `fileText` is empty.
// Nothing when the text is not a well-formed <actions> document in UTF-8.
std::optional<std::string> withThunarAction(std::string_view fileText, std::string_view name,
                                            std::string_view element);

// The file's text without the <action> elements named `name`. Nothing when
// the text is not a well-formed <actions> document in UTF-8.
std::optional<std::string> withoutThunarAction(std::string_view fileText, std::string_view name);

// The <command> of the first <action> named `name`, unescaped.
std::optional<std::string> thunarActionCommand(std::string_view fileText, std::string_view name);

}  // namespace quillory::shell
