/* Exits with 0 when this processor and its operating system can run the
   AVX-512 variant of the process callbacks (the features that
   effect/dsp/Orvanta_ProcessAvx512.cpp asks for), else 1. Run once when the
   build is configured. */
int main(void) {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
                   __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512bw")
               ? 0
               : 1;
}
