#include "shell/shell_extension.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "platform/safe_file.h"
#include "shell/thunar_actions.h"
#include "shell/user_folders.h"
#include "shell/verb_files.h"

namespace quillory::shell {
namespace {

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

// 0, or the errno value of the step that failed.
int createParent(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    return error ? (error.value() != 0 ? error.value() : EIO) : 0;
}

int writeWhole(const std::string& path, const std::string& text, bool executable) {
    if (const int error = createParent(path)) return error;
    if (const Status written = writeFileAtomically(path, text); !written) return written.code();
    const mode_t mode = executable ? 0755 : 0644;
    return ::chmod(path.c_str(), mode) == 0 ? 0 : errno;
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
int addThunarEntry(const std::string& path, const std::string& element) {
    std::string existing;
    if (std::filesystem::exists(path)) {
        const auto text = readWhole(path);
        if (!text) return EIO;
        existing = *text;
    } else {
        existing = systemThunarActions();
    }
    const auto updated = withThunarAction(existing, kVerbName, element);
    if (!updated) return EINVAL;
    if (*updated == existing) return 0;
    if (const int error = createParent(path)) return error;
    const Status written = writeFileAtomically(path, *updated);
    return written.code();
}

void removeThunarEntry(const std::string& path) {
    const auto text = readWhole(path);
    if (!text) return;
    const auto updated = withoutThunarAction(*text, kVerbName);
    if (updated && *updated != *text) (void)writeFileAtomically(path, *updated);
}

// Every file is tried; the first failure is the one reported.
Status addVerb(const std::string& program) {
    int firstError = 0;
    for (const VerbFile& file : verbFiles()) {
        const std::string text = verbFileText(file.format, program);
        const int error = file.format == VerbFormat::ThunarAction ? addThunarEntry(file.path, text)
                                                                  : writeWhole(file.path, text, file.executable);
        if (firstError == 0) firstError = error;
    }
    return firstError == 0 ? Status::ok() : Status::error(firstError, kVerbErrorText);
}

void removeVerb() {
    for (const VerbFile& file : verbFiles()) {
        std::error_code ignored;  // what cannot be removed stays; there is nothing to tell
        if (file.format == VerbFormat::ThunarAction) removeThunarEntry(file.path);
        else std::filesystem::remove(file.path, ignored);
    }
}

bool sameCommand(const std::string& stored, const std::string& wanted) {
    return QString::fromUtf8(stored).compare(QString::fromUtf8(wanted), Qt::CaseInsensitive) == 0;
}

std::string programBytes(const QString& program) { return QFile::encodeName(program).toStdString(); }

}  // namespace

Status setShellExtension(bool add, const QString& program) {
    if (add) return addVerb(programBytes(program));
    removeVerb();
    return Status::ok();
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

Status setShellExtension(bool add) { return setShellExtension(add, QCoreApplication::applicationFilePath()); }

bool isShellExtensionSet() { return isShellExtensionSet(QCoreApplication::applicationFilePath()); }

}  // namespace quillory::shell
