#pragma once

// The progress bar's position: done / total × 100, halves rounded away from zero, kept within
// 0 to 100; 0 while the total size is not known (0, or no finite quotient).
int progressPercent(double done, double total);
