#pragma once
// The verb as the file managers' own per-user action files: what each file
// holds for a program, and the command line a file holds now.
//
//   Nemo      $XDG_DATA_HOME/nemo/actions/quillory-print-listing.nemo_action
//   Dolphin   $XDG_DATA_HOME/kio/servicemenus/quillory-print-listing.desktop (executable)
//   Nautilus  $XDG_DATA_HOME/nautilus/scripts/Print listing with Quillory (executable)
//   Thunar    an <action> in $XDG_CONFIG_HOME/Thunar/uca.xml, among the user's own
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillory::shell {

inline constexpr char kVerbName[] = "Print listing with Quillory";

enum class VerbFormat { NemoAction, DolphinServiceMenu, NautilusScript, ThunarAction };

struct VerbFile {
    VerbFormat format;
    std::string path;  // absolute; Thunar's is shared with the user's other actions
    bool executable = false;
};

// The four places, from the current environment.
std::vector<VerbFile> verbFiles();

// The command line that the format stores for `program` (bytes of a path),
// written as the file holds it.
std::string verbCommand(VerbFormat format, std::string_view program);

// The whole file for `program`; for Thunar, the <action> element.
std::string verbFileText(VerbFormat format, std::string_view program);

// The command line that a file's text holds for the verb, written as the
// file holds it; nothing when the text has no entry of the verb.
std::optional<std::string> storedVerbCommand(VerbFormat format, std::string_view fileText);

}  // namespace quillory::shell
