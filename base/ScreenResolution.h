// The display's logical resolution, as every pixel size of the user interface
// is scaled by it (sizes are given for 96 dots per inch).
#pragma once

// The average of the screen's horizontal and vertical logical pixels per inch,
// read once per process; 96 when it cannot be read.
int screenResolution();

// value x screenResolution() / 96, for sizes given at 96 dots per inch.
int scaledForScreen(int value);
