#include "gui/file_check.h"

#include <QJsonDocument>
#include <QJsonObject>

#include "core/side_program.h"
#include "core/stream_request.h"
#include "gui/plan_process.h"

namespace vantoli {

FileCheck::FileCheck(QObject* parent) : QObject(parent) {}

void FileCheck::start(const TrackList& list)
{
    delete child_;  // ends a check of the tracks before
    child_ = nullptr;
    StreamRequest request;
    for (std::size_t i = 0; i < list.tracks.size(); ++i)
        if (list.tracks[i].audio.kind == AudioSource::Kind::File)
            request.side.tracks.push_back({static_cast<int>(i + 1), list.tracks[i].audio, 0});
    if (request.side.tracks.empty()) return;
    checking_ = list;

    child_ = new PlanChild(this);
    connect(child_, &PlanChild::line, this, [this](const QByteArray& text) {
        const QJsonObject report = QJsonDocument::fromJson(text).object();
        const int index = report.value("track").toInt() - 1;
        if (index < 0 || static_cast<std::size_t>(index) >= checking_.tracks.size() || !report.contains("frames"))
            return;
        const qint64 frames = report.value("frames").toInteger();
        const qint64 stated = report.value("statedFrames").toInteger();
        // A second, as a render forgives between a file and its plan.
        if (frames + SampleRate < stated)
            emit endsEarly(index, checking_.tracks[static_cast<std::size_t>(index)].audio, frames * 1000 / SampleRate);
    });
    child_->start({QStringLiteral("--check-files=-")});
    child_->send(QByteArray::fromStdString(streamRequestJson(request)));
    child_->closeInput();
}

}  // namespace vantoli
