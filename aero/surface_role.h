#pragma once

namespace centrafix::aero {

// What a colour stands for in the balance. Wing, tail and canard lift; the
// fuselage only carries the drawn C.G. band; other is left out.
enum class SurfaceRole { Wing, Tail, Canard, Fuselage, Other };

constexpr bool IsLifting(SurfaceRole role)
{
    return role == SurfaceRole::Wing || role == SurfaceRole::Tail || role == SurfaceRole::Canard;
}

} // namespace centrafix::aero
