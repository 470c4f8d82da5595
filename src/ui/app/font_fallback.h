#pragma once
// The listing style names Tahoma and Verdana, which Linux rarely has; the
// program's browser would then fall back to a serif face. When neither is
// installed, this process and its helpers read the fontconfig file that
// ships with the program (fonts.conf: the desktop's configuration with both
// names read as sans-serif). Call before the application object exists.
namespace quillory::ui {

void useSansSerifForMissingFaces();

}  // namespace quillory::ui
