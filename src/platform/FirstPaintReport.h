#pragma once
// Measures the start: with QUIMBLE_REPORT_FIRST_PAINT=1 in the environment, the first full paint of the
// editor screen prints the milliseconds since the process started and the peak resident memory so far on
// standard output, and the program ends there. Without it, nothing happens.

void ReportFirstPaint();
// The peak resident memory of this process so far in MB (VmHWM of /proc/self/status), or -1 when /proc
// cannot tell.
double PeakResidentMb();
