// Shows the dubbing window playing a side of the audio files given, for the picture in docs/
// (scripts/dubbing-shot runs it under Xvfb with a PulseAudio null sink).
// Usage: vantoli_dubbing_shot FILE...   (16-bit stereo 44.1 kHz files of whole seconds)

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>

#include <cstdio>

#include "core/label_content.h"
#include "core/tape_planner.h"
#include "gui/dubbing.h"
#include "gui/fonts.h"
#include "gui/translation.h"

using namespace vantoli;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    registerFontSubstitutions();
    useLanguage(languageFromEnvironment());
    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        std::fprintf(stderr, "usage: vantoli_dubbing_shot FILE...\n");
        return 2;
    }
    const char* titles[] = {"夜明けのハイウェイ", "潮風", "Blue Horizon", "防波堤で待ってる", "真夏の残像", "帰り道"};
    MadePlan made;
    made.gap = 5;
    made.titles.album = "夏の終わりのドライブ";
    for (int i = 0; i < files.size(); ++i) {
        const qint64 frames = (QFileInfo(files[i]).size() - 44) / 4;
        Track track{frames * 1000 / 44100, titles[i % 6], {}, {}};
        track.audio.kind = AudioSource::Kind::File;
        track.audio.path = files[i].toStdString();
        made.titles.tracks.push_back(track);
        made.trackSeconds.push_back(int(frames / 44100));
    }
    PlanOptions options;
    made.plan = *PlanTape(made.trackSeconds, options);

    SingleWindow<Dubbing> holder;
    Dubbing* window = showDubbing(holder, made);
    window->cmdPlay()->click();
    QObject::connect(window, &QObject::destroyed, &app, &QApplication::quit);
    return app.exec();
}
