#include "batch_output.h"

#include "engine/results_grid.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace centrafix {
namespace {

QString GridText(const BatchOptions& options, const AnalysisResult& result)
{
    return QString::fromStdString(
        CopyTableText(GridHeaderText(options.inputs.languageIndex), result.gridRows));
}

// A drag coefficient, or null where the estimate has none.
QJsonValue Coefficient(const AnalysisResult& result, double DragCoefficients::*which)
{
    if (result.drag && result.drag->ok())
        return result.drag->value().*which;
    return QJsonValue(QJsonValue::Null);
}

} // namespace

QByteArray TextReport(const BatchOptions& options, const AnalysisResult& result)
{
    return (GridText(options, result) + "\r\n\r\n" + QString::fromStdString(result.report)).toUtf8();
}

QByteArray JsonReport(const BatchOptions& options, const AnalysisInputs& inputs, const RunSetup& setup,
                      const ColorObjectTable& objects, const AnalysisResult& result)
{
    const RunValues& v = result.values;
    QJsonObject root;
    root["picture"] = QJsonObject{{"width", v.width}, {"height", v.height}};
    root["tolerance"] = setup.Tolerance;
    root["scale_factor"] = setup.ScaleFactor;
    root["origin"] = QJsonObject{{"column", options.originColumn},
                                 {"row", options.originRow},
                                 {"x", inputs.OriginX},
                                 {"y", inputs.OriginY}};
    QJsonArray list;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const ColorObject& o = objects[i];
        list.append(QJsonObject{
            {"index", static_cast<int>(i)},
            {"name", QString::fromStdString(o.Name)},
            {"found", i == 0 ? o.Area > 0.0 : o.Found},
            {"area", o.Area},
            {"area_percent", o.AreaPercent},
            {"cg_x", v.CGPoint[i].x},
            {"cg_y", v.CGPoint[i].y},
            {"ac_x", v.ACPoint[i].x},
            {"outline", o.Outline},
            {"ref_length", o.RefLength},
            {"weight", o.Weight},
        });
    }
    root["objects"] = list;
    root["grid"] = GridText(options, result);
    root["report"] = QString::fromStdString(result.report);
    root["cd_lam"] = Coefficient(result, &DragCoefficients::CD_lam);
    root["cd_turb"] = Coefficient(result, &DragCoefficients::CD_turb);
    if (result.drag && !result.drag->ok())
        root["cd_error"] = QString::fromStdString(ErrorText(result.drag->error(), options.inputs.languageIndex));
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace centrafix
