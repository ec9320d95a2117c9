// A forward real-to-complex transform of one fixed length through FFTW,
// with its buffers and plan owned here. Plans are made once per length;
// FFTW's planner is not thread-safe, so a transform is made and used on one
// thread (the analysis runs on the main thread).
#pragma once

#include <complex>
#include <cstdint>
#include <vector>

namespace Analysis {

class RealTransform {
public:
    explicit RealTransform(int64_t length);
    ~RealTransform();
    RealTransform(const RealTransform&) = delete;
    RealTransform& operator=(const RealTransform&) = delete;

    int64_t Length() const { return m_Length; }
    // Bins 0 to Length()/2 of the transform of input[n] * window[n];
    // input and window hold Length() values.
    void Forward(const double* input, const std::vector<double>& window, std::vector<std::complex<double>>* bins);

private:
    int64_t m_Length;
    double* m_Input;
    void* m_Output;  // fftw_complex[Length()/2 + 1]
    void* m_Plan;    // fftw_plan
};

// Periodic windows (their period is the transform length, so a tone with a
// whole number of cycles falls into a fixed number of bins).
// Hann: the tone occupies its bin and one on each side.
std::vector<double> HannWindow(int64_t length);
// Four-term Blackman-Harris: three bins on each side, sidelobes at -92 dB.
std::vector<double> BlackmanHarrisWindow(int64_t length);
constexpr int64_t kBlackmanHarrisHalfWidth = 3;

}  // namespace Analysis
