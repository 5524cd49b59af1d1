// The deck check window on a simulated deck, for the README's picture (scripts/deck-check-shot).
//   vantoli_deck_check_shot --simulate OUT.wav   writes the test program as a deck 0.8 % fast, with
//                                                0.09 % of 3.1 Hz wow, the right channel 15 µs late and
//                                                the levels 0.6 dB (L) and 1.4 dB (R) low
//   vantoli_deck_check_shot RECORDING OUT.png    measures RECORDING in the window and photographs it

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/deck_test_program.h"
#include "gui/deck_check.h"
#include "gui/fonts.h"
#include "gui/translation.h"

using namespace vantoli;

namespace {

bool writeSimulatedDeck(const QString& path)
{
    const double speed = 1.008, delay = 15e-6, wow = 0.0009, wowHz = 3.1, pi = std::numbers::pi;
    const auto frames = static_cast<std::int64_t>(deckTestSeconds() / speed * DeckTestRate) + 1;
    const std::vector<float> played = deckTestProgram(
        [&](double t, int channel) {
            const double u = t - (channel == 1 ? delay : 0);
            return speed * (u + wow / (2 * pi * wowHz) * (1 - std::cos(2 * pi * wowHz * u)));
        },
        frames);
    QByteArray data;
    data.reserve(static_cast<qsizetype>(played.size() * 2));
    for (std::size_t i = 0; i < played.size(); ++i) {
        const double gain = std::pow(10.0, (i % 2 == 0 ? -0.6 : -1.4) / 20);
        const auto sample = static_cast<qint16>(std::clamp(std::lround(played[i] * gain * 32767.0), -32768L, 32767L));
        data.append(reinterpret_cast<const char*>(&sample), 2);
    }
    const auto word = [](quint32 value, int bytes) { return QByteArray(reinterpret_cast<const char*>(&value), bytes); };
    const QByteArray header = "RIFF" + word(36 + static_cast<quint32>(data.size()), 4) + "WAVEfmt " + word(16, 4) +
                              word(1, 2) + word(2, 2) + word(44100, 4) + word(44100 * 4, 4) + word(4, 2) + word(16, 2) +
                              "data" + word(static_cast<quint32>(data.size()), 4);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(header + data) == header.size() + data.size();
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--simulate"))
        return writeSimulatedDeck(arguments[2]) ? 0 : 1;
    if (arguments.size() != 3) return 2;
    registerFontSubstitutions();
    useLanguage(languageOf(LanguageChoice::System));
    auto* window = new DeckCheck;
    window->show();
    const QString picture = arguments[2];
    QObject::connect(window, &DeckCheck::stateChanged, window, [window, picture](DeckCheck::State state) {
        if (state != DeckCheck::State::Idle || !window->result()) return;
        // A moment for the layout to settle before the picture.
        QTimer::singleShot(300, window, [window, picture] {
            const bool saved = window->grab().save(picture);
            QApplication::exit(saved ? 0 : 1);
        });
    });
    window->measureFile(arguments[1]);
    return QApplication::exec();
}
