#include "audio/sound_source.h"

#include "audio/cd_sound.h"
#include "audio/file_sound.h"

namespace vantoli::audio {

std::string soundName(const AudioSource& source)
{
    switch (source.kind) {
    case AudioSource::Kind::File: return source.path;
    case AudioSource::Kind::CdTrack:
        return (source.path.empty() ? std::string("CD") : source.path) + "（トラック " + std::to_string(source.cdTrack) + "）";
    case AudioSource::Kind::None: break;
    }
    return "入力したタイム";
}

std::variant<std::unique_ptr<SoundSource>, SoundError> openSound(const AudioSource& source)
{
    switch (source.kind) {
    case AudioSource::Kind::File: return openFileSound(source.path, source.startFrame, source.endFrame);
    case AudioSource::Kind::CdTrack: return openCdSound(source.path, source.cdTrack);
    case AudioSource::Kind::None: break;
    }
    return SoundError{soundName(source), "音声がありません"};
}

}  // namespace vantoli::audio
