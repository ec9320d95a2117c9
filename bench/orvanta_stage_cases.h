// The stage benchmarks, one set per instruction-set variant: the file
// orvanta_stage_cases.cpp is compiled once for each, in the namespace named
// here (bench/CMakeLists.txt), with that variant's compiler target.
#pragma once

namespace OrvantaChain {
namespace StageBaseline {
void registerStageCases(const char* variant);
}
namespace StageAvx2 {
void registerStageCases(const char* variant);
}
namespace StageAvx512 {
void registerStageCases(const char* variant);
}
}  // namespace OrvantaChain
