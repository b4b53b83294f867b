#include "friction.h"

#include <cmath>

namespace centrafix::aero {

double Log10(double x)
{
    return std::log(x) / std::log(10.0);
}

std::optional<double> Cf_laminar(double Re_len)
{
    // Also refuses an infinite or NaN Reynolds number: no strip has one, and the
    // result would not be a coefficient anyone could use.
    if (!(Re_len > 0) || !std::isfinite(Re_len))
        return std::nullopt;
    return 1.328 / std::sqrt(Re_len);
}

std::optional<double> Cf_turbulent(double Re_l)
{
    const auto laminar = Cf_laminar(Re_l);
    if (!laminar)
        return std::nullopt;
    double Cf = 1.5 * *laminar;
    // Exactly 25 updates, no convergence test: the established figures are the
    // 25th iterate, also at low Reynolds numbers where the iterates alternate.
    for (int i = 1; i <= 25; ++i) {
        const double argument = Cf * Re_l;
        // A non-positive or non-finite argument has no logarithm to speak of;
        // ln(1) = 0 divides by zero and ends in the check after the step.
        if (!(argument > 0) || !std::isfinite(argument))
            return std::nullopt;
        Cf = std::pow(0.242 / Log10(argument), 2);
        if (!std::isfinite(Cf))
            return std::nullopt;
    }
    return Cf;
}

} // namespace centrafix::aero
