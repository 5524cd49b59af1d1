#include "audio/loudness.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

#include <ebur128.h>

#include "audio/true_peak.h"
#include "core/language.h"
#include "core/side_program.h"

namespace vantoli::audio {

namespace {

struct Ebur128 {
    ebur128_state* state;
    explicit Ebur128(int mode) : state(ebur128_init(Channels, SampleRate, mode)) {}
    ~Ebur128() { ebur128_destroy(&state); }
    Ebur128(const Ebur128&) = delete;
    Ebur128& operator=(const Ebur128&) = delete;
};

double number(const std::string& text)
{
    if (text == "-inf") return -INFINITY;
    return std::strtod(text.c_str(), nullptr);
}

std::int64_t whole(const std::string& text)
{
    return static_cast<std::int64_t>(std::strtoll(text.c_str(), nullptr, 10));
}

std::string text(double value)
{
    if (!std::isfinite(value)) return "-inf";
    std::ostringstream out;
    out.precision(17);
    out << value;
    return out.str();
}

// "bin:count,bin:count…", "-" for none.
std::string histogramText(const BlockHistogram& blocks)
{
    if (blocks.empty()) return "-";
    std::string out;
    for (const auto& [bin, count] : blocks) {
        if (!out.empty()) out += ',';
        out += std::to_string(bin) + ':' + std::to_string(count);
    }
    return out;
}

std::optional<BlockHistogram> histogramOf(const std::string& text)
{
    BlockHistogram blocks;
    if (text == "-") return blocks;
    std::istringstream in(text);
    std::string pair;
    while (std::getline(in, pair, ',')) {
        const std::size_t colon = pair.find(':');
        if (colon == std::string::npos) return std::nullopt;
        char* end = nullptr;
        const long bin = std::strtol(pair.c_str(), &end, 10);
        if (end != pair.c_str() + colon || bin < 0 || bin >= BlockBins) return std::nullopt;
        const long long count = std::strtoll(pair.c_str() + colon + 1, &end, 10);
        if (*end != '\0' || count <= 0) return std::nullopt;
        blocks[static_cast<int>(bin)] = count;
    }
    return blocks;
}

// Whether a cached measurement is one that audio could have given; any other is measured again. The
// loudness of a signal lies a few dB at most above its peak (a full-scale square wave of high
// frequency, raised by the K-weighting), and so does each of its gating blocks.
bool couldBeMeasured(const TrackLoudness& loudness)
{
    constexpr double MostAbovePeak = 6;
    constexpr std::int64_t MostFrames = std::int64_t{24} * 60 * 60 * SampleRate;
    const double lufs = loudness.integratedLufs, peak = loudness.truePeakDbtp;
    if (std::isnan(lufs) || std::isnan(peak) || lufs == HUGE_VAL || peak == HUGE_VAL) return false;
    if (std::isfinite(lufs) && (lufs < -70 || !std::isfinite(peak) || lufs > peak + MostAbovePeak)) return false;
    if (std::isfinite(peak) && (peak < -200 || peak > 20)) return false;
    if (loudness.frames < 0 || loudness.frames > MostFrames) return false;
    // One block every 100 ms once the first 400 ms are in. The count is checked as it grows, so that
    // no number of blocks a line can hold overflows the sum.
    const long long mostBlocks = loudness.frames / (SampleRate / 10);
    long long blocks = 0;
    for (const auto& [bin, count] : loudness.blocks) {
        if (count > mostBlocks - blocks) return false;
        blocks += count;
        if (!std::isfinite(peak) || -70 + bin / 100.0 > peak + MostAbovePeak) return false;
    }
    return true;
}

TrackLoudness analyse(const AudioSource& source)
{
    auto opened = openSound(source);
    if (auto* error = std::get_if<SoundError>(&opened)) throw *error;
    SoundSource& sound = *std::get<std::unique_ptr<SoundSource>>(opened);
    // Only the momentary loudness from libebur128: the integrated loudness is gated from the blocks
    // kept here anyway, which saves the library keeping and summing each block a second time.
    Ebur128 meter(EBUR128_MODE_M);
    TruePeakMeter truePeak;
    if (!meter.state) throw SoundError{soundName(source), _("ラウドネスを測れません")};
    // Fed 100 ms at a time: once 400 ms are in, the momentary loudness after each step is one gating block.
    constexpr std::int64_t Step = SampleRate / 10;
    std::vector<float> samples(static_cast<std::size_t>(Step) * Channels * 10);
    TrackLoudness result;
    std::int64_t steps = 0, inStep = 0;
    while (const std::int64_t got = sound.read(samples.data(), Step * 10)) {
        for (std::int64_t at = 0; at < got;) {
            const std::int64_t take = std::min(Step - inStep, got - at);
            ebur128_add_frames_float(meter.state, samples.data() + at * Channels, static_cast<std::size_t>(take));
            at += take;
            if ((inStep += take) < Step) continue;
            inStep = 0;
            double block = -HUGE_VAL;
            if (++steps >= 4 && ebur128_loudness_momentary(meter.state, &block) == EBUR128_SUCCESS)
                addBlock(result.blocks, block);
        }
        truePeak.add(samples.data(), got);
        result.frames += got;
    }
    const double lufs = gatedLoudness(result.blocks);
    const double peak = truePeak.peak();
    result.integratedLufs = std::isfinite(lufs) ? lufs : -INFINITY;
    result.truePeakDbtp = peak > 0 ? 20 * std::log10(peak) : -INFINITY;
    return result;
}

}  // namespace

std::filesystem::path cacheFolder()
{
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/')
        return std::filesystem::path(xdg) / "vantoli";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".cache" / "vantoli";
}

LoudnessCache::LoudnessCache(std::filesystem::path file) : file_(std::move(file))
{
    std::ifstream in(file_);
    std::string line;
    while (std::getline(in, line)) {
        // size, mtime, start, end, lufs, peak, frames, blocks, path: the path last, as it may hold tabs.
        std::vector<std::string> fields;
        std::size_t at = 0;
        for (int i = 0; i < 8; ++i) {
            const std::size_t tab = line.find('\t', at);
            if (tab == std::string::npos) break;
            fields.push_back(line.substr(at, tab - at));
            at = tab + 1;
        }
        if (fields.size() != 8) continue;
        std::optional<BlockHistogram> blocks = histogramOf(fields[7]);
        if (!blocks) continue;
        const Key key{line.substr(at), static_cast<std::uintmax_t>(whole(fields[0])), whole(fields[1]),
                      whole(fields[2]), whole(fields[3])};
        TrackLoudness loudness{number(fields[4]), number(fields[5]), whole(fields[6]), std::move(*blocks)};
        if (couldBeMeasured(loudness)) entries_[key] = std::move(loudness);
    }
}

std::optional<LoudnessCache::Key> LoudnessCache::keyOf(const AudioSource& source)
{
    if (source.kind != AudioSource::Kind::File) return std::nullopt;
    std::error_code error;
    const std::filesystem::path path(source.path);
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    const auto modified = std::filesystem::last_write_time(path, error);
    if (error) throw SoundError{source.path, _("ファイルがありません")};
    return Key{std::filesystem::absolute(path, error).lexically_normal().string(), size,
               static_cast<std::int64_t>(modified.time_since_epoch().count()), source.startFrame, source.endFrame};
}

TrackLoudness LoudnessCache::measure(const AudioSource& source) { return measureAll({source}).front(); }

std::vector<TrackLoudness> LoudnessCache::measureAll(const std::vector<AudioSource>& sources)
{
    std::vector<TrackLoudness> results(sources.size());
    std::vector<std::optional<Key>> keys(sources.size());
    std::vector<std::size_t> files, others;  // what is to be measured
    for (std::size_t i = 0; i < sources.size(); ++i) {
        keys[i] = keyOf(sources[i]);
        if (keys[i]) {
            if (const auto found = entries_.find(*keys[i]); found != entries_.end()) {
                results[i] = found->second;
                continue;
            }
        }
        (keys[i] ? files : others).push_back(i);
    }
    // Files are decoded side by side, one a core; a drive reads one track at a time.
    std::vector<std::optional<SoundError>> errors(sources.size());
    const auto measureOne = [&](std::size_t i) {
        try {
            results[i] = analyse(sources[i]);
        } catch (const SoundError& error) {
            errors[i] = error;
        }
    };
    std::atomic<std::size_t> next{0};
    const std::size_t workers = std::min<std::size_t>(files.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (std::size_t w = 1; w < workers; ++w)
        threads.emplace_back([&] {
            for (std::size_t k; (k = next++) < files.size();) measureOne(files[k]);
        });
    for (std::size_t k; (k = next++) < files.size();) measureOne(files[k]);
    for (std::thread& thread : threads) thread.join();
    for (const std::size_t i : others) measureOne(i);

    for (std::size_t i = 0; i < sources.size(); ++i)
        if (errors[i]) throw *errors[i];
    for (const std::vector<std::size_t>* measuredNow : {&files, &others})
        for (const std::size_t i : *measuredNow) {
            ++measured_;
            if (keys[i]) entries_[*keys[i]] = results[i];
        }
    return results;
}

bool LoudnessCache::save()
{
    if (measured_ == 0) return true;
    std::error_code error;
    std::filesystem::create_directories(file_.parent_path(), error);
    const std::filesystem::path part = file_.string() + "." + std::to_string(::getpid()) + ".part";
    {
        std::ofstream out(part, std::ios::trunc);
        for (const auto& [key, value] : entries_) {
            const auto& [path, size, modified, start, end] = key;
            if (path.find('\n') != std::string::npos) continue;
            out << size << '\t' << modified << '\t' << start << '\t' << end << '\t' << text(value.integratedLufs)
                << '\t' << text(value.truePeakDbtp) << '\t' << value.frames << '\t' << histogramText(value.blocks)
                << '\t' << path << '\n';
        }
        out.flush();
        if (!out) {
            std::filesystem::remove(part, error);
            return false;
        }
    }
    std::filesystem::rename(part, file_, error);
    if (error) std::filesystem::remove(part, error);
    return !error;
}

}  // namespace vantoli::audio
