// Reading a project file back: every key checked, nothing taken from a file
// that is wrong anywhere.

#include "project_file.h"
#include "project_keys.h"

#include "engine/balance_fields.h"
#include "picture/picture_source.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <cmath>
#include <cstring>

namespace centrafix {
namespace {

namespace k = project_keys;

constexpr Message kCannotRead{"das Projekt kann nicht gelesen werden (%1)", "the project cannot be read (%1)"};
constexpr Message kNotJson{"ist keine Projektdatei: kein gültiges JSON (%1 bei Zeichen %2)",
                           "is no project file: not valid JSON (%1 at character %2)"};
constexpr Message kNotAProject{"ist kein Centrafix-Projekt (\"format\" ist nicht \"%1\")",
                               "is no Centrafix project (\"format\" is not \"%1\")"};
constexpr Message kBadVersion{"hat keine gültige Formatversion (\"version\" muss eine ganze Zahl ab 1 sein)",
                              "has no valid format version (\"version\" must be a whole number from 1)"};
constexpr Message kNewerVersion{
    "Dieses Projekt wurde mit Formatversion %1 geschrieben; dieses Centrafix liest bis Version %2.",
    "This project was written by format version %1; this Centrafix reads up to version %2."};
constexpr Message kMissingKey{"beschädigtes Projekt: \"%1\" fehlt", "damaged project: \"%1\" is missing"};
constexpr Message kWrongKey{"beschädigtes Projekt: \"%1\" muss %2 sein", "damaged project: \"%1\" must be %2"};
constexpr Message kANumber{"eine endliche Zahl", "a finite number"};
constexpr Message kAText{"ein Text", "a text"};
constexpr Message kTrueOrFalse{"true oder false", "true or false"};
constexpr Message kAnObject{"ein Objekt", "an object"};
constexpr Message kAList{"eine Liste", "a list"};
constexpr Message kSevenColors{"eine Liste von 7 Farben", "a list of 7 colors"};
constexpr Message kARole{"eine Rolle (wing, tail, canard, fuselage, other)",
                         "a role (wing, tail, canard, fuselage, other)"};
constexpr Message kAnItemOrNone{"-1 oder die Nummer eines Eintrags der Massenliste (ab 0)",
                                "-1 or the number of an item of the mass list (from 0)"};
constexpr Message kBadPicture{"beschädigtes Projekt: das eingebettete Bild ist unlesbar (%1)",
                              "damaged project: the embedded picture cannot be read (%1)"};
constexpr Message kNotBase64{"kein gültiges Base64", "not valid Base64"};
constexpr Message kNotPng{"kein PNG", "not a PNG"};
constexpr Message kPictureGone{
    "die Bilddatei %1 gibt es nicht mehr; das im Projekt gespeicherte Bild wird verwendet.",
    "the picture file %1 no longer exists; the picture saved in the project is used."};
constexpr Message kPictureDiffers{
    "die Bilddatei %1 ist nicht das im Projekt gespeicherte Arbeitsbild; das gespeicherte wird verwendet.",
    "the picture file %1 is not the working picture saved in the project; the saved one is used."};

// Reads keys of one JSON object tree, keeping the first fault: once one is
// found every later read gives a default and the caller returns the fault.
// A key added in a later version than the file's takes its default.
class KeyReader {
public:
    KeyReader(std::string subject, int version) : m_subject(std::move(subject)), m_version(version) {}

    const std::optional<Error>& fault() const { return m_fault; }

    // The value under `key`, or nothing (the fault set, unless the file's
    // version predates the key: `since`).
    std::optional<QJsonValue> value(const QJsonObject& object, const QString& path, const char* key, int since = 1)
    {
        if (m_fault)
            return std::nullopt;
        const auto found = object.find(QLatin1String(key));
        if (found == object.end()) {
            if (m_version >= since)
                fail(kMissingKey, path + key, nullptr);
            return std::nullopt;
        }
        return *found;
    }

    void number(const QJsonObject& o, const QString& path, const char* key, double& into, int since = 1)
    {
        if (const std::optional<QJsonValue> v = value(o, path, key, since)) {
            if (v->isDouble() && std::isfinite(v->toDouble()))
                into = v->toDouble();
            else
                fail(kWrongKey, path + key, &kANumber);
        }
    }

    // A number or null (none).
    void optionalNumber(const QJsonObject& o, const QString& path, const char* key, std::optional<double>& into,
                        int since = 1)
    {
        if (const std::optional<QJsonValue> v = value(o, path, key, since)) {
            if (v->isNull())
                into.reset();
            else if (v->isDouble() && std::isfinite(v->toDouble()))
                into = v->toDouble();
            else
                fail(kWrongKey, path + key, &kANumber);
        }
    }

    void text(const QJsonObject& o, const QString& path, const char* key, QString& into, int since = 1)
    {
        if (const std::optional<QJsonValue> v = value(o, path, key, since)) {
            if (v->isString())
                into = v->toString();
            else
                fail(kWrongKey, path + key, &kAText);
        }
    }

    void text(const QJsonObject& o, const QString& path, const char* key, std::string& into, int since = 1)
    {
        QString read = QString::fromStdString(into);
        text(o, path, key, read, since);
        into = read.toStdString();
    }

    void flag(const QJsonObject& o, const QString& path, const char* key, bool& into, int since = 1)
    {
        if (const std::optional<QJsonValue> v = value(o, path, key, since)) {
            if (v->isBool())
                into = v->toBool();
            else
                fail(kWrongKey, path + key, &kTrueOrFalse);
        }
    }

    // An object (empty when missing from an older version or faulty).
    QJsonObject object(const QJsonObject& o, const QString& path, const char* key, int since = 1)
    {
        if (const std::optional<QJsonValue> v = value(o, path, key, since)) {
            if (v->isObject())
                return v->toObject();
            fail(kWrongKey, path + key, &kAnObject);
        }
        return {};
    }

    // A list, with `size` entries when that is not -1.
    std::optional<QJsonArray> list(const QJsonObject& o, const QString& path, const char* key, int since = 1,
                                   qsizetype size = -1, const Message& what = kAList)
    {
        if (const std::optional<QJsonValue> v = value(o, path, key, since)) {
            if (v->isArray() && (size < 0 || v->toArray().size() == size))
                return v->toArray();
            fail(kWrongKey, path + key, &what);
        }
        return std::nullopt;
    }

    // An entry of a list that must be an object.
    QJsonObject entry(const QJsonArray& list, const QString& path, qsizetype i)
    {
        if (!m_fault && !list.at(i).isObject())
            fail(kWrongKey, path, &kAnObject);
        return list.at(i).toObject();
    }

    void fail(const Message& reason, const QString& key, const Message* what)
    {
        if (m_fault)
            return;
        std::vector<ErrorArg> args{key.toStdString()};
        if (what)
            args.emplace_back(*what);
        m_fault = Described(m_subject, reason, std::move(args));
    }

private:
    std::string m_subject;
    int m_version;
    std::optional<Error> m_fault;
};

QString Indexed(const char* key, qsizetype i)
{
    return QStringLiteral("%1[%2].").arg(QLatin1String(key)).arg(i);
}

QString Under(const char* key)
{
    return QLatin1String(key) + QLatin1Char('.');
}

QString RoleText(aero::SurfaceRole role)
{
    const std::string_view key = RoleKey(role);
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

void ReadColors(KeyReader& read, const QJsonObject& root, Project& project)
{
    const std::optional<QJsonArray> colors = read.list(root, {}, k::kColors, 1, kObjectCount, kSevenColors);
    if (!colors)
        return;
    for (qsizetype i = 0; i < colors->size(); ++i) {
        const auto at = static_cast<std::size_t>(i + 1);
        const QString path = Indexed(k::kColors, i);
        const QJsonObject color = read.entry(*colors, Indexed(k::kColors, i).chopped(1), i);
        read.flag(color, path, k::kTicked, project.choices[at].ticked);
        read.flag(color, path, k::kNotFound, project.choices[at].notFound);
        read.number(color, path, k::kWeight, project.weights[at]);
        read.number(color, path, k::kHeight, project.balance.heights[at]);
        QString role = RoleText(project.balance.roles[at]);
        read.text(color, path, k::kRole, role);
        // Only the keys the writer writes, not the German names ParseRole
        // takes from a user.
        const std::optional<aero::SurfaceRole> parsed = ParseRole(role.toStdString());
        if (!parsed || role != RoleText(*parsed))
            read.fail(kWrongKey, path + k::kRole, &kARole);
        else
            project.balance.roles[at] = *parsed;
    }
}

void ReadBalance(KeyReader& read, const QJsonObject& root, Project& project)
{
    const QJsonObject balance = read.object(root, {}, k::kBalance);
    const QString path = Under(k::kBalance);
    read.number(balance, path, k::kMarginLow, project.balance.marginLow);
    read.number(balance, path, k::kMarginHigh, project.balance.marginHigh);
    read.number(balance, path, k::kTailEfficiency, project.balance.tailEfficiency);
    read.optionalNumber(balance, path, k::kCgX, project.balance.typedCgX);
}

void ReadMasses(KeyReader& read, const QJsonObject& root, Project& project)
{
    const std::optional<QJsonArray> masses = read.list(root, {}, k::kMasses);
    if (masses) {
        for (qsizetype i = 0; i < masses->size(); ++i) {
            const QString path = Indexed(k::kMasses, i);
            const QJsonObject entry = read.entry(*masses, path.chopped(1), i);
            aero::MassItem item;
            read.text(entry, path, k::kMassName, item.name);
            read.number(entry, path, k::kMass, item.mass);
            read.number(entry, path, k::kX, item.x);
            project.masses.push_back(std::move(item));
        }
    }
    const QJsonObject advice = read.object(root, {}, k::kAdvice);
    const QString path = Under(k::kAdvice);
    double moveItem = project.advice.moveItem;
    read.number(advice, path, k::kMoveItem, moveItem);
    if (moveItem != std::floor(moveItem) || moveItem < -1 || moveItem >= static_cast<double>(project.masses.size()))
        read.fail(kWrongKey, path + k::kMoveItem, &kAnItemOrNone);
    else
        project.advice.moveItem = static_cast<int>(moveItem);
    read.optionalNumber(advice, path, k::kBallastX, project.advice.ballastX);
}

// The embedded PNG as a working copy, or why it cannot be one.
std::optional<Error> ReadPicture(KeyReader& read, const QJsonObject& root, Project& project, const std::string& subject)
{
    const QJsonObject picture = read.object(root, {}, k::kPicture);
    const QString path = Under(k::kPicture);
    read.text(picture, path, k::kPicturePath, project.picturePath);
    read.text(picture, path, k::kPictureName, project.pictureName);
    read.flag(picture, path, k::kPicturePasted, project.pictureIsPasted);
    QString base64;
    read.text(picture, path, k::kPicturePng, base64);
    if (read.fault())
        return read.fault();
    const QByteArray::FromBase64Result png =
        QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!png || base64.isEmpty())
        return Described(subject, kBadPicture, {ErrorArg(kNotBase64)});
    static const QByteArray kPngSignature("\x89PNG\r\n\x1a\n", 8);
    if (!png.decoded.startsWith(kPngSignature))
        return Described(subject, kBadPicture, {ErrorArg(kNotPng)});
    QByteArray bytes = png.decoded;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    PictureLoad decoded = DecodePicture(&buffer, QStringLiteral("png"));
    if (!decoded)
        return Described(subject, kBadPicture, {ReasonOf(decoded.error())});
    project.picture = std::move(*decoded);
    return std::nullopt;
}

// "format" and "version": whether this is a project this program reads.
Result<int> ReadHeader(const QJsonObject& root, const std::string& subject)
{
    if (root.value(QLatin1String(k::kFormat)) != QJsonValue(QLatin1String(k::kFormatName)))
        return Described(subject, kNotAProject, {k::kFormatName});
    const QJsonValue version = root.value(QLatin1String(k::kVersionKey));
    const double number = version.toDouble(0.0);
    if (!version.isDouble() || number != std::floor(number) || number < 1)
        return Described(subject, kBadVersion);
    // A whole number of any size, written out without converting it to an
    // integer type it may not fit.
    if (number > k::kVersion)
        return Described(subject, kNewerVersion,
                         {QString::number(number, 'f', 0).toStdString(), std::to_string(k::kVersion)});
    return static_cast<int>(number);
}

// Whether two pictures show the same pixels, whatever format each is held
// in and whatever else the file said (QImage's == also weighs a colour
// space or a resolution a file named, which a working copy never has).
bool SamePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    const auto rowBytes = static_cast<std::size_t>(x.width()) * 4;
    for (int row = 0; row < x.height(); ++row) {
        if (std::memcmp(x.constScanLine(row), y.constScanLine(row), rowBytes) != 0)
            return false;
    }
    return true;
}

} // namespace

Result<Project> ParseProject(const QByteArray& json, const std::string& subject)
{
    QJsonParseError parseError{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return Described(subject, kNotJson,
                         {parseError.errorString().toStdString(), std::to_string(parseError.offset)});
    if (!document.isObject())
        return Described(subject, kNotAProject, {k::kFormatName});
    const QJsonObject root = document.object();
    const Result<int> version = ReadHeader(root, subject);
    if (!version)
        return version.error();

    KeyReader read(subject, *version);
    Project project;
    if (std::optional<Error> pictureFault = ReadPicture(read, root, project, subject))
        return *pictureFault;
    read.text(root, {}, k::kScale, project.scaleText);
    read.text(root, {}, k::kUnit, project.unit);
    read.text(root, {}, k::kTolerance, project.toleranceText);
    read.text(root, {}, k::kAltitude, project.altitudeText);
    read.text(root, {}, k::kMach, project.machText);
    const QJsonObject origin = read.object(root, {}, k::kOrigin);
    const QString path = Under(k::kOrigin);
    read.number(origin, path, k::kColumn, project.origin.column);
    read.number(origin, path, k::kRow, project.origin.row);
    read.number(origin, path, k::kX, project.origin.x);
    read.number(origin, path, k::kY, project.origin.y);
    ReadColors(read, root, project);
    ReadBalance(read, root, project);
    ReadMasses(read, root, project);
    if (read.fault())
        return *read.fault();
    return project;
}

Result<OpenedProject> ReadProjectFile(const QString& path)
{
    const std::string subject = path.toStdString();
    Result<std::unique_ptr<QFile>> file = OpenPictureFile(path);
    if (!file)
        return file.error();
    const QByteArray bytes = (*file)->readAll();
    if ((*file)->error() != QFileDevice::NoError)
        return Described(subject, kCannotRead, {(*file)->errorString().toStdString()});
    Result<Project> project = ParseProject(bytes, subject);
    if (!project)
        return project.error();
    OpenedProject opened{std::move(*project), std::nullopt};
    const QString& picturePath = opened.project.picturePath;
    if (picturePath.isEmpty() || opened.project.pictureIsPasted)
        return opened;
    if (!QFile::exists(picturePath)) {
        opened.pictureNote = Described(subject, kPictureGone, {picturePath.toStdString()});
    } else {
        const PictureLoad onDisk = LoadPictureFile(picturePath);
        if (!onDisk || !SamePixels(*onDisk, opened.project.picture))
            opened.pictureNote = Described(subject, kPictureDiffers, {picturePath.toStdString()});
    }
    return opened;
}

} // namespace centrafix
