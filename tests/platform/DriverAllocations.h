// Tests that open real OpenGL contexts hold one of these meanwhile: Mesa's driver loader keeps a
// few allocations for the whole process, which the leak checker would report without a frame of
// ours. One window per test program, never closed, keeps the rest of its allocations out of the
// report (see RenderTestKit.h).
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
using CDriverAllocations = __lsan::ScopedDisabler;
#else
struct CDriverAllocations {};
#endif
