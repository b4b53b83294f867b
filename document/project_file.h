#pragma once

#include "document/document.h"

#include "aero/balance.h"
#include "aero/mass_items.h"
#include "engine/error.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <array>
#include <optional>
#include <string>

namespace centrafix {

// Everything a project file (.cfx) keeps of a Document: the working picture
// as painted (embedded as PNG, so a painted plan is never lost) with the
// path and name it came from, the fields, the origin, the colour table, the
// balance settings, the mass list and the advice choice. The number fields
// are held as typed, in the one form every locale reads the same
// (CanonicalNumberText); a document shows them in its user's.
struct Project {
    QImage picture;
    QString pictureName;
    QString picturePath; // as the user opened it; empty for a pasted one or the example
    bool pictureIsPasted = false;

    std::string scaleText;
    std::string toleranceText;
    std::string altitudeText;
    std::string machText;
    std::string unit;

    DocumentOrigin origin;
    std::array<double, 8> weights{};      // colours 1 to 7
    std::array<ColorChoice, 8> choices{}; // colours 1 to 7
    aero::BalanceSettings balance;
    aero::MassList masses;
    aero::AdviceChoice advice;
};

// What the document holds, as a project keeps it.
Project ProjectOf(const Document& document);

// The project into the document: its picture (the last run is forgotten)
// and every value it keeps, the number texts in the way the document's
// user types them.
void ApplyProject(const Project& project, Document& document);
// The same without the picture, for a document whose picture is held
// elsewhere (the window's): it must have been given the project's first.
void ApplyProjectValues(const Project& project, Document& document);

// The project file's content: UTF-8 JSON, numbers written so that they read
// back bit for bit. The reason (Because) when the picture cannot be encoded.
Result<QByteArray> ProjectJson(const Project& project);

// The content read back; `subject` names the file in an error. Any version up
// to the current one is read, the keys it lacks taking their defaults; a
// damaged or foreign content, a newer version, a missing or wrongly typed
// key and an embedded picture that cannot be read are refused, each saying so.
Result<Project> ParseProject(const QByteArray& json, const std::string& subject);

// A project read from a file, and what the user must be told about its
// picture: that the file it came from is gone or no longer the same, so that
// the copy in the project is used (a warning, not a refusal).
struct OpenedProject {
    Project project;
    std::optional<Error> pictureNote;
};
Result<OpenedProject> ReadProjectFile(const QString& path);

// Writes the document's project to `path` atomically: a failed write leaves
// the file that was there byte for byte.
std::optional<Error> SaveProjectFile(const Document& document, const QString& path);
std::optional<Error> SaveProjectFile(const Project& project, const QString& path);

// Whether a path names a project by its extension (".cfx", any case).
bool IsProjectPath(const QString& path);

} // namespace centrafix
