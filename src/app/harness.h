#pragma once

namespace reef {

class CMainFrame;

// Builds the program's frame, view and scene as the program does, but without the locks and
// without running the event loop, so drawing tests and benchmarks can drive frames themselves.
// Needs an X display. Returns nothing when wxWidgets cannot start or the view got no OpenGL
// context (the reason is printed).
CMainFrame* StartHarness(int& argc, char** argv);

// Lets wxWidgets handle what is queued (sizes, paints, timer ticks).
void ProcessPendingEvents();

// Closes the frame and shuts wxWidgets down.
void StopHarness(CMainFrame* frame);

}  // namespace reef
