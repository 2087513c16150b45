#pragma once
// Reaching the set of pixel kernels chosen at run time.

#include "composition/ScalarKernels.h"
#include "composition/Sse2Kernels.h"

// Calls f with a value of the class of set (one of KernelSets()), whose kernels f reaches as static
// functions of its argument's type.
template <class F> decltype(auto) WithKernels(KernelSet set, F&& f) {
#if defined(__SSE2__)
    if (set == KernelSet::Sse2)
        return f(CSse2Kernels{});
#endif
    (void)set;
    return f(CScalarKernels{});
}
