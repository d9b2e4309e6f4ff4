#pragma once
// The heap of a program that runs for months. Work in passing (a report, a
// reading of the day's logfile, a forecast) runs on threads that come and
// go; with a heap of its own for each, the memory they free stays behind in
// those heaps and the resident size creeps up day by day. So the program
// keeps two heaps, and gives freed memory back after such work.
namespace FreedMemory {

// At the start of main, before any thread.
void limitHeaps();
// After work in passing has freed its memory.
void giveBack();

} // namespace FreedMemory
