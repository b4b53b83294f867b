#pragma once

#include "document/run_record.h"

#include "aero/mass_items.h"
#include "engine/color_object.h"
#include "engine/defaults.h"
#include "engine/error.h"
#include "engine/message.h"
#include "engine/run_preparation.h"
#include "engine/run_types.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace centrafix {

// Where the results measure from. The pixel is where the user put it (a
// click, --origin); the position in scaled units follows the scale, except
// when the user typed it, then it is kept as typed and the pixel found from it.
struct DocumentOrigin {
    double column = 0.0;
    double row = 0.0;
    double x = 0.0;
    double y = 0.0;

    bool operator==(const DocumentOrigin&) const = default;
};

// What the user chose for one colour besides its weight: whether it is
// looked for, and whether the last run looked and found nothing (then it is
// unticked until the picture, the tolerance or the ticks give it a new chance).
struct ColorChoice {
    bool ticked = true;
    bool notFound = false;

    bool operator==(const ColorChoice&) const = default;
};

// One piece of work, as both programs have it: the working picture and its
// name, the fields a run reads (as typed, so that a refusal can quote them),
// the origin, the colour table, and the last run's results with what has
// changed since. The window shows one and forwards the user's edits to it;
// the batch command builds one from its options. Both prepare their runs
// here, so a field one refuses the other refuses with the same words.
//
// It has no widgets and no thread of its own: whoever runs the analysis
// takes a PreparedRun (a copy) and hands the outcome back with finishRun().
class Document {
public:
    explicit Document(int languageIndex = kEnglish);

    // The working picture. A new one starts over: no last run, every colour
    // ticked. changePicture() is a picture operation on the same picture
    // (flip, invert, clean-up): the numbers stay, marked out of date.
    const QImage& picture() const { return m_picture; }
    const QString& pictureName() const { return m_pictureName; }
    const QString& picturePath() const { return m_picturePath; }
    bool pictureIsPasted() const { return m_pictureIsPasted; }
    void setPicture(QImage picture, const QString& name, const QString& path, bool pasted);
    void changePicture(QImage picture);
    // What changePicture() does besides taking the pixels, for a picture
    // changed where it is held (the window keeps its working copy once, in
    // its picture area, and changes it there).
    void pictureChanged();

    // The language names and messages are given in (kGerman or kEnglish); a
    // switch renames the colours and writes the last run's rows and report
    // anew, as if it had been made in that language.
    int languageIndex() const { return m_languageIndex; }
    void setLanguage(int languageIndex);
    // How numbers are shown, and how typed ones are read: "." always, and
    // "," too where `typed` is ",".
    const std::string& shownSeparator() const { return m_shownSeparator; }
    const std::string& typedSeparator() const { return m_typedSeparator; }
    void setSeparators(const std::string& shown, const std::string& typed);
    void setThreads(int threads) { m_threads = threads; }

    // The fields, as typed. Each setter says that the last run's results no
    // longer match when the text changes.
    const std::string& scaleText() const { return m_scaleText; }
    const std::string& toleranceText() const { return m_toleranceText; }
    const std::string& altitudeText() const { return m_altitudeText; }
    const std::string& machText() const { return m_machText; }
    const std::string& unit() const { return m_unit; }
    void setScaleText(const std::string& text); // the origin keeps its pixel
    void setToleranceText(const std::string& text);
    void setAltitudeText(const std::string& text);
    void setMachText(const std::string& text);
    void setUnit(const std::string& unit);
    // Roles, heights, static margins, tail efficiency and a typed C.G., as
    // the balance of the next run takes them (checked where they are typed).
    const aero::BalanceSettings& balanceSettings() const { return m_balance; }
    void setBalanceSettings(const aero::BalanceSettings& settings);
    // The items the aircraft carries and what the advice may change: the
    // weight and balance works from them and the last run's balance, so
    // they never make the results out of date.
    const aero::MassList& massItems() const { return m_masses; }
    void setMassItems(aero::MassList items);
    const aero::AdviceChoice& adviceChoice() const { return m_advice; }
    void setAdviceChoice(const aero::AdviceChoice& choice);
    // The scale the scale text gives, read as a run reads it.
    Result<double> scaleFactor() const;

    const DocumentOrigin& origin() const { return m_origin; }
    // The origin at a pixel, its position from the scale text; false when
    // that gives no usable factor, and nothing changes.
    bool placeOrigin(double column, double row);
    // The origin typed in scaled units: refused, naming the field, when a
    // text is no number or the scale cannot find its pixel.
    std::optional<Error> typeOrigin(const std::string& x, const std::string& y);
    // The origin exactly as a saved project had it.
    void restoreOrigin(const DocumentOrigin& origin);

    // The colour table: entry 0 the total, 1 to 7 the colours. The objects
    // keep the weights and what the last run measured.
    const ColorObjectTable& colorObjects() const { return m_objects; }
    const std::array<ColorChoice, 8>& colorChoices() const { return m_choices; }
    std::array<bool, 8> ticks() const;
    std::array<bool, 8> notFound() const;
    void setWeight(int i, double weight);
    // Every tick at once ("Tick all", "Untick all", the batch command's
    // --colors): exactly these, and no colour marked as not found.
    void setTicks(const std::array<bool, 8>& ticked);
    // One tick the user set or took away: the colours the last run did not
    // find are ticked again, as a new chance.
    void setTicked(int i, bool ticked);
    // The colours the last run did not find are ticked again: another
    // picture or tolerance may find them.
    void forgetNotFound();
    // Ticks and not-found marks exactly as a saved project had them.
    void restoreColorChoices(const std::array<ColorChoice, 8>& choices);

    // A count that grows with every change to what a project stores (the
    // picture, the fields, the origin, the colours, the balance and mass
    // settings): equal counts mean nothing to save has changed in between.
    std::uint64_t revision() const { return m_revision; }

    // A run of the fields as they are on the document's picture; refused,
    // naming the field, when it could not start or give finite numbers.
    // `small` says what becomes of a scale below kSmallestScale.
    Result<PreparedRun> prepareRun(SmallScale small) const { return prepareRun(small, m_picture.size()); }
    // The same for a picture of this size that is read as it is measured.
    Result<PreparedRun> prepareRun(SmallScale small, QSize pictureSize) const;
    // The fields alone, before any picture is read; prepareRun() must follow.
    Result<PreparedRun> prepareFields(SmallScale small) const;

    // The altitude and Mach number as the drag estimate reads them. The
    // window's report says why they give no estimate; the batch command,
    // whose report nobody may read, refuses them.
    std::optional<Error> refuseDragFields() const;

    // A run is under way from beginRun() until finishRun(): the results
    // shown so far are gone, and changes made meanwhile make the coming
    // results out of date. A completed run becomes the last run, and the
    // colours it looked for and did not find lose their ticks (unless the
    // user changed the ticks or the tolerance meanwhile).
    void beginRun();
    void finishRun(std::optional<LastRun> completed);
    // What a run measured, also one that Esc ended: the objects it reached
    // and the rest as they were. The weights and names stay the document's,
    // the user may have changed them while it went.
    void takeMeasures(const ColorObjectTable& measured);
    bool runUnderWay() const { return m_runUnderWay; }
    const std::optional<LastRun>& lastRun() const { return m_lastRun; }
    void forgetLastRun();

    // What changed since the last run, in the order it came; empty while
    // the results are fresh or there are none.
    bool outOfDate() const { return !m_staleReasons.empty(); }
    const std::vector<const Message*>& staleReasons() const { return m_staleReasons; }
    void markOutOfDate(const Message& what);

private:
    void rescaleOrigin();
    void touch() { ++m_revision; }
    void translateLastRun();

    QImage m_picture;
    QString m_pictureName;
    QString m_picturePath;
    bool m_pictureIsPasted = false;

    int m_languageIndex = kEnglish;
    std::string m_shownSeparator = ".";
    std::string m_typedSeparator = ".";
    int m_threads = 0;

    std::string m_scaleText{defaults::kScaleText};
    std::string m_toleranceText{defaults::kToleranceText};
    std::string m_altitudeText{defaults::kAltitudeText};
    std::string m_machText{defaults::kMachText};
    std::string m_unit;
    aero::BalanceSettings m_balance;
    aero::MassList m_masses;
    aero::AdviceChoice m_advice;

    DocumentOrigin m_origin;
    ColorObjectTable m_objects{};
    std::array<ColorChoice, 8> m_choices{};

    std::optional<LastRun> m_lastRun;
    bool m_runUnderWay = false;
    bool m_findingsOverruled = false;
    std::vector<const Message*> m_staleReasons;
    std::uint64_t m_revision = 0;
};

} // namespace centrafix
