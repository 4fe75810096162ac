#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Confines the reader process before it reads a byte of the drawing: it dies
// with the program that started it, may take `memoryBytes` of address space
// beyond what it holds now and `cpuSeconds` of processor time, writes no file
// (not even a core dump) and, where the kernel offers Landlock, opens no file
// but its standard input. False when a limit could not be set.
bool confineReader(std::size_t memoryBytes, int cpuSeconds);

// What the DWG reader may open once confined: the files and folders it only
// reads, and the programs it runs (node and its loader).
struct ReadableFiles {
    std::vector<std::string> read;
    std::vector<std::string> execute;
};

// Confines the DWG reader before it becomes node; the limits hold across the
// exec. As the reader above, but memory is bounded by what the process may
// fill (`dataBytes` of writable memory): V8 reserves many times that in
// address space for WebAssembly, which costs nothing until it is written.
// With Landlock it opens nothing but what `files` names.
bool confineNodeReader(std::size_t dataBytes, int cpuSeconds, const ReadableFiles& files);
