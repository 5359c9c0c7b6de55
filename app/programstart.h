#pragma once

#include <functional>

class QWidget;

// The program from start to end: picks the language file from the start-up
// store, builds the planning panel inside its host window, runs the event loop
// and tears everything down in order. Returns the exit code: 1 when there is
// no language file, otherwise the event loop's result. `shown`, when given, is
// called with the host window right after it is first shown; the start-up
// benchmark uses it to watch for the first frame.
int runFenwarde(int &argc, char **argv, const std::function<void(QWidget *)> &shown = nullptr);
