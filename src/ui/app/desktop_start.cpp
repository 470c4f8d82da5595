#include "ui/app/desktop_start.h"

#include <QCoreApplication>

#include "platform/process_setup.h"
#include "ui/app/font_fallback.h"

namespace quillory::ui {

void prepareDesktopProcess() {
    prepareProcess();
    useSansSerifForMissingFaces();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace quillory::ui
