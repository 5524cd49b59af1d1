#include "audio/sound_source.h"

#include "audio/cd_sound.h"
#include "audio/file_sound.h"
#include "core/language.h"

namespace vantoli::audio {

std::string soundName(const AudioSource& source)
{
    switch (source.kind) {
    case AudioSource::Kind::File: return source.path;
    case AudioSource::Kind::CdTrack:
        return fill(_("%1（トラック %2）"),
                    {source.path.empty() ? std::string("CD") : source.path, std::to_string(source.cdTrack)});
    case AudioSource::Kind::None: break;
    }
    return _("入力したタイム");
}

std::variant<std::unique_ptr<SoundSource>, SoundError> openSound(const AudioSource& source)
{
    switch (source.kind) {
    case AudioSource::Kind::File: return openFileSound(source.path, source.startFrame, source.endFrame);
    case AudioSource::Kind::CdTrack: return openCdSound(source.path, source.cdTrack);
    case AudioSource::Kind::None: break;
    }
    return SoundError{soundName(source), _("音声がありません")};
}

}  // namespace vantoli::audio
