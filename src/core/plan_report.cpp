#include "core/plan_report.h"

#include "core/language.h"
#include "core/time_text.h"

namespace vantoli {

namespace {

constexpr const char* LineEnd = "\r\n";
constexpr const char* ListIndent = "        ";   // eight blanks start a continued track list
constexpr const char* ListSeparator = N_("，");  // full-width comma between listed track numbers
constexpr int NumbersPerBLine = 10;
constexpr int SlotsBeforeABreak = 10;  // side A's list breaks once, after its eleventh slot

// The number right-aligned in a field of `width` characters; a wider number is written whole.
void appendPadded(std::string& out, int value, int width, char pad)
{
    const std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), pad);
    out += digits;
}

// Minutes right-aligned to `width`, a colon and two-digit seconds: 29:23, " 0:50", "  1:35".
void appendTime(std::string& out, int seconds, int minuteWidth)
{
    appendPadded(out, seconds / 60, minuteWidth, ' ');
    out += ':';
    appendPadded(out, seconds % 60, 2, '0');
}

// A track number as the lists and ranges show it: two characters wide.
void appendTrack(std::string& out, int slot) { appendPadded(out, slot + 1, 2, ' '); }

void appendSideHead(std::string& out, const char* side) { (out += side) += LineEnd; }

// Range layout of a side: "トータル： 41:04,   ブランク：  0:50".
void appendSideTimes(std::string& out, int seconds, int blank)
{
    out += _("トータル： ");
    appendTime(out, seconds, 2);
    out += _(",   ブランク： ");
    appendTime(out, blank, 2);
    out += LineEnd;
}

// List layout of a side: the time and the blank on lines of their own.
void appendSideTimeLines(std::string& out, int seconds, int blank)
{
    out += _("トータル： ");
    appendTime(out, seconds, 2);
    out += LineEnd;
    out += _("ブランク： ");
    appendTime(out, blank, 2);
    out += LineEnd;
}

// The whole tape: "トータル：" and "ブランク：", then labelGap, then three-wide minutes.
void appendBothSides(std::string& out, const LongDiscPlan& longDisc, const char* labelGap)
{
    appendSideHead(out, _("＜両面＞"));
    ((out += _("トータル：")) += labelGap);
    appendTime(out, longDisc.total, 3);
    out += LineEnd;
    ((out += _("ブランク：")) += labelGap);
    appendTime(out, longDisc.plan.totalBlank, 3);
    out += LineEnd;
}

void appendRangeLayout(std::string& out, const LongDiscPlan& longDisc)
{
    const TapePlan& p = longDisc.plan;
    appendSideTimes(out, p.sideATime, p.sideABlank);
    out += _("収録：  1 ～ ");
    appendTrack(out, p.lastA);
    out += LineEnd;
    out += LineEnd;

    appendSideHead(out, _("＜B面＞"));
    appendSideTimes(out, p.sideBTime, p.sideBBlank);
    out += _("収録： ");
    appendTrack(out, p.lastA + 1);
    out += _(" ～ ");
    appendTrack(out, p.lastB);
    out += LineEnd;
    out += LineEnd;

    appendBothSides(out, longDisc, "");
}

// Side A in disc order without the track that left it, then the track that came over from side B.
// The line breaks once, after whatever its eleventh slot wrote; the slot that left still counts.
void appendSideAList(std::string& out, const TapePlan& p, const TrackExchange& exchange)
{
    out += _("収録： ");
    int count = 0;
    for (int slot = 0; slot <= p.lastA; ++slot) {
        if (slot != exchange.outgoingA) {
            appendTrack(out, slot);
            out += _(ListSeparator);
        }
        if (count == SlotsBeforeABreak) {
            (out += LineEnd) += ListIndent;
            count = 0;
        }
        ++count;
    }
    appendTrack(out, exchange.outgoingB);
    out += LineEnd;
    out += LineEnd;
}

// Side B: the track that came over from side A, then side B in disc order without the track that left
// it, ten numbers to a line. A tenth number breaks the line even when it is the last.
void appendSideBList(std::string& out, const TapePlan& p, const TrackExchange& exchange)
{
    out += _("収録： ");
    int count = 0;
    auto write = [&](int slot, bool last) {
        appendTrack(out, slot);
        out += last ? LineEnd : _(ListSeparator);
        if (++count == NumbersPerBLine) {
            (out += LineEnd) += ListIndent;
            count = 0;
        }
    };
    int lastWritten = p.lastB;
    if (lastWritten == exchange.outgoingB) --lastWritten;
    write(exchange.outgoingA, lastWritten <= p.lastA);
    for (int slot = p.lastA + 1; slot <= lastWritten; ++slot)
        if (slot != exchange.outgoingB) write(slot, slot == lastWritten);
}

void appendListLayout(std::string& out, const LongDiscPlan& longDisc, const TrackExchange& exchange)
{
    const TapePlan& p = longDisc.plan;
    appendSideTimeLines(out, p.sideATime, p.sideABlank);
    appendSideAList(out, p, exchange);

    appendSideHead(out, _("＜B面＞"));
    appendSideTimeLines(out, p.sideBTime, p.sideBBlank);
    appendSideBList(out, p, exchange);
    out += LineEnd;

    // Here the labels keep their blank, so these lines are one character wider than in the ranges.
    appendBothSides(out, longDisc, " ");
}

// An exact plan: a side's own tracks in disc order, ten numbers to a line, the separator ending each
// full line and the next one indented like the exchange lists.
void appendOwnTracks(std::string& out, const std::vector<int>& tracks)
{
    out += _("収録： ");
    if (tracks.empty()) out += _("なし");
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (i > 0) {
            out += _(ListSeparator);
            if (i % NumbersPerBLine == 0) (out += LineEnd) += ListIndent;
        }
        appendPadded(out, tracks[i], 2, ' ');
    }
    out += LineEnd;
}

// Laid out like the exchange lists, each side listing exactly the tracks it holds.
void appendExactLayout(std::string& out, const LongDiscPlan& longDisc)
{
    const TapePlan& p = longDisc.plan;
    appendSideTimeLines(out, p.sideATime, p.sideABlank);
    appendOwnTracks(out, p.sideA);
    out += LineEnd;

    appendSideHead(out, _("＜B面＞"));
    appendSideTimeLines(out, p.sideBTime, p.sideBBlank);
    appendOwnTracks(out, p.sideB);
    out += LineEnd;

    appendBothSides(out, longDisc, " ");
}

}  // namespace

std::string PlanReportText(const LongDiscPlan& longDisc)
{
    std::string out;
    out.reserve(640);
    out += LineEnd;
    out += _("***************   TAPE の構成   ***************");
    out += LineEnd;
    out += LineEnd;
    out += _("使用するテープ： ");
    out += tapeCaption(longDisc.plan.tapeMinutes);
    out += LineEnd;
    out += _("総トラック数： ");
    out += std::to_string(longDisc.trackCount);
    out += LineEnd;
    out += LineEnd;
    appendSideHead(out, _("＜A面＞"));
    if (longDisc.plan.exact)
        appendExactLayout(out, longDisc);
    else if (longDisc.plan.exchange)
        appendListLayout(out, longDisc, *longDisc.plan.exchange);
    else
        appendRangeLayout(out, longDisc);
    return out;
}

}  // namespace vantoli
