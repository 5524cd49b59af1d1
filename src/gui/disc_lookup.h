#pragma once
// Titles for a disc from the MusicBrainz disc database, asked only when the user has ticked
// mnuSettingOnline. Only the disc ID leaves the machine. The service's rules are kept: a User-Agent
// with the program's name, version and a contact address; at most one request a second; a 503 is
// asked once more after a second. Answers that can be read, and "not found", are kept in the user's
// cache folder (musicbrainz/<disc ID>.json), so the same disc is never asked for twice.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

#include "core/disc_id.h"
#include "core/track_list.h"
#include "gui/translation.h"

class QProcess;
class QProgressDialog;
class QTimer;
class QWidget;

namespace vantoli {

struct DiscLookup {
    TrackList tracks;  // the disc named after the release chosen, or the disc as it was read
    Ja status;         // what the window's status line says of the lookup
};

// One lookup of a disc, run on the window's thread without waiting: the request goes out, the answer
// comes back through signals, and `finished` reports once, then the lookup deletes itself. It belongs
// to the window it was started for and goes with it.
class DiscLookupRun : public QObject {
    Q_OBJECT
public:
    DiscLookupRun(QWidget* parent, const DiscToc& toc, TrackList disc);
    void start();
    // Ends the lookup at once as cancelled (the waiting window's Cancel).
    void cancel();

signals:
    void finished(const vantoli::DiscLookup& result);

private:
    enum class Failure { NoConnection, TimedOut, TooLarge, Malformed, OtherHost, Cancelled };
    void startAsking();
    void ask();
    void answered(QProcess* child);
    void answerRead(const QByteArray& answer, bool fromCache);
    void fail(Failure failure);
    void finish(DiscLookup result);
    void dropRequest();
    void showProgress();

    QWidget* window_;
    TrackList disc_;
    QString discId_;
    QString cache_;
    QUrl url_;
    int attempt_ = 0;
    bool done_ = false;
    QPointer<QProcess> child_;  // vantoli-plan --fetch, while a request is out
    QTimer* deadline_ = nullptr;
    QTimer* progressDelay_ = nullptr;
    QPointer<QProgressDialog> progress_;
};

// Looks the disc up and names its tracks after the release found: one is taken as it is, several are
// offered in the ReleaseChooser. Nothing found, no network, no answer within 10 s from the request to
// the answer's last byte (the wait shows a window with a Cancel button after a moment, and Cancel ends
// it at once), an answer that is not the service's, or a choice cancelled: the disc stays as it was
// read and the status says why. The disc's lengths always stay its own. `done` is called once, later,
// on the window's thread; never when the window has gone.
void lookUpDisc(QWidget* parent, const DiscToc& toc, TrackList disc, std::function<void(DiscLookup)> done);

// The service's address: https://musicbrainz.org, or VANTOLI_MUSICBRAINZ_URL when that is set (for
// tests, which serve answers from 127.0.0.1).
QString musicBrainzBaseUrl();

}  // namespace vantoli
