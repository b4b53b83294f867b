#include "picture/files/balance_json.h"

#include "engine/balance_fields.h"

#include <QJsonArray>
#include <QLocale>

namespace centrafix {
namespace {

QString Joined(const std::vector<int>& objects, const auto& nameOf)
{
    QStringList parts;
    for (int i : objects)
        parts << nameOf(static_cast<std::size_t>(i));
    return parts.join(QLatin1Char('+'));
}

QJsonObject SurfaceJson(const aero::SurfaceBalance& s, const ColorObjectTable& objects)
{
    const aero::SurfaceGeometry& g = s.geometry;
    const std::string_view role = RoleKey(s.role);
    return QJsonObject{
        {"colour", Joined(s.objects, [](std::size_t i) { return QString(ColourKey(i)); })},
        {"name", Joined(s.objects, [&](std::size_t i) { return QString::fromStdString(objects[i].Name); })},
        {"role", QString::fromUtf8(role.data(), static_cast<qsizetype>(role.size()))},
        {"area", g.area},
        {"span", g.span},
        {"aspect_ratio", g.aspectRatio},
        {"mac", g.mac},
        {"mac_x_le", g.macLeadX},
        {"mac_y", g.macY},
        {"sweep_c4_deg", g.sweepQuarterDeg},
        {"cl_alpha", s.clAlpha},
        {"lift_share", s.liftShare},
    };
}

QJsonObject BalanceObject(const aero::Balance& b, const ColorObjectTable& objects)
{
    const aero::SurfaceGeometry& wing = b.wing().geometry;
    QJsonArray surfaces;
    for (const aero::SurfaceBalance& s : b.surfaces)
        surfaces.append(SurfaceJson(s, objects));
    QJsonObject balance{
        {"neutral_point_x", b.neutralPointX},
        {"cl_alpha", b.clAlpha},
        {"panels", b.panels},
        {"mac", wing.mac},
        {"mac_x_le", wing.macLeadX},
        {"mac_y", wing.macY},
        {"root_le_x", wing.rootLeadX},
        {"static_margin", QJsonArray{b.marginLow, b.marginHigh}},
        {"cg_forward_x", b.range.forwardX},
        {"cg_aft_x", b.range.aftX},
        {"cg_forward_behind_root_le", b.range.forwardBehindRootLead},
        {"cg_aft_behind_root_le", b.range.aftBehindRootLead},
        {"estimate", QJsonObject{{"neutral_point_x", b.estimate.neutralPointX},
                                 {"cl_alpha", b.estimate.wingClAlpha},
                                 {"downwash_gradient", b.estimate.downwashGradient}}},
        {"surfaces", surfaces},
    };
    if (b.typedCgX && b.typedCgMargin) {
        balance["cg_typed_x"] = *b.typedCgX;
        balance["cg_typed_static_margin"] = *b.typedCgMargin;
    }
    return balance;
}

// The CSV's balance columns: the JSON key, and where to find its value.
struct BalanceColumn {
    const char* name;
    const char* key;
    const char* inner; // a key inside `key`, or null
    int index;         // an entry of an array, or -1
};

constexpr BalanceColumn kColumns[] = {
    {"balance_neutral_point_x", "neutral_point_x", nullptr, -1},
    {"balance_cl_alpha", "cl_alpha", nullptr, -1},
    {"balance_mac", "mac", nullptr, -1},
    {"balance_mac_x_le", "mac_x_le", nullptr, -1},
    {"balance_mac_y", "mac_y", nullptr, -1},
    {"balance_root_le_x", "root_le_x", nullptr, -1},
    {"balance_static_margin_low", "static_margin", nullptr, 0},
    {"balance_static_margin_high", "static_margin", nullptr, 1},
    {"balance_cg_forward_x", "cg_forward_x", nullptr, -1},
    {"balance_cg_aft_x", "cg_aft_x", nullptr, -1},
    {"balance_estimate_neutral_point_x", "estimate", "neutral_point_x", -1},
    // Where a mass list was weighed; empty otherwise.
    {"balance_cg_x", "cg_x", nullptr, -1},
    {"balance_cg_static_margin", "cg_static_margin", nullptr, -1},
};

// The advice as scripts read it: the item moved (its name, the shift and its
// new x) or the ballast (its mass and x), and the C.G. it gives; null where
// the C.G. is inside the range. Where the chosen change cannot help, the
// object says so in "cannot_help" and has no resulting C.G.
QJsonValue AdviceJson(const WeighedRun& run)
{
    const aero::WeightAdvice& a = run.weighed.advice;
    const auto name = [&] {
        return a.item >= 0 && static_cast<std::size_t>(a.item) < run.items.size()
                   ? QString::fromStdString(run.items[static_cast<std::size_t>(a.item)].name)
                   : QString();
    };
    switch (a.kind) {
    case aero::AdviceKind::None: break;
    case aero::AdviceKind::MoveItem:
        return QJsonObject{{"item", name()}, {"shift", a.shift}, {"x", a.x}, {"cg_x", a.cgX}};
    case aero::AdviceKind::Ballast:
        return QJsonObject{{"ballast_mass", a.ballastMass}, {"ballast_x", a.x}, {"cg_x", a.cgX}};
    case aero::AdviceKind::BallastCannotHelp:
        return QJsonObject{{"ballast_x", a.x}, {"cannot_help", true}, {"cg_x", QJsonValue(QJsonValue::Null)}};
    case aero::AdviceKind::ItemCannotHelp:
        return QJsonObject{{"item", name()}, {"cannot_help", true}, {"cg_x", QJsonValue(QJsonValue::Null)}};
    }
    return QJsonValue(QJsonValue::Null);
}

void AddWeighedJson(QJsonObject& balance, const WeighedRun& run)
{
    balance["total_mass"] = run.weighed.totalMass;
    balance["cg_x"] = run.weighed.cgX;
    balance["cg_static_margin"] = run.weighed.staticMargin;
    balance["cg_inside"] = run.weighed.inside;
    balance["advice"] = AdviceJson(run);
}

} // namespace

void AddBalanceJson(QJsonObject& root, const ResultFacts& facts)
{
    const AnalysisResult& result = facts.result;
    if (result.balance) {
        QJsonObject balance = BalanceObject(*result.balance, facts.objects);
        if (facts.weighed)
            AddWeighedJson(balance, *facts.weighed);
        root["balance"] = balance;
    } else if (result.noBalance) {
        root["balance"] = QJsonValue(QJsonValue::Null);
        const std::string_view reason = Tr(*result.noBalance, facts.inputs.languageIndex);
        root["balance_reason"] = QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
    }
}

QStringList BalanceCsvColumns()
{
    QStringList names;
    for (const BalanceColumn& column : kColumns)
        names << QLatin1String(column.name);
    return names;
}

QStringList BalanceCsvValues(const QJsonObject& json)
{
    const QJsonObject balance = json["balance"].toObject();
    QStringList values;
    for (const BalanceColumn& column : kColumns) {
        QJsonValue value = balance[QLatin1String(column.key)];
        if (column.inner)
            value = value[QLatin1String(column.inner)];
        if (column.index >= 0)
            value = value[column.index];
        values << (value.isDouble() ? QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest)
                                    : QString());
    }
    return values;
}

} // namespace centrafix
