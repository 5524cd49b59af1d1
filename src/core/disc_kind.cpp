#include "core/disc_kind.h"
#include "core/language.h"

#include "core/read_disc_tracks.h"

namespace vantoli {

namespace {

// The command's two-line messages end their first line with CR LF, unlike the planners' messages.
constexpr const char* LineBreak = "\r\n";

}  // namespace

DiscKind discKind(std::int32_t trackCount)
{
    if (trackCount <= 0) return DiscKind::NoDisc;
    if (trackCount <= EntryCount) return DiscKind::Entries;
    if (trackCount <= LongDiscTrackLimit) return DiscKind::LongDisc;
    return DiscKind::TooManyTracks;
}

std::string cdEntryText(std::int32_t milliseconds)
{
    // 32 bits hold it all: the longest length gives 2147483 s, that is 3579123.
    const std::int32_t seconds = wholeSeconds(milliseconds);
    return std::to_string(seconds / 60 * 100 + seconds % 60);
}

Message noDiscMessage() { return {_("CD読み取りエラー"), _("CDがセットされていません。"), MessageIcon::Stop}; }

Message discImageMessage(const DiscImageProblem& problem)
{
    const auto stop = [](std::string text) {
        return Message{_("CD読み取りエラー"), std::move(text), MessageIcon::Stop};
    };
    switch (problem.fault) {
    case DiscImageFault::Missing: return stop(fill(_("ディスクイメージ「%1」が見つかりません。"), {problem.name}));
    case DiscImageFault::NotAnImage: return stop(fill(_("「%1」はディスクイメージとして読めません。"), {problem.name}));
    case DiscImageFault::FileMissing:
        return stop(fill(_("ディスクイメージのファイル「%1」が見つかりません。"), {problem.name}));
    case DiscImageFault::FileTooShort:
        return stop(fill(_("ディスクイメージのファイル「%1」が短すぎます。"), {problem.name}));
    case DiscImageFault::TooManyTracks: return tooManyTracksMessage();
    }
    return noDiscMessage();
}

Message longDiscMessage()
{
    return {_("20曲以上収録"),
            std::string(_("このCDは21曲以上収録されています。")) + LineBreak +
                _("トラック構成案は結果レポートに表示します。"),
            MessageIcon::Information};
}

Message tooManyTracksMessage()
{
    return {_("101曲以上収録"),
            std::string(_("このCDは101曲以上収録されています。")) + LineBreak +
                _("現在のバージョンでは対応していません。"),
            MessageIcon::Exclamation};
}

}  // namespace vantoli
