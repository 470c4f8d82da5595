#include "ui/auxiliary/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>

#include "platform/app_paths.h"

namespace quillory::ui {

// An installed program's files under PREFIX/share/quillory/translations come
// first, so that a packager may ship newer ones; else the copies built into
// the program.
Translations::Translations(const QLocale& locale) {
    const QDir programFolder(QFile::decodeName(QByteArray::fromStdString(getAppPath())));
    const QString installed = QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/quillory/translations")));
    for (const QString& folder : {installed, QStringLiteral(":/translations")}) {
        if (m_own.load(locale, QStringLiteral("quillory"), QStringLiteral("_"), folder)) {
            m_ownLoaded = QCoreApplication::installTranslator(&m_own);
            break;
        }
    }
    // Qt's texts follow only where the program's own do, so a window never
    // mixes two languages.
    if (m_ownLoaded &&
        m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qt);
}

}  // namespace quillory::ui
