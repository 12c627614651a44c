#include "InverseRealFft.h"

InverseRealFft::InverseRealFft(int length) : n(length)
{
    input = fftw_alloc_complex(static_cast<size_t>(lineCount()));
    output = fftw_alloc_real(static_cast<size_t>(n));
    plan = fftw_plan_dft_c2r_1d(n, input, output, FFTW_ESTIMATE);
}

InverseRealFft::~InverseRealFft()
{
    fftw_destroy_plan(plan);
    fftw_free(output);
    fftw_free(input);
}

std::complex<double> *InverseRealFft::lines()
{
    // fftw_complex is layout-compatible with std::complex<double> (FFTW manual, section 4.1.1).
    return reinterpret_cast<std::complex<double> *>(input);
}

void InverseRealFft::run()
{
    fftw_execute(plan);
}
