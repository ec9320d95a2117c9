// The instruction-set variant the signal chain's code is compiled for.
//
// The chain's headers are compiled once per variant, each time in its own
// translation unit with its own compiler target (Orvanta_ProcessAvx2.cpp is
// built for AVX2, Orvanta_ProcessAvx512.cpp for AVX-512, everything else for
// the x86-64 baseline). Their inline
// functions are therefore wrapped in an inline namespace named after the
// variant: without it the linker would keep one copy of each inline
// function for all variants, and baseline callers could end up running AVX2
// or AVX-512 instructions. Code outside those translation units sees the baseline.
#pragma once

#ifndef ORVANTA_SIMD_NAMESPACE
#define ORVANTA_SIMD_NAMESPACE Baseline
#endif
