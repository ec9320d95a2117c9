// The stages of the stereo chain, one set per instruction-set variant: the
// file orvanta_stage_cases.cpp is compiled once for each, in a namespace of
// its own (bench/CMakeLists.txt), with that variant's compiler target.
// The timing loop and everything else of the benchmark library stay in the
// baseline code of orvanta_bench.cpp, so no shared inline function of the
// program is ever built for a wider instruction set than its caller's.
#pragma once

namespace OrvantaChain {

struct StageSet {
    int count;
    const char* const* names;
    // Runs stage `stage` (0 .. count - 1) once over one run of samples.
    void (*run)(int stage);
    // Samples per channel in one run.
    int samplesPerRun;
};

// Each variant's stages, defined in that variant's object (named there by
// ORVANTA_STAGE_SET): plain functions, so no variant namespace is opened
// here, before the object opens its own as inline.
StageSet stageSetBaseline();
StageSet stageSetAvx2();
StageSet stageSetAvx512();

}  // namespace OrvantaChain
