#pragma once

// The guide's pictures, in the order the steps make them. Each group starts
// from whatever the one before left open and loads what it needs itself.

namespace centrafix::guide {

class Stage;

// Every name the guides refer to, in both languages.
inline constexpr const char* kShotNames[] = {
    "first-start",  "example-analyzed", "results-grid",   "loading-chart",     "plan-page-dialog", "straighten",
    "scale-line",   "fill-outlines",    "balance-panel",  "mass-panel",        "report-first-page", "report-true-size",
    "clean-up",     "map-colour",       "colour-not-found", "about"};

// The built-in example: first-start, example-analyzed, results-grid,
// loading-chart; a painted glider: colour-not-found.
void ShootExample(Stage& stage);
// Help › About.
void ShootAbout(Stage& stage);
// The photo: straighten, clean-up, map-colour.
void ShootPhoto(Stage& stage);
// The PDF plan to numbers: plan-page-dialog, scale-line, fill-outlines,
// balance-panel, mass-panel; then its report: report-first-page,
// report-true-size.
void ShootPlan(Stage& stage);
void ShootReport(Stage& stage);

} // namespace centrafix::guide
