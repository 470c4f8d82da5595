// Placeholder until the preview window lands: shows nothing, returns at once.
#include "ui/auxiliary/frm_preview.h"

namespace quillory::ui {

frmPreview::frmPreview(Prompts& prompts, const QString& scratchPath, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_scratchPath(scratchPath) {
    setWindowTitle("Quillory - Preview & Print");
}

frmPreview::~frmPreview() = default;

void frmPreview::showListing() {}

}  // namespace quillory::ui
