#include "shell/verb_translations.h"

#include <QDir>
#include <QTranslator>

namespace quillory::shell {

std::vector<Translation> verbTranslations(const char* source) {
    std::vector<Translation> found;
    const QString prefix = QStringLiteral("quillory_");
    const QDir built(QStringLiteral(":/translations"));
    for (const QString& file : built.entryList({prefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name)) {
        QTranslator translator;
        if (!translator.load(built.filePath(file))) continue;
        const QString text = translator.translate(kVerbTextContext, source);
        if (text.isEmpty()) continue;
        const QString locale = file.mid(prefix.size(), file.size() - prefix.size() - 3);
        found.push_back({locale.toStdString(), text.toStdString()});
    }
    return found;
}

}  // namespace quillory::shell
