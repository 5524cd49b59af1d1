#pragma once
// The files of a read, decoded to their ends by vantoli-plan while the user goes on: a file whose
// sound stops before the length its header states is told as soon as it is found, so that the plan is
// made from the length it really has. Nothing is said when vantoli-plan cannot be started.

#include <QObject>

#include <vector>

#include "core/track_list.h"

namespace vantoli {

class PlanChild;

class FileCheck : public QObject {
    Q_OBJECT
public:
    explicit FileCheck(QObject* parent);

    // Checks the tracks of `list` that play from files; a check still going on is dropped.
    void start(const TrackList& list);

signals:
    // Track `index` (0-based in the list) ends after `milliseconds`, more than a second before its
    // header says.
    void endsEarly(int index, const vantoli::AudioSource& audio, qint64 milliseconds);

private:
    PlanChild* child_ = nullptr;
    TrackList checking_;
};

}  // namespace vantoli
