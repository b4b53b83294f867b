// Writing a project: the document's values into a Project, and a Project
// into its file.

#include "project_file.h"
#include "project_keys.h"

#include "engine/balance_fields.h"
#include "engine/typed_text.h"
#include "picture/files/atomic_file.h"
#include "picture/files/png_write.h"

#include <QBuffer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

namespace centrafix {
namespace {

namespace k = project_keys;

constexpr Message kCannotWriteProject{"das Projekt kann nicht geschrieben werden (%1)",
                                      "the project cannot be written (%1)"};
constexpr Message kNoPictureToSave{"es ist kein Bild da", "there is no picture"};

QJsonValue Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QJsonValue Optional(const std::optional<double>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

Result<QByteArray> PngBytes(const QImage& picture)
{
    if (picture.isNull())
        return Because(kNoPictureToSave);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (std::optional<Error> failure = WritePng(buffer, picture))
        return *failure;
    return bytes;
}

QJsonArray ColorsArray(const Project& project)
{
    QJsonArray colors;
    for (std::size_t i = 1; i < project.choices.size(); ++i) {
        const std::string_view role = RoleKey(project.balance.roles[i]);
        colors.append(QJsonObject{{k::kTicked, project.choices[i].ticked},
                                  {k::kNotFound, project.choices[i].notFound},
                                  {k::kWeight, project.weights[i]},
                                  {k::kRole, QString::fromUtf8(role.data(), static_cast<qsizetype>(role.size()))},
                                  {k::kHeight, project.balance.heights[i]}});
    }
    return colors;
}

QJsonArray MassesArray(const aero::MassList& masses)
{
    QJsonArray list;
    for (const aero::MassItem& item : masses)
        list.append(QJsonObject{{k::kMassName, Text(item.name)}, {k::kMass, item.mass}, {k::kX, item.x}});
    return list;
}

} // namespace

Project ProjectOf(const Document& document)
{
    const std::string& separator = document.typedSeparator();
    Project project;
    project.picture = document.picture();
    project.pictureName = document.pictureName();
    project.picturePath = document.picturePath();
    project.pictureIsPasted = document.pictureIsPasted();
    project.scaleText = CanonicalNumberText(document.scaleText(), separator);
    project.toleranceText = CanonicalNumberText(document.toleranceText(), separator);
    project.altitudeText = CanonicalNumberText(document.altitudeText(), separator);
    project.machText = CanonicalNumberText(document.machText(), separator);
    project.unit = document.unit();
    project.origin = document.origin();
    for (std::size_t i = 1; i < project.weights.size(); ++i)
        project.weights[i] = document.colorObjects()[i].Weight;
    project.choices = document.colorChoices();
    project.choices[0] = ColorChoice{};
    project.balance = document.balanceSettings();
    project.masses = document.massItems();
    project.advice = document.adviceChoice();
    return project;
}

void ApplyProject(const Project& project, Document& document)
{
    document.setPicture(project.picture, project.pictureName, project.picturePath, project.pictureIsPasted);
    ApplyProjectValues(project, document);
}

void ApplyProjectValues(const Project& project, Document& document)
{
    const std::string& separator = document.typedSeparator();
    document.setScaleText(LocalNumberText(project.scaleText, separator));
    document.setToleranceText(LocalNumberText(project.toleranceText, separator));
    document.setAltitudeText(LocalNumberText(project.altitudeText, separator));
    document.setMachText(LocalNumberText(project.machText, separator));
    document.setUnit(project.unit);
    for (int i = 1; i <= kObjectCount; ++i)
        document.setWeight(i, project.weights[static_cast<std::size_t>(i)]);
    document.setBalanceSettings(project.balance);
    document.setMassItems(project.masses);
    document.setAdviceChoice(project.advice);
    // Exactly as saved: a typed origin keeps its typed position, whatever
    // the scale would make of its pixel.
    document.restoreOrigin(project.origin);
    document.restoreColorChoices(project.choices);
}

Result<QByteArray> ProjectJson(const Project& project)
{
    const Result<QByteArray> png = PngBytes(project.picture);
    if (!png)
        return png.error();
    const aero::BalanceSettings& balance = project.balance;
    const QJsonObject root{
        {k::kFormat, k::kFormatName},
        {k::kVersionKey, k::kVersion},
        {k::kPicture, QJsonObject{{k::kPicturePath, project.picturePath},
                                  {k::kPictureName, project.pictureName},
                                  {k::kPicturePasted, project.pictureIsPasted},
                                  {k::kPicturePng, QString::fromLatin1(png->toBase64())}}},
        {k::kScale, Text(project.scaleText)},
        {k::kUnit, Text(project.unit)},
        {k::kTolerance, Text(project.toleranceText)},
        {k::kAltitude, Text(project.altitudeText)},
        {k::kMach, Text(project.machText)},
        {k::kOrigin, QJsonObject{{k::kColumn, project.origin.column},
                                 {k::kRow, project.origin.row},
                                 {k::kX, project.origin.x},
                                 {k::kY, project.origin.y}}},
        {k::kColors, ColorsArray(project)},
        {k::kBalance, QJsonObject{{k::kMarginLow, balance.marginLow},
                                  {k::kMarginHigh, balance.marginHigh},
                                  {k::kTailEfficiency, balance.tailEfficiency},
                                  {k::kCgX, Optional(balance.typedCgX)}}},
        {k::kMasses, MassesArray(project.masses)},
        {k::kAdvice, QJsonObject{{k::kMoveItem, project.advice.moveItem},
                                 {k::kBallastX, Optional(project.advice.ballastX)}}},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Error> SaveProjectFile(const Document& document, const QString& path)
{
    return SaveProjectFile(ProjectOf(document), path);
}

std::optional<Error> SaveProjectFile(const Project& project, const QString& path)
{
    return WriteFileSafely(path, kCannotWriteProject, [&project](QIODevice& device) -> std::optional<Error> {
        const Result<QByteArray> json = ProjectJson(project);
        if (!json)
            return json.error();
        return WriteAll(device, json->constData(), json->size());
    });
}

bool IsProjectPath(const QString& path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("cfx"), Qt::CaseInsensitive) == 0;
}

} // namespace centrafix
