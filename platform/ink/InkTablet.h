// Private: pen tablets. Their pen input (with pressure, and the eraser end) goes to the
// collector on the window under the pen, and not to the window as mouse input.
#pragma once

// Starts watching the application's tablet events; once, and only when Qt runs.
void WatchTablets();
