#include "batch_option_set.h"

#include "picture_list.h"
#include "worker_count.h"

#include "engine/defaults.h"
#include "picture/formats/plan_document.h"

#include <string_view>

namespace centrafix {
namespace {

QString Default(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

BatchOptionSet::BatchOptionSet(QCommandLineParser& parser)
    : help(parser.addHelpOption()),
      version(parser.addVersionOption()),
      scale({"s", "scale"}, "Length units per pixel, a number or expression.", "TEXT", Default(defaults::kScaleText)),
      unit("unit",
           "Name of the length unit (\"mm\"): shown after the scaled size in the report, in the JSON and in the CSV "
           "table. mm, cm, m, in and ft (also written out or in German) give the drag estimate its meters; "
           "without one of them the scale is taken as meters per pixel.",
           "NAME"),
      scaleFrom("scale-from",
                "Scale from a known length instead of --scale: LENGTH (a number or expression) divided by the "
                "distance between the centers of pixels X1,Y1 and X2,Y2.",
                "X1,Y1,X2,Y2=LENGTH"),
      tolerance({"t", "tolerance"}, "Color tolerance, a number or expression.", "TEXT",
                Default(defaults::kToleranceText)),
      page("page", "The page of a PDF to measure, from 1. Default: 1.", "N", QString::number(defaults::kPlanPage)),
      dpi("dpi",
          QStringLiteral("The resolution a PDF page or SVG drawing is drawn at, in dots per inch (above 0, at most "
                         "%1). The scale still comes from --scale or --scale-from. Default: %2.")
              .arg(kMaxPlanDpi)
              .arg(defaults::kPlanDpi),
          "D", QString::number(defaults::kPlanDpi)),
      cleanUp("clean-up",
              "Before measuring, snap every pixel near one of the seven colors or white onto it "
              "(for scans, anti-aliased or compressed pictures)."),
      cleanUpThreshold("clean-up-threshold",
                       QStringLiteral("How near a pixel must be to be snapped (sum of the RGB distances); implies "
                                      "--clean-up. Default: %1.")
                           .arg(Default(defaults::kCleanUpThresholdText)),
                       "T", Default(defaults::kCleanUpThresholdText)),
      origin("origin", "Origin as pixel column and row.", "X,Y", "0,0"),
      colors("colors",
             "Colors to analyze: names (either language) or numbers 1-7, comma-separated. Default: all seven.", "LIST"),
      weights("weights", "The seven color weights (Efficiency), comma-separated.", "W1,...,W7"),
      roles("roles",
            "Role of colors in the balance: COLOR=ROLE, comma-separated, may be repeated; ROLE is wing, tail, canard, "
            "fuselage or other (or the German names). Colors not named keep their role. Default: red=wing,blue=tail,"
            "black=fuselage, the others other.",
            "LIST"),
      height("height",
             "Height of a lifting color above the wing plane in length units (negative: below): COLOR=HEIGHT, "
             "comma-separated, may be repeated. Default: 0.",
             "LIST"),
      staticMargin("static-margin",
                   "Static margins of the C.G. range in percent of the wing's mean aerodynamic chord, LOW,HIGH "
                   "(-50 to 100). Default: 5,15.",
                   "LOW,HIGH"),
      tailEfficiency("tail-efficiency",
                     "Tail efficiency (dynamic pressure ratio) of the balance's textbook estimate, above 0 and at "
                     "most 2. Default: 0.9.",
                     "ETA"),
      cg("cg", "A C.G. position (x in length units from the origin) whose static margin the balance gives.", "X"),
      language("language", "Language of names and texts: de or en.", "de|en", "en"),
      altitude("altitude", "Altitude in meters for the drag estimate.", "TEXT", Default(defaults::kAltitudeText)),
      mach("mach", "Mach number for the drag estimate.", "TEXT", Default(defaults::kMachText)),
      loadingTable("loading-table",
                   "Write the spanwise loading table to FILE (\"-\": standard output, instead of the results).",
                   "FILE"),
      json("json", "Print one JSON object instead of the text."),
      annotated("annotated",
                "Write the picture as the window shows it after the run (origin mark, A.C. and C.G. markers with "
                "labels) to FILE as PNG.",
                "FILE"),
      showAC("show-ac", "With --annotated: mark the A.C. of every found color, not only of the total."),
      showCG("show-cg", "With --annotated: mark the C.G. of the total and of every found color."),
      chart("chart",
            "Write the chart of the spanwise loading (summed chord and the four normalized loadings against Eta) to "
            "FILE, as PNG or SVG by its extension.",
            "FILE"),
      report("report",
             "Write a printable report to FILE as PDF: the annotated picture, the results grid, the report and the "
             "balance on page 1, then, where the unit is a length (mm, cm, m, in, ft), the planform at true size "
             "over as many pages as it takes.",
             "FILE"),
      paper("paper", "Paper of the report: a4 or letter. Default: the locale's (letter in the US and Canada).",
            "a4|letter"),
      filesFrom("files-from",
                QStringLiteral("Analyze the pictures FILE names, one a line (\"-\": standard input). A line holds at "
                               "most %1 bytes, a list at most %2 MiB, a run at most %3 pictures.")
                    .arg(kMaxListLineBytes)
                    .arg(kMaxListBytes >> 20)
                    .arg(kMaxPictures),
                "FILE"),
      csv("csv", "Write one CSV table of every picture's objects and totals to FILE (\"-\": standard output).", "FILE"),
      jobs({"j", "jobs"},
           QStringLiteral("Analyze N pictures at a time (1 to 1024). Default and most: one per core, and one per "
                          "%1 MB of available memory; a larger N is lowered, with a note on stderr.")
               .arg(kWorkerBaseBytes >> 20),
           "N"),
      worker("batch-worker", "Run as a worker of the batch command.", "FORMAT"),
      saveProject("save-project",
                  "Write the run's work as a Centrafix project (.cfx) to FILE: the picture as measured (after the "
                  "plan steps) and every value the options and the project gave, for the window to open.",
                  "FILE")
{
    parser.setApplicationDescription(
        "Analyzes flat-colored planform pictures exactly as the Analyze button does and prints\n"
        "the results grid (tab-separated, as \"Copy Table\" gives it) and the report.\n"
        "Without PICTURE the built-in example is analyzed. With several pictures (or \"-\" for a\n"
        "list on standard input) each one's text follows a line naming it, --json prints one\n"
        "JSON object a line, and --csv writes one table; a picture that cannot be analyzed is\n"
        "named on stderr and the others go on.\n"
        "A project (.cfx) saved by the window is analyzed as saved: its picture and values, each\n"
        "option given on the command line standing in for the project's value.");
    parser.addPositionalArgument("picture",
                                 "Picture files (BMP, PNG, JPEG, GIF, TIFF, WMF), plans (PDF, SVG) or one project (.cfx).",
                                 "[PICTURE...]");
    worker.setFlags(QCommandLineOption::HiddenFromHelp);
    for (const QCommandLineOption* o : {&scale,
                                        &scaleFrom,
                                        &unit,
                                        &tolerance,
                                        &page,
                                        &dpi,
                                        &cleanUp,
                                        &cleanUpThreshold,
                                        &origin,
                                        &colors,
                                        &weights,
                                        &roles,
                                        &height,
                                        &staticMargin,
                                        &tailEfficiency,
                                        &cg,
                                        &language,
                                        &altitude,
                                        &mach,
                                        &loadingTable,
                                        &json,
                                        &annotated,
                                        &showAC,
                                        &showCG,
                                        &chart,
                                        &report,
                                        &paper,
                                        &filesFrom,
                                        &csv,
                                        &jobs,
                                        &saveProject,
                                        &worker})
        parser.addOption(*o);
    plan.addTo(parser);
    masses.addTo(parser);
}

} // namespace centrafix
