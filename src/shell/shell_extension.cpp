#include "shell/shell_extension.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "platform/safe_file.h"
#include "shell/registry_path.h"
#include "shell/thunar_actions.h"
#include "shell/verb_files.h"
#include "ui/auxiliary/prompts.h"

namespace quillory::shell {
namespace {

constexpr char kErrorTitle[] = "Error writing to registry";
constexpr char kErrorText[] = "An unknown error has occured.\nApplication could not write to registry.";

std::optional<std::string> readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

bool isExecutable(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR) != 0;
}

bool writeWhole(const std::string& path, const std::string& text, bool executable) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error || !writeFileAtomically(path, text)) return false;
    const mode_t mode = executable ? 0755 : 0644;
    return ::chmod(path.c_str(), mode) == 0;
}

// Until the user has a file of their own, Thunar shows the system's default
// actions; the user's new file starts from them so that none goes missing.
std::string systemThunarActions() {
    for (const std::string& folder : systemConfigFolders())
        if (const auto text = readWhole(folder + "/Thunar/uca.xml"); text && withoutThunarAction(*text, kVerbName))
            return *text;
    return {};
}

// Thunar's file gains the verb's entry; a file that is there but cannot be
// read or is not a well-formed action list is left alone and counts as a
// failure, since writing over it would lose the user's actions.
bool addThunarEntry(const std::string& path, const std::string& element) {
    std::string existing;
    if (std::filesystem::exists(path)) {
        const auto text = readWhole(path);
        if (!text) return false;
        existing = *text;
    } else {
        existing = systemThunarActions();
    }
    const auto updated = withThunarAction(existing, kVerbName, element);
    if (!updated) return false;
    if (*updated == existing) return true;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return !error && writeFileAtomically(path, *updated).isOk();
}

void removeThunarEntry(const std::string& path) {
    const auto text = readWhole(path);
    if (!text) return;
    const auto updated = withoutThunarAction(*text, kVerbName);
    if (updated && *updated != *text) (void)writeFileAtomically(path, *updated);
}

bool addVerb(const std::string& program) {
    bool written = true;
    for (const VerbFile& file : verbFiles()) {
        const std::string text = verbFileText(file.format, program);
        if (file.format == VerbFormat::ThunarAction) written = addThunarEntry(file.path, text) && written;
        else written = writeWhole(file.path, text, file.executable) && written;
    }
    return written;
}

void removeVerb() {
    for (const VerbFile& file : verbFiles()) {
        if (file.format == VerbFormat::ThunarAction) removeThunarEntry(file.path);
        else deleteRegKey(file.keyPath);
    }
}

bool sameCommand(const std::string& stored, const std::string& wanted) {
    return QString::fromUtf8(stored).compare(QString::fromUtf8(wanted), Qt::CaseInsensitive) == 0;
}

std::string programBytes(const QString& program) { return QFile::encodeName(program).toStdString(); }

}  // namespace

void setShellExtension(std::int16_t mode, QWidget* parent, ui::Prompts& prompts, const QString& program) {
    if (mode == 1) {
        if (!addVerb(programBytes(program)))
            prompts.message(parent, kErrorText, kErrorTitle, QMessageBox::Critical);
    } else if (mode == 0) {
        removeVerb();
    }
}

bool isShellExtensionSet(const QString& program) {
    const std::string bytes = programBytes(program);
    for (const VerbFile& file : verbFiles()) {
        const auto text = readWhole(file.path);
        if (!text) return false;
        const auto stored = storedVerbCommand(file.format, *text);
        if (!stored || !sameCommand(*stored, verbCommand(file.format, bytes))) return false;
        if (file.executable && !isExecutable(file.path)) return false;
    }
    return true;
}

void setShellExtension(std::int16_t mode, QWidget* parent) {
    ui::DesktopPrompts prompts;
    setShellExtension(mode, parent, prompts, QCoreApplication::applicationFilePath());
}

bool isShellExtensionSet() { return isShellExtensionSet(QCoreApplication::applicationFilePath()); }

}  // namespace quillory::shell
