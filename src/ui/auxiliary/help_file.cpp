#include "ui/auxiliary/help_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/app_paths.h"

namespace quillory::ui {

// In order: beside the program (an unpacked copy, or the build folder, where
// the build puts a copy), then the installed guide of a program in
// PREFIX/bin. When neither exists, the place beside the program: opening it
// then shows what the system shows for a missing file.
QString helpFilePath() {
    const QDir programFolder(QFile::decodeName(QByteArray::fromStdString(getAppPath())));
    const QString beside = programFolder.filePath(QStringLiteral("help.html"));
    const QString installed = QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/doc/quillory/help.html")));
    for (const QString& candidate : {beside, installed})
        if (QFileInfo(candidate).isFile()) return candidate;
    return beside;
}

QString productWebAddress() { return QStringLiteral("https://quillory.org/"); }

}  // namespace quillory::ui
