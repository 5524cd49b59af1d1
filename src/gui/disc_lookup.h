#pragma once
// Titles for a disc from the MusicBrainz disc database, asked only when the user has ticked
// mnuSettingOnline. Only the disc ID leaves the machine. The service's rules are kept: a User-Agent
// with the program's name, version and a contact address; at most one request a second; a 503 is
// asked once more after a second. Answers that can be read, and "not found", are kept in the user's
// cache folder (musicbrainz/<disc ID>.json), so the same disc is never asked for twice.

#include <QString>

#include "core/disc_id.h"
#include "core/track_list.h"
#include "gui/translation.h"

class QWidget;

namespace vantoli {

struct DiscLookup {
    TrackList tracks;  // the disc named after the release chosen, or the disc as it was read
    Ja status;         // what the window's status line says of the lookup
};

// Looks the disc up and names its tracks after the release found: one is taken as it is, several are
// offered in the ReleaseChooser. Nothing found, no network, no answer within 10 s (the wait shows a
// window with a Cancel button after a moment), an answer that cannot be read, or a choice cancelled:
// the disc stays as it was read and the status says why. The disc's lengths always stay its own.
DiscLookup lookUpDisc(QWidget* parent, const DiscToc& toc, TrackList disc);

// The service's address: https://musicbrainz.org, or VANTOLI_MUSICBRAINZ_URL when that is set (for
// tests, which serve answers from 127.0.0.1).
QString musicBrainzBaseUrl();

}  // namespace vantoli
