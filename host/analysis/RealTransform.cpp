#include "RealTransform.h"

#include <fftw3.h>

#include <cmath>
#include <cstring>

namespace Analysis {

RealTransform::RealTransform(int64_t length)
    : m_Length(length),
      m_Input(fftw_alloc_real(static_cast<size_t>(length))),
      m_Output(fftw_alloc_complex(static_cast<size_t>(length / 2 + 1))) {
    // FFTW_ESTIMATE leaves the buffers alone and keeps plan-making quick;
    // the transforms are few and long, so a measured plan would not pay off.
    m_Plan = fftw_plan_dft_r2c_1d(static_cast<int>(length), m_Input, static_cast<fftw_complex*>(m_Output),
                                  FFTW_ESTIMATE);
}

RealTransform::~RealTransform() {
    fftw_destroy_plan(static_cast<fftw_plan>(m_Plan));
    fftw_free(m_Output);
    fftw_free(m_Input);
}

void RealTransform::Forward(const double* input, const std::vector<double>& window,
                            std::vector<std::complex<double>>* bins) {
    for (int64_t n = 0; n < m_Length; ++n) m_Input[n] = input[n] * window[n];
    fftw_execute(static_cast<fftw_plan>(m_Plan));
    const fftw_complex* output = static_cast<const fftw_complex*>(m_Output);
    bins->resize(static_cast<size_t>(m_Length / 2 + 1));
    for (size_t k = 0; k < bins->size(); ++k) (*bins)[k] = {output[k][0], output[k][1]};
}

namespace {
std::vector<double> CosineSumWindow(int64_t length, const std::vector<double>& terms) {
    std::vector<double> window(static_cast<size_t>(length));
    for (int64_t n = 0; n < length; ++n) {
        double value = 0.0, sign = 1.0;
        for (size_t t = 0; t < terms.size(); ++t, sign = -sign)
            value += sign * terms[t] * std::cos(2.0 * M_PI * double(t) * double(n) / double(length));
        window[n] = value;
    }
    return window;
}
}  // namespace

std::vector<double> HannWindow(int64_t length) { return CosineSumWindow(length, {0.5, 0.5}); }

std::vector<double> BlackmanHarrisWindow(int64_t length) {
    return CosineSumWindow(length, {0.35875, 0.48829, 0.14128, 0.01168});
}

}  // namespace Analysis
