#include "core/file_read_result.h"
#include "core/language.h"

namespace vantoli {

namespace {

// Like the CD read command's two-line messages, these join their lines with CR LF.
constexpr const char* LineBreak = "\r\n";
// The unreadable items a message names one by one; the rest are counted.
constexpr std::size_t NamedItems = 5;

constexpr const char* ReadErrorTitle = N_("ファイル読み取りエラー");

}  // namespace

std::string fileProblemText(FileProblem problem)
{
    switch (problem) {
    case FileProblem::Missing: return _("見つかりません");
    case FileProblem::NotAFile: return _("通常のファイルではありません");
    case FileProblem::CannotOpen: return _("開けません");
    case FileProblem::NotAudio: return _("音声ファイルとして読めません");
    case FileProblem::UnknownLength: return _("長さがわかりません");
    case FileProblem::TooLarge: return _("大きすぎます");
    case FileProblem::NotAPlaylist: return _("プレイリストとして読めません");
    case FileProblem::NotACueSheet: return _("CUEシートとして読めません");
    case FileProblem::ListInList: return _("プレイリストの中のプレイリストは読みません");
    case FileProblem::TooManyFiles: return _("フォルダーの中のファイルが多すぎます");
    case FileProblem::NotLocal: return _("このコンピューターのファイルではありません");
    case FileProblem::PastFileEnd: return _("CUEシートの位置がファイルの長さを超えています");
    }
    return {};
}

Message unreadableFilesMessage(const UnreadableFiles& unreadable)
{
    std::string text = _("次のファイルを読み取れません。");
    const std::size_t count = unreadable.files.size();
    for (std::size_t i = 0; i < count && i < NamedItems; ++i) {
        const UnreadableFile& file = unreadable.files[i];
        text += LineBreak;
        text += _("・");
        const std::string problem = fileProblemText(file.problem);
        text += file.list.empty() ? fill(_("%1（%2）"), {file.name, problem})
                                  : fill(_("%1 の %2（%3）"), {file.list, file.name, problem});
    }
    if (count > NamedItems) text += LineBreak + fill(_("ほか %1 件"), {std::to_string(count - NamedItems)});
    return {_(ReadErrorTitle), text, MessageIcon::Stop};
}

Message noFileTracksMessage() { return {_(ReadErrorTitle), _("読み取れる曲がありません。"), MessageIcon::Stop}; }

Message longFileListMessage()
{
    return {_("21曲以上"),
            std::string(_("読み取った曲は21曲以上あります。")) + LineBreak +
                _("トラック構成案は結果レポートに表示します。"),
            MessageIcon::Information};
}

Message tooManyFileTracksMessage()
{
    return {_("100曲以上"),
            std::string(_("読み取った曲は100曲以上あります。")) + LineBreak +
                _("現在のバージョンでは対応していません。"),
            MessageIcon::Exclamation};
}

}  // namespace vantoli
