// The built-in example as the window shows it at first start, after
// Analyze, its results, its loading chart; a painted picture with a colour
// ticked that it lacks; and Help › About.

#include "shots.h"
#include "stage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTableWidget>
#include <QTabWidget>
#include <QWindow>

namespace centrafix::guide {

namespace {

QWidget* TopLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name) && widget->isVisible())
            return widget;
    return nullptr;
}

void ShootLoadingChart(Stage& stage)
{
    stage.step("loading-chart");
    stage.trigger("actLoadingChart");
    QWidget* chart = nullptr;
    stage.waitUntil([&] { return (chart = TopLevel("LoadingChart")) != nullptr; }, 10'000,
                    QStringLiteral("the loading chart window"));
    // A window of its own: it reads better alone, at a size of its own.
    chart->resize(900, 560);
    stage.settle();
    stage.save("loading-chart", chart->grab().toImage());
    chart->close();
    stage.settle();
}

void ShootColourNotFound(Stage& stage)
{
    stage.step("colour-not-found");
    GuideWindow& window = stage.window();
    window.fileToOpen = stage.example(QStringLiteral("glider-a.png"));
    stage.trigger("actOpen");
    stage.waitForWork();
    // Every colour ticked: the glider has red, blue and black, so green,
    // yellow, cyan and magenta are looked for and not found.
    auto* list = stage.find<QTableWidget>("theListView");
    for (int row = 0; row < list->rowCount(); ++row)
        list->item(row, 0)->setCheckState(Qt::Checked);
    stage.trigger("actAnalyze");
    stage.waitForWork();
    int unticked = 0;
    for (int row = 0; row < list->rowCount(); ++row)
        unticked += list->item(row, 0)->checkState() == Qt::Unchecked ? 1 : 0;
    if (unticked != 4)
        stage.fail(QStringLiteral("%1 colours lost their tick, not the 4 the glider lacks").arg(unticked));
    stage.save("colour-not-found", stage.grabParts({list}));
}

} // namespace

void ShootExample(Stage& stage)
{
    stage.step("first-start");
    GuideWindow& window = stage.window();
    stage.waitUntil([&] { return window.isVisible() && window.windowHandle() != nullptr && window.windowHandle()->isExposed(); }, 10'000,
                    QStringLiteral("the window showing"));
    stage.save("first-start", stage.grabWindow());

    stage.step("example-analyzed");
    stage.trigger("actAnalyze");
    stage.waitForWork();
    auto* grid = stage.find<QTableWidget>("grdResults");
    if (grid->rowCount() < 2)
        stage.fail(QStringLiteral("the results grid has %1 rows").arg(grid->rowCount()));
    stage.save("example-analyzed", stage.grabWindow());

    stage.step("results-grid");
    stage.save("results-grid", stage.grabParts({grid, stage.find<QTabWidget>("reportTabs")}));

    ShootLoadingChart(stage);
    if (stage.wanted("colour-not-found"))
        ShootColourNotFound(stage);
}

// The box is not modal (the window stays usable behind it): it is found by
// its name once it shows.
void ShootAbout(Stage& stage)
{
    stage.step("about");
    stage.trigger("actAbout");
    QMessageBox* about = nullptr;
    stage.waitUntil(
        [&] {
            about = stage.window().findChild<QMessageBox*>(QStringLiteral("aboutBox"));
            return about != nullptr && about->isVisible();
        },
        10'000, QStringLiteral("the About box"));
    if (!about->text().contains(QStringLiteral(CENTRAFIX_VERSION)))
        stage.fail(QStringLiteral("the About box does not name the version"));
    stage.save("about", stage.grabWithPopup(about));
    about->close();
    stage.settle();
}

} // namespace centrafix::guide
