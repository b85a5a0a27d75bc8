// The program's start-up, shared by the executable and the start-up
// benchmark so that what is measured is what ships.
#pragma once

#include <functional>

class MainWindow;

// Refuses a second copy while another copy runs (its box, then 0), else loads the main window and
// runs the event loop. `beforeLoad` sees the window before it is loaded.
int runProgram(const std::function<void(MainWindow &)> &beforeLoad = {});
