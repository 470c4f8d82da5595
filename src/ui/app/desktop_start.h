#pragma once
// What the desktop program sets up before its application object exists,
// shared with the tools that show its windows (tools/screenshots), so they
// look as the program does: the process set-up both programs share, the
// font fallback (read by the web engine's helper processes, which inherit
// the environment) and the GL context sharing the web engine requires.
namespace quillory::ui {

void prepareDesktopProcess();

}  // namespace quillory::ui
