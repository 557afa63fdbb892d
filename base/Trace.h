// Timing marks for the benchmarks, off unless asked for: when the environment
// variable QUILLET_TRACE names a file, every mark appends one line
// "<QueryPerformanceCounter ticks> <name>" to it, so that a program watching
// from outside can put the moments only this program knows on its own clock.
#pragma once

void traceMark(const char* name);
