#pragma once
// Memory services the pictures need of the system.

#include <cstddef>
#include <cstdint>

// Maps every page of a freshly allocated large block at once, ready to be written, so that filling it
// does not take one page fault per page (each one costly, on a virtual machine above all). Only a hint:
// small blocks are left alone, and a system that cannot do it changes nothing.
void PrefaultMemory(void* block, std::size_t size);

// The machine's physical memory in bytes; 0 when the system does not say.
std::uint64_t PhysicalMemorySize();
