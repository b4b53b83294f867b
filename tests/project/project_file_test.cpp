// The project file: what is saved comes back bit for bit, also in the other
// locale; an old file keeps reading; every kind of bad file is refused with
// its own words and changes nothing.

#include "document/project_file.h"

#include "engine/eval_number.h"
#include "engine/typed_text.h"
#include "picture/files/png_write.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <bit>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>

namespace centrafix {
namespace {

std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

#define EXPECT_SAME_BITS(a, b) EXPECT_EQ(Bits(a), Bits(b)) << #a << " = " << (a) << ", " << #b << " = " << (b)

QImage Painted()
{
    QImage picture(23, 11, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (int y = 2; y < 7; ++y)
        for (int x = 3; x < 19; ++x)
            picture.setPixel(x, y, x < 10 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    picture.setPixel(0, 0, qRgb(1, 2, 3));
    return picture;
}

// A document with every value a project keeps set away from its default,
// the numbers chosen so that a shortened decimal would lose bits.
Document Everything(const std::string& separator)
{
    Document document(kEnglish);
    document.setSeparators(separator, separator);
    document.setPicture(Painted(), QStringLiteral("Flügel ü.png"), QStringLiteral("/nowhere/Flügel ü.png"), false);
    document.setScaleText(separator == "," ? "0,1+0,2" : "0.1+0.2");
    document.setToleranceText("7");
    document.setAltitudeText(separator == "," ? "1234,5" : "1234.5");
    document.setMachText(separator == "," ? "max(0,1;0,25)" : "max(0.1,0.25)");
    document.setUnit("mm");
    for (int i = 1; i <= kObjectCount; ++i)
        document.setWeight(i, 1.0 / (3.0 + i));
    document.setWeight(4, 5e-324);
    document.setWeight(5, std::numeric_limits<double>::max());
    aero::BalanceSettings balance;
    balance.roles[3] = aero::SurfaceRole::Canard;
    balance.roles[2] = aero::SurfaceRole::Other;
    balance.heights[4] = 0.1 + 0.7;
    balance.heights[6] = -1.0 / 7.0;
    balance.marginLow = 4.999999999999999;
    balance.marginHigh = 15.000000000000002;
    balance.tailEfficiency = 0.9 - 1e-16;
    balance.typedCgX = 123.456789012345678;
    document.setBalanceSettings(balance);
    document.setMassItems({{"Akku 3S \"groß\"", 0.1 + 0.2, -12.5 / 3.0}, {"Servo", 9.0, 1e300}, {"", 0.0, 0.0}});
    document.setAdviceChoice({1, std::nextafter(80.0, 90.0)});
    EXPECT_FALSE(document.typeOrigin(separator == "," ? "10,3" : "10.3", "-2/3"));
    document.setTicked(6, false);
    return document;
}

QString SaveAndReadBack(const Document& document, QTemporaryDir& dir, OpenedProject& opened)
{
    const QString path = dir.filePath(QStringLiteral("plane.cfx"));
    const std::optional<Error> failure = SaveProjectFile(document, path);
    EXPECT_FALSE(failure) << (failure ? ErrorText(*failure, kEnglish) : "");
    Result<OpenedProject> read = ReadProjectFile(path);
    EXPECT_TRUE(read) << (read ? "" : ErrorText(read.error(), kEnglish));
    if (read)
        opened = std::move(*read);
    return path;
}

void ExpectSameValues(const Document& a, const Document& b)
{
    EXPECT_EQ(a.picture(), b.picture());
    EXPECT_EQ(a.picture().format(), b.picture().format());
    EXPECT_EQ(a.pictureName(), b.pictureName());
    EXPECT_EQ(a.picturePath(), b.picturePath());
    EXPECT_EQ(a.pictureIsPasted(), b.pictureIsPasted());
    EXPECT_EQ(a.unit(), b.unit());
    EXPECT_SAME_BITS(a.origin().column, b.origin().column);
    EXPECT_SAME_BITS(a.origin().row, b.origin().row);
    EXPECT_SAME_BITS(a.origin().x, b.origin().x);
    EXPECT_SAME_BITS(a.origin().y, b.origin().y);
    for (std::size_t i = 1; i <= kObjectCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_SAME_BITS(a.colorObjects()[i].Weight, b.colorObjects()[i].Weight);
        EXPECT_EQ(a.colorChoices()[i].ticked, b.colorChoices()[i].ticked);
        EXPECT_EQ(a.colorChoices()[i].notFound, b.colorChoices()[i].notFound);
        EXPECT_EQ(a.balanceSettings().roles[i], b.balanceSettings().roles[i]);
        EXPECT_SAME_BITS(a.balanceSettings().heights[i], b.balanceSettings().heights[i]);
    }
    const aero::BalanceSettings& x = a.balanceSettings();
    const aero::BalanceSettings& y = b.balanceSettings();
    EXPECT_SAME_BITS(x.marginLow, y.marginLow);
    EXPECT_SAME_BITS(x.marginHigh, y.marginHigh);
    EXPECT_SAME_BITS(x.tailEfficiency, y.tailEfficiency);
    ASSERT_EQ(x.typedCgX.has_value(), y.typedCgX.has_value());
    if (x.typedCgX) {
        EXPECT_SAME_BITS(*x.typedCgX, *y.typedCgX);
    }
    ASSERT_EQ(a.massItems().size(), b.massItems().size());
    for (std::size_t i = 0; i < a.massItems().size(); ++i) {
        EXPECT_EQ(a.massItems()[i].name, b.massItems()[i].name);
        EXPECT_SAME_BITS(a.massItems()[i].mass, b.massItems()[i].mass);
        EXPECT_SAME_BITS(a.massItems()[i].x, b.massItems()[i].x);
    }
    EXPECT_EQ(a.adviceChoice().moveItem, b.adviceChoice().moveItem);
    ASSERT_EQ(a.adviceChoice().ballastX.has_value(), b.adviceChoice().ballastX.has_value());
    if (a.adviceChoice().ballastX) {
        EXPECT_SAME_BITS(*a.adviceChoice().ballastX, *b.adviceChoice().ballastX);
    }
}

// Every number text of both documents reads to the same value, each in its
// own locale.
void ExpectSameNumbers(const Document& a, const Document& b)
{
    using Text = const std::string& (Document::*)() const;
    for (const Text text : {&Document::scaleText, &Document::toleranceText, &Document::altitudeText,
                            &Document::machText}) {
        const Result<double> x = EvalNumber((a.*text)(), Field::None, a.typedSeparator());
        const Result<double> y = EvalNumber((b.*text)(), Field::None, b.typedSeparator());
        ASSERT_TRUE(x && y) << (a.*text)() << " / " << (b.*text)();
        EXPECT_SAME_BITS(*x, *y);
    }
}

TEST(ProjectFile, RoundTripsEveryFieldBitForBit)
{
    QTemporaryDir dir;
    const Document saved = Everything(".");
    OpenedProject opened;
    SaveAndReadBack(saved, dir, opened);
    Document reopened(kGerman);
    ApplyProject(opened.project, reopened);
    ExpectSameValues(saved, reopened);
    EXPECT_EQ(saved.scaleText(), reopened.scaleText());
    EXPECT_EQ(saved.toleranceText(), reopened.toleranceText());
    EXPECT_EQ(saved.altitudeText(), reopened.altitudeText());
    EXPECT_EQ(saved.machText(), reopened.machText());
    // The picture's file is gone: the copy in the project is used, and said so.
    ASSERT_TRUE(opened.pictureNote);
    EXPECT_NE(ErrorText(*opened.pictureNote, kEnglish).find("/nowhere/Flügel ü.png no longer exists"),
              std::string::npos);
}

// The one thing a number loses: the sign of a zero. Qt's JSON writes -0.0
// as "-0", which reads back as the whole number 0. No value a project keeps
// gives the sign of a zero a meaning; the value itself is kept.
TEST(ProjectFile, AZerosSignIsTheOneThingNotKept)
{
    QTemporaryDir dir;
    Document document = Everything(".");
    aero::BalanceSettings balance = document.balanceSettings();
    balance.heights[7] = -0.0;
    document.setBalanceSettings(balance);
    OpenedProject opened;
    SaveAndReadBack(document, dir, opened);
    EXPECT_EQ(opened.project.balance.heights[7], 0.0);
    EXPECT_FALSE(std::signbit(opened.project.balance.heights[7]));
}

TEST(ProjectFile, RoundTripsAcrossTheTwoLocales)
{
    QTemporaryDir dir;
    for (const auto& [from, to] : {std::pair{",", "."}, std::pair{".", ","}}) {
        SCOPED_TRACE(std::string("saved with ") + from + ", opened with " + to);
        const Document saved = Everything(from);
        OpenedProject opened;
        SaveAndReadBack(saved, dir, opened);
        Document reopened(kEnglish);
        reopened.setSeparators(to, to);
        ApplyProject(opened.project, reopened);
        ExpectSameValues(saved, reopened);
        ExpectSameNumbers(saved, reopened);
    }
    // Shown as the user of each locale types them.
    const Document german = Everything(",");
    OpenedProject opened;
    SaveAndReadBack(german, dir, opened);
    EXPECT_EQ(opened.project.scaleText, "0.1+0.2");
    EXPECT_EQ(opened.project.machText, "max(0.1,0.25)");
    Document english(kEnglish);
    ApplyProject(opened.project, english);
    EXPECT_EQ(english.altitudeText(), "1234.5");
    Document back(kGerman);
    back.setSeparators(",", ",");
    ApplyProject(opened.project, back);
    EXPECT_EQ(back.scaleText(), "0,1+0,2");
    EXPECT_EQ(back.machText(), "max(0,1;0,25)");
}

TEST(ProjectFile, NumberTextsKeepTheirValueInEitherLocale)
{
    // Typed in the comma locale, read in the default one, and back.
    for (const char* typed : {"0,5", "1/50", "max(1;2,5)", "max(1.5,2)", "2.5*1,5", "1e-3", " 3 "}) {
        SCOPED_TRACE(typed);
        const Result<double> value = EvalNumber(typed, Field::None, ",");
        ASSERT_TRUE(value);
        const std::string canonical = CanonicalNumberText(typed, ",");
        const Result<double> read = EvalNumber(canonical, Field::None, ".");
        ASSERT_TRUE(read) << canonical;
        EXPECT_SAME_BITS(*value, *read);
        const std::string shown = LocalNumberText(canonical, ",");
        const Result<double> again = EvalNumber(shown, Field::None, ",");
        ASSERT_TRUE(again) << shown;
        EXPECT_SAME_BITS(*value, *again);
    }
    EXPECT_EQ(CanonicalNumberText("0,5", ","), "0.5");
    EXPECT_EQ(CanonicalNumberText("max(1;2)", ","), "max(1,2)");
    EXPECT_EQ(CanonicalNumberText("max(1.5,2)", ","), "max(1.5,2)");
    EXPECT_EQ(LocalNumberText("0.5", ","), "0,5");
    EXPECT_EQ(LocalNumberText("max(1,2)", ","), "max(1;2)");
    EXPECT_EQ(LocalNumberText("0.5", "."), "0.5");
    EXPECT_EQ(CanonicalNumberText("0,5", "."), "0,5");
    // Half typed: kept as typed, in the other convention.
    EXPECT_EQ(CanonicalNumberText("1/", ","), "1/");
    EXPECT_EQ(CanonicalNumberText("0,5x", ","), "0.5x");
    EXPECT_EQ(LocalNumberText("0.5x", ","), "0,5x");
}

TEST(ProjectFile, AFileFromVersionOneAlwaysReads)
{
    const Result<OpenedProject> read = ReadProjectFile(QStringLiteral(CENTRAFIX_PROJECT_DATA "/version1.cfx"));
    ASSERT_TRUE(read) << ErrorText(read.error(), kEnglish);
    const Project& project = read->project;
    EXPECT_EQ(project.picture.size(), QSize(23, 11));
    EXPECT_EQ(project.picture.pixel(5, 3), qRgb(255, 0, 0));
    EXPECT_EQ(project.picture.pixel(12, 3), qRgb(0, 0, 255));
    EXPECT_EQ(project.picture.format(), QImage::Format_RGB32);
    EXPECT_EQ(project.pictureName, QStringLiteral("wing.png"));
    EXPECT_EQ(project.scaleText, "0.1+0.2");
    EXPECT_EQ(project.unit, "mm");
    EXPECT_EQ(project.toleranceText, "7");
    EXPECT_EQ(project.altitudeText, "1234.5");
    EXPECT_EQ(project.machText, "max(0.1,0.25)");
    EXPECT_SAME_BITS(project.origin.x, 10.3);
    EXPECT_SAME_BITS(project.origin.y, -2.0 / 3.0);
    EXPECT_SAME_BITS(project.weights[1], 0.25);
    EXPECT_SAME_BITS(project.weights[4], 5e-324);
    EXPECT_FALSE(project.choices[6].ticked);
    EXPECT_TRUE(project.choices[5].notFound);
    EXPECT_EQ(project.balance.roles[3], aero::SurfaceRole::Canard);
    EXPECT_SAME_BITS(project.balance.heights[4], 0.1 + 0.7);
    EXPECT_SAME_BITS(project.balance.marginLow, 4.999999999999999);
    ASSERT_TRUE(project.balance.typedCgX);
    EXPECT_SAME_BITS(*project.balance.typedCgX, 123.456789012345678);
    ASSERT_EQ(project.masses.size(), 2u);
    EXPECT_EQ(project.masses[0].name, "Akku 3S \"groß\"");
    EXPECT_SAME_BITS(project.masses[0].mass, 0.1 + 0.2);
    EXPECT_EQ(project.advice.moveItem, 0);
    EXPECT_FALSE(project.advice.ballastX);
}

// The bytes of a good project, for the bad ones to be made from.
QJsonObject GoodProject()
{
    const Result<QByteArray> json = ProjectJson(ProjectOf(Everything(".")));
    EXPECT_TRUE(json);
    return QJsonDocument::fromJson(*json).object();
}

QByteArray Bytes(const QJsonObject& object)
{
    return QJsonDocument(object).toJson();
}

std::string Refusal(const QByteArray& bytes, int languageIndex = kEnglish)
{
    const Result<Project> read = ParseProject(bytes, "plane.cfx");
    return read ? std::string("(read)") : ErrorText(read.error(), languageIndex);
}

QJsonObject Changed(const std::function<void(QJsonObject&)>& change)
{
    QJsonObject root = GoodProject();
    change(root);
    return root;
}

// `key` inside the object under `outer` set to `value` (removed when
// undefined).
QJsonObject WithInner(const char* outer, const char* key, const QJsonValue& value)
{
    return Changed([&](QJsonObject& root) {
        QJsonObject inner = root[outer].toObject();
        if (value.isUndefined())
            inner.remove(key);
        else
            inner[key] = value;
        root[outer] = inner;
    });
}

QJsonObject WithColor(int i, const char* key, const QJsonValue& value)
{
    return Changed([&](QJsonObject& root) {
        QJsonArray colors = root["colors"].toArray();
        QJsonObject color = colors[i].toObject();
        color[key] = value;
        colors[i] = color;
        root["colors"] = colors;
    });
}

QString Base64Png(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toBase64());
}

TEST(ProjectFile, DamagedTruncatedAndForeignFilesAreRefused)
{
    const QByteArray good = Bytes(GoodProject());
    EXPECT_EQ(Refusal(good), "(read)");
    EXPECT_EQ(Refusal(good.left(good.size() / 2)).rfind("plane.cfx: is no project file: not valid JSON (", 0), 0u)
        << Refusal(good.left(good.size() / 2));
    EXPECT_EQ(Refusal({}).rfind("plane.cfx: is no project file: not valid JSON", 0), 0u);
    EXPECT_EQ(Refusal("\x89PNG\r\n\x1a\n garbage").rfind("plane.cfx: is no project file", 0), 0u);
    EXPECT_EQ(Refusal("[1, 2]"), "plane.cfx: is no Centrafix project (\"format\" is not \"centrafix-project\")");
    EXPECT_EQ(Refusal(R"({"name": "package", "version": 1})"),
              "plane.cfx: is no Centrafix project (\"format\" is not \"centrafix-project\")");
    EXPECT_EQ(Refusal(Bytes(Changed([](QJsonObject& r) { r["format"] = "centrafix-projekt"; }))),
              "plane.cfx: is no Centrafix project (\"format\" is not \"centrafix-project\")");
    EXPECT_EQ(Refusal("[1, 2]", kGerman),
              "plane.cfx: ist kein Centrafix-Projekt (\"format\" ist nicht \"centrafix-project\")");
}

TEST(ProjectFile, ANewerVersionIsRefusedNamingBothVersions)
{
    const QByteArray newer = Bytes(Changed([](QJsonObject& r) { r["version"] = 2; }));
    EXPECT_EQ(Refusal(newer),
              "plane.cfx: This project was written by format version 2; this Centrafix reads up to version 1.");
    EXPECT_EQ(Refusal(newer, kGerman), "plane.cfx: Dieses Projekt wurde mit Formatversion 2 geschrieben; dieses "
                                       "Centrafix liest bis Version 1.");
    // A newer file is refused before its keys are looked at: it may lack any.
    EXPECT_EQ(Refusal(R"({"format": "centrafix-project", "version": 17})"),
              "plane.cfx: This project was written by format version 17; this Centrafix reads up to version 1.");
    EXPECT_EQ(Refusal(R"({"format": "centrafix-project", "version": 1e20})"),
              "plane.cfx: This project was written by format version 100000000000000000000; this Centrafix reads "
              "up to version 1.");
    for (const QJsonValue& version : {QJsonValue("1"), QJsonValue(0), QJsonValue(1.5), QJsonValue(-1), QJsonValue()}) {
        const QByteArray bad = Bytes(Changed([&](QJsonObject& r) {
            if (version.isNull())
                r.remove("version");
            else
                r["version"] = version;
        }));
        EXPECT_EQ(Refusal(bad),
                  "plane.cfx: has no valid format version (\"version\" must be a whole number from 1)");
    }
}

TEST(ProjectFile, AMissingOrWronglyTypedKeyIsRefusedNamingIt)
{
    const QJsonValue gone = QJsonValue(QJsonValue::Undefined);
    const struct {
        QJsonObject bad;
        std::string said;
    } cases[] = {
        {Changed([](QJsonObject& r) { r.remove("scale"); }), "damaged project: \"scale\" is missing"},
        {Changed([](QJsonObject& r) { r["scale"] = 50; }), "damaged project: \"scale\" must be a text"},
        {Changed([](QJsonObject& r) { r.remove("masses"); }), "damaged project: \"masses\" is missing"},
        {Changed([](QJsonObject& r) { r["masses"] = "none"; }), "damaged project: \"masses\" must be a list"},
        {Changed([](QJsonObject& r) { r["origin"] = QJsonArray{1, 2}; }),
         "damaged project: \"origin\" must be an object"},
        {WithInner("origin", "x", gone), "damaged project: \"origin.x\" is missing"},
        {WithInner("origin", "row", "3"), "damaged project: \"origin.row\" must be a finite number"},
        {WithInner("balance", "cg_x", true), "damaged project: \"balance.cg_x\" must be a finite number"},
        {WithInner("picture", "pasted", 0), "damaged project: \"picture.pasted\" must be true or false"},
        {WithInner("advice", "move_item", 3),
         "damaged project: \"advice.move_item\" must be -1 or the number of an item of the mass list (from 0)"},
        {WithInner("advice", "move_item", 0.5),
         "damaged project: \"advice.move_item\" must be -1 or the number of an item of the mass list (from 0)"},
        {WithColor(2, "weight", QJsonValue::Null), "damaged project: \"colors[2].weight\" must be a finite number"},
        {WithColor(0, "role", "wings"),
         "damaged project: \"colors[0].role\" must be a role (wing, tail, canard, fuselage, other)"},
        {WithColor(0, "role", "Flügel"),
         "damaged project: \"colors[0].role\" must be a role (wing, tail, canard, fuselage, other)"},
        {Changed([](QJsonObject& r) {
             QJsonArray colors = r["colors"].toArray();
             colors.removeLast();
             r["colors"] = colors;
         }),
         "damaged project: \"colors\" must be a list of 7 colors"},
        {Changed([](QJsonObject& r) {
             QJsonArray colors = r["colors"].toArray();
             colors[3] = 1;
             r["colors"] = colors;
         }),
         "damaged project: \"colors[3]\" must be an object"},
        {Changed([](QJsonObject& r) {
             QJsonArray masses = r["masses"].toArray();
             QJsonObject item = masses[1].toObject();
             item.remove("x");
             masses[1] = item;
             r["masses"] = masses;
         }),
         "damaged project: \"masses[1].x\" is missing"},
    };
    for (const auto& [bad, said] : cases) {
        SCOPED_TRACE(said);
        EXPECT_EQ(Refusal(Bytes(bad)), "plane.cfx: " + said);
    }
    // A number beyond a double is no number: the JSON reader refuses it.
    QByteArray huge = Bytes(GoodProject());
    const qsizetype at = huge.indexOf("\"tail_efficiency\": ");
    ASSERT_GE(at, 0);
    huge.insert(at + 19, "1e999, \"unused\": ");
    EXPECT_EQ(Refusal(huge).rfind("plane.cfx: is no project file: not valid JSON (illegal number", 0), 0u)
        << Refusal(huge);
}

TEST(ProjectFile, ABrokenEmbeddedPictureIsRefused)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_FALSE(WritePng(buffer, Painted()));
    const QString expected = "plane.cfx: damaged project: the embedded picture cannot be read (";
    for (const QJsonValue& broken : {QJsonValue("not base64!"), QJsonValue(""), QJsonValue(Base64Png("GIF89a...")),
                                    QJsonValue(Base64Png(png.left(png.size() / 2))),
                                    QJsonValue(Base64Png(png.left(30)))}) {
        const std::string said = Refusal(Bytes(WithInner("picture", "png", broken)));
        EXPECT_EQ(said.rfind(expected.toStdString(), 0), 0u) << said;
    }
    EXPECT_EQ(Refusal(Bytes(WithInner("picture", "png", Base64Png(png)))), "(read)");
}

TEST(ProjectFile, APictureFileThatChangedIsToldAndTheSavedOneUsed)
{
    QTemporaryDir dir;
    const QString picturePath = dir.filePath(QStringLiteral("wing.png"));
    QImage onDisk = Painted();
    ASSERT_TRUE(onDisk.save(picturePath));
    Document document(kEnglish);
    document.setPicture(onDisk, QStringLiteral("wing.png"), picturePath, false);
    OpenedProject opened;
    SaveAndReadBack(document, dir, opened);
    EXPECT_FALSE(opened.pictureNote); // the same picture: nothing to say

    // The same pixels in a file that says more (a colour space, a
    // resolution, 16 bits a sample) are the same picture too.
    QImage described = onDisk.convertToFormat(QImage::Format_RGBX64);
    described.setColorSpace(QColorSpace::SRgbLinear);
    described.setDotsPerMeterX(2000);
    ASSERT_TRUE(described.save(picturePath));
    SaveAndReadBack(document, dir, opened);
    EXPECT_FALSE(opened.pictureNote);
    ASSERT_TRUE(onDisk.save(picturePath));

    QImage painted = onDisk;
    painted.setPixel(1, 1, qRgb(0, 255, 0));
    document.changePicture(painted);
    SaveAndReadBack(document, dir, opened);
    ASSERT_TRUE(opened.pictureNote);
    EXPECT_EQ(ErrorText(*opened.pictureNote, kEnglish),
              (dir.filePath("plane.cfx") + ": the picture file " + picturePath +
               " is not the working picture saved in the project; the saved one is used.")
                  .toStdString());
    EXPECT_EQ(opened.project.picture, painted);

    // A pasted picture has no file to miss.
    document.setPicture(painted, QStringLiteral("pasted"), {}, true);
    SaveAndReadBack(document, dir, opened);
    EXPECT_FALSE(opened.pictureNote);
}

TEST(ProjectFile, AFailedSaveLeavesTheFileThatWasThere)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plane.cfx"));
    QFile before(path);
    ASSERT_TRUE(before.open(QIODevice::WriteOnly));
    before.write("what was there");
    before.close();
    const Document empty(kEnglish); // no picture to embed
    const std::optional<Error> failure = SaveProjectFile(empty, path);
    ASSERT_TRUE(failure);
    EXPECT_EQ(ErrorText(*failure, kEnglish), path.toStdString() + ": the project cannot be written (there is no picture)");
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), QByteArray("what was there"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"plane.cfx"});
}

TEST(ProjectFile, ReadingABadFileLeavesTheDocumentAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.cfx"));
    QFile bad(path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(Bytes(Changed([](QJsonObject& r) { r["version"] = 3; })));
    bad.close();
    EXPECT_FALSE(ReadProjectFile(path));
    EXPECT_FALSE(ReadProjectFile(dir.filePath(QStringLiteral("missing.cfx"))));
    EXPECT_FALSE(ReadProjectFile(dir.path()));
}

TEST(ProjectFile, TheRevisionCountsEveryChangeAProjectStores)
{
    Document document = Everything(".");
    const std::vector<std::pair<const char*, std::function<void(Document&)>>> changes{
        {"picture", [](Document& d) { d.setPicture(Painted(), "b.png", "/b.png", false); }},
        {"picture changed", [](Document& d) { d.changePicture(Painted().mirrored()); }},
        {"scale", [](Document& d) { d.setScaleText("2"); }},
        {"tolerance", [](Document& d) { d.setToleranceText("3"); }},
        {"altitude", [](Document& d) { d.setAltitudeText("10"); }},
        {"mach", [](Document& d) { d.setMachText("0.3"); }},
        {"unit", [](Document& d) { d.setUnit("cm"); }},
        {"weight", [](Document& d) { d.setWeight(2, 7.0); }},
        {"tick", [](Document& d) { d.setTicked(2, false); }},
        {"ticks", [](Document& d) { d.setTicks({false, true, false, true, false, true, false, true}); }},
        {"origin placed", [](Document& d) { d.placeOrigin(3.0, 4.0); }},
        {"origin typed", [](Document& d) { d.typeOrigin("1", "2"); }},
        {"origin restored", [](Document& d) { d.restoreOrigin({1, 2, 3, 4}); }},
        {"balance", [](Document& d) {
             aero::BalanceSettings b = d.balanceSettings();
             b.tailEfficiency = 0.5;
             d.setBalanceSettings(b);
         }},
        {"masses", [](Document& d) { d.setMassItems({{"x", 1.0, 2.0}}); }},
        {"advice", [](Document& d) { d.setAdviceChoice({-1, 3.0}); }},
        {"choices", [](Document& d) {
             std::array<ColorChoice, 8> c = d.colorChoices();
             c[3] = {false, true};
             d.restoreColorChoices(c);
         }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        const std::uint64_t before = document.revision();
        change(document);
        EXPECT_GT(document.revision(), before);
        // The same value again is no change.
        const std::uint64_t after = document.revision();
        if (std::string(what) != "picture" && std::string(what) != "picture changed") {
            change(document);
            EXPECT_EQ(document.revision(), after);
        }
    }
    // Things no project keeps.
    const std::uint64_t kept = document.revision();
    document.setLanguage(kGerman);
    document.setSeparators(",", ",");
    document.setThreads(2);
    EXPECT_EQ(document.revision(), kept);
}

} // namespace
} // namespace centrafix
