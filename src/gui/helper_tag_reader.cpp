#include "gui/helper_tag_reader.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "gui/program_files.h"

namespace vantoli {

namespace {

constexpr int StartWaitMs = 10'000;
constexpr int AnswerWaitMs = 60'000;  // one file on a slow network share
constexpr int EndWaitMs = 2'000;

std::string text(const QJsonObject& answer, const char* name)
{
    return answer.value(QLatin1String(name)).toString().toStdString();
}

}  // namespace

HelperTagReader::HelperTagReader() = default;

HelperTagReader::~HelperTagReader() { end(); }

void HelperTagReader::end() const
{
    if (!child_) return;
    child_->closeWriteChannel();  // the child ends at the end of its input
    if (!child_->waitForFinished(EndWaitMs)) {
        child_->kill();
        child_->waitForFinished(EndWaitMs);
    }
    child_.reset();
}

std::optional<AudioFileTags> HelperTagReader::read(const std::string& path) const
{
    if (!child_) {
        child_ = std::make_unique<QProcess>();
        child_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child_->start(helperProgram(), {QStringLiteral("--read-tags")});
        if (!child_->waitForStarted(StartWaitMs)) {
            child_.reset();
            return std::nullopt;
        }
    }
    QByteArray request(path.data(), static_cast<qsizetype>(path.size()));
    request.append('\0');
    child_->write(request);
    while (!child_->canReadLine()) {
        if (!child_->waitForReadyRead(AnswerWaitMs)) {
            // Gone or stuck on this file: the next file has a child of its own.
            child_->kill();
            end();
            return std::nullopt;
        }
    }
    const QJsonDocument answer = QJsonDocument::fromJson(child_->readLine());
    if (!answer.isObject()) return std::nullopt;
    const QJsonObject tags = answer.object();
    return AudioFileTags{std::max<std::int64_t>(0, tags.value(QLatin1String("milliseconds")).toInteger()),
                         text(tags, "title"), text(tags, "artist"), text(tags, "album"), text(tags, "albumArtist")};
}

}  // namespace vantoli
