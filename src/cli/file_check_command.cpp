#include "cli/file_check_command.h"

#include <vector>

#include <nlohmann/json.hpp>

#include "audio/sound_source.h"
#include "cli/side_render_command.h"
#include "core/language.h"
#include "core/stream_request.h"
#include "core/text_encoding.h"

namespace vantoli::cli {

CommandResult checkFiles(std::FILE* in, std::FILE* out)
{
    CommandResult result;
    const auto parsed = parseStreamRequest(readAllOf(in));
    if (const auto* bad = std::get_if<RequestError>(&parsed)) {
        result.exitStatus = Failed;
        result.err = "vantoli-plan: " + fill(_("--check-files の要求： %1。"), {bad->text}) + "\n";
        return result;
    }
    std::vector<float> samples(2 * 44100);
    for (const SideTrack& track : std::get<StreamRequest>(parsed).side.tracks) {
        nlohmann::ordered_json line{{"track", track.number}};
        auto opened = audio::openSound(track.audio);
        if (auto* error = std::get_if<audio::SoundError>(&opened)) {
            line["error"] = validUtf8(error->cause);
        } else {
            // A file cut off part-way fails where its sound stops: what came before is the length it has.
            audio::SoundSource& sound = *std::get<std::unique_ptr<audio::SoundSource>>(opened);
            std::int64_t frames = 0;
            try {
                while (const std::int64_t got = sound.read(samples.data(), 44100)) frames += got;
            } catch (const audio::SoundError& error) {
                line["error"] = validUtf8(error.cause);
            }
            line["frames"] = frames;
            line["statedFrames"] = sound.frames();
        }
        const std::string text = line.dump() + "\n";
        std::fwrite(text.data(), 1, text.size(), out);
        std::fflush(out);
    }
    return result;
}

}  // namespace vantoli::cli
