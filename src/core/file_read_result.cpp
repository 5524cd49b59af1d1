#include "core/file_read_result.h"

namespace vantoli {

namespace {

// Like the CD read command's two-line messages, these join their lines with CR LF.
constexpr const char* LineBreak = "\r\n";
// The unreadable items a message names one by one; the rest are counted.
constexpr std::size_t NamedItems = 5;

constexpr const char* ReadErrorTitle = "ファイル読み取りエラー";

}  // namespace

std::string fileProblemText(FileProblem problem)
{
    switch (problem) {
    case FileProblem::Missing: return "見つかりません";
    case FileProblem::NotAFile: return "通常のファイルではありません";
    case FileProblem::CannotOpen: return "開けません";
    case FileProblem::NotAudio: return "音声ファイルとして読めません";
    case FileProblem::UnknownLength: return "長さがわかりません";
    case FileProblem::TooLarge: return "大きすぎます";
    case FileProblem::NotAPlaylist: return "プレイリストとして読めません";
    case FileProblem::NotACueSheet: return "CUEシートとして読めません";
    case FileProblem::ListInList: return "プレイリストの中のプレイリストは読みません";
    case FileProblem::TooManyFiles: return "フォルダーの中のファイルが多すぎます";
    case FileProblem::NotLocal: return "このコンピューターのファイルではありません";
    case FileProblem::PastFileEnd: return "CUEシートの位置がファイルの長さを超えています";
    }
    return {};
}

Message unreadableFilesMessage(const UnreadableFiles& unreadable)
{
    std::string text = "次のファイルを読み取れません。";
    const std::size_t count = unreadable.files.size();
    for (std::size_t i = 0; i < count && i < NamedItems; ++i) {
        const UnreadableFile& file = unreadable.files[i];
        text += LineBreak;
        text += "・";
        if (!file.list.empty()) text += file.list + " の ";
        text += file.name + "（" + fileProblemText(file.problem) + "）";
    }
    if (count > NamedItems) text += LineBreak + ("ほか " + std::to_string(count - NamedItems) + " 件");
    return {ReadErrorTitle, text, MessageIcon::Stop};
}

Message noFileTracksMessage() { return {ReadErrorTitle, "読み取れる曲がありません。", MessageIcon::Stop}; }

Message longFileListMessage()
{
    return {"21曲以上",
            std::string("読み取った曲は21曲以上あります。") + LineBreak + "トラック構成案は結果レポートに表示します。",
            MessageIcon::Information};
}

Message tooManyFileTracksMessage()
{
    return {"100曲以上",
            std::string("読み取った曲は100曲以上あります。") + LineBreak + "現在のバージョンでは対応していません。",
            MessageIcon::Exclamation};
}

}  // namespace vantoli
