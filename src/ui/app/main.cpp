// quillory: the desktop program.
#include <QApplication>

#include "platform/process_setup.h"

int main(int argc, char** argv) {
    quillory::prepareProcess();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return 0;
}
