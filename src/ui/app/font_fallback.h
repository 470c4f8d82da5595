#pragma once
// The listing style names Tahoma and Verdana, which Linux rarely has; the
// program's browser would then fall back to a serif face. When neither is
// installed, this process and its helpers (the web engine's, which inherit
// the environment) read the fontconfig file that ships with the program
// (fonts.conf: the desktop's configuration with both names read as
// sans-serif), through a small file written for the run that names the
// desktop's sans-serif face first, as the web engine requires of a stand-in.
// Call before the application object exists.
namespace quillory::ui {

void useSansSerifForMissingFaces();

}  // namespace quillory::ui
