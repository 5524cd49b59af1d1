// Writes the cassette label of a sample plan as a PDF file, or shows the label window with it, for
// looking at them and for the pictures in docs/ (scripts/label-shots renders the page and photographs
// the window).
// Usage: vantoli_label_shots (--pdf FILE | --window) [--twenty | --long] [--long-title]

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <vector>

#include "core/label_content.h"
#include "core/tape_planner.h"
#include "gui/cassette_label.h"
#include "gui/fonts.h"
#include "gui/jcard_output.h"
#include "gui/translation.h"

using namespace vantoli;

namespace {

// A six-track disc with titles, planned with the 5-second gap and the disc's own order.
MadePlan sampleDisc()
{
    const std::vector<int> seconds{271, 230, 312, 245, 360, 210};
    TrackList titles;
    titles.album = "夏の終わりのドライブ";
    titles.artist = "海辺の楽団";
    for (const char* title : {"夜明けのハイウェイ", "潮風", "Blue Horizon", "防波堤で待ってる", "真夏の残像", "帰り道"})
        titles.tracks.push_back(Track{0, title, {}, {}});
    PlanOptions options;
    return MadePlan{*PlanTape(seconds, options), seconds, 5, titles};
}

// Forty tracks of two minutes: twenty on each side, as many as the front lists in one column.
MadePlan twentyASide()
{
    const std::vector<int> seconds(40, 120);
    TrackList titles;
    titles.album = "合唱曲集";
    titles.artist = "少年少女合唱団";
    for (int i = 0; i < 40; ++i) titles.tracks.push_back(Track{0, "春の小川 その" + std::to_string(i + 1), {}, {}});
    PlanOptions options;
    return MadePlan{*PlanTape(seconds, options), seconds, 5, titles};
}

// A long disc: 20 tracks on side A and the rest on side B.
MadePlan longDisc()
{
    std::vector<int> seconds;
    TrackList titles;
    titles.album = "小品集";
    for (int i = 0; i < 50; ++i) {
        seconds.push_back(40 + (i * 37) % 50);
        titles.tracks.push_back(Track{0, "小品 第" + std::to_string(i + 1) + "番", {}, {}});
    }
    PlanOptions options;
    const std::optional<TapePlan> plan = PlanTape(seconds, options);
    if (!plan) qFatal("the long sample disc must fit a tape");
    return MadePlan{*plan, seconds, 5, titles};
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // English under an English locale (LANG=en_US.UTF-8), else the program\'s own Japanese.
    vantoli::useLanguage(vantoli::languageFromEnvironment());
    registerFontSubstitutions();
    const QStringList args = app.arguments();
    const qsizetype pdf = args.indexOf(QStringLiteral("--pdf"));
    const bool window = args.contains(QStringLiteral("--window"));
    if ((pdf < 0 || pdf + 1 >= args.size()) && !window) {
        std::fprintf(stderr, "usage: vantoli_label_shots (--pdf FILE | --window) [--twenty | --long] [--long-title]\n");
        return 2;
    }
    MadePlan made = args.contains(QStringLiteral("--long"))     ? longDisc()
                    : args.contains(QStringLiteral("--twenty")) ? twentyASide()
                                                                : sampleDisc();
    // A title a little too long for its row, which makes its column smaller.
    if (args.contains(QStringLiteral("--long-title")) && made.titles.tracks.size() > 1)
        made.titles.tracks[1].title = "潮風（2024年8月 海辺の野外ステージ ライブ録音）";
    const QString note = QStringLiteral("TYPE II (CrO2)  Dolby B  2024-08-31");
    if (window) {
        // The window as a user leaves it after typing the note.
        SingleWindow<CassetteLabel> holder;
        CassetteLabel* shown = showCassetteLabel(holder, made);
        shown->txtNote()->setText(note);
        QObject::connect(shown, &QObject::destroyed, &app, &QApplication::quit);
        return app.exec();
    }
    LabelContent label = labelContent(made);
    label.note = note.toStdString();
    if (const std::optional<Message> failure = saveJCardPdf(args[pdf + 1], label)) {
        std::fprintf(stderr, "%s\n", failure->text.c_str());
        return 1;
    }
    return 0;
}
