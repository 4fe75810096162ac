#pragma once

#include <cstddef>

// Confines the reader process before it reads a byte of the drawing: it dies
// with the program that started it, may take `memoryBytes` of address space
// beyond what it holds now and `cpuSeconds` of processor time, writes no file
// (not even a core dump) and, where the kernel offers Landlock, opens no file
// but its standard input. False when a limit could not be set.
bool confineReader(std::size_t memoryBytes, int cpuSeconds);
