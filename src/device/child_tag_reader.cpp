#include "device/child_tag_reader.h"

#include <cerrno>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include "device/tag_answer.h"

extern char** environ;

namespace vantoli {

namespace {

constexpr int AnswerWaitMs = 60'000;  // one file on a slow network share

}  // namespace

// The child's standard input and output are one end of a socket pair: the reader sends with
// MSG_NOSIGNAL, so a child that has gone is an error to handle, not a SIGPIPE that ends the caller.
struct ChildTagReader::Child {
    pid_t pid = -1;
    int socket = -1;
    std::string pending;  // what came after the last answer's line end

    ~Child()
    {
        if (socket >= 0) ::close(socket);
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
    }

    static std::unique_ptr<Child> start(const std::string& program)
    {
        int ends[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return nullptr;
        auto child = std::make_unique<Child>();
        child->socket = ends[0];
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--read-tags"), nullptr};
        const int spawned = ::posix_spawn(&child->pid, program.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        if (spawned != 0) {
            child->pid = -1;
            return nullptr;
        }
        return child;
    }

    bool send(const std::string& path) const
    {
        std::string request = path + '\0';
        for (std::size_t sent = 0; sent < request.size();) {
            const ssize_t done = ::send(socket, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) return false;
            sent += static_cast<std::size_t>(done);
        }
        return true;
    }

    // The next line the child writes, without its line end; nothing when it ends or stays silent.
    std::optional<std::string> answer()
    {
        std::size_t end;
        while ((end = pending.find('\n')) == std::string::npos) {
            pollfd ready{socket, POLLIN, 0};
            const int polled = ::poll(&ready, 1, AnswerWaitMs);
            if (polled < 0 && errno == EINTR) continue;
            if (polled <= 0) return std::nullopt;
            char buffer[4096];
            const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) return std::nullopt;
            pending.append(buffer, static_cast<std::size_t>(got));
        }
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        return line;
    }
};

ChildTagReader::ChildTagReader(std::string program) : program_(std::move(program)) {}

ChildTagReader::~ChildTagReader() = default;

std::optional<AudioFileTags> ChildTagReader::read(const std::string& path) const
{
    if (!child_) child_ = Child::start(program_);
    if (!child_) return std::nullopt;
    std::optional<std::string> line;
    if (child_->send(path)) line = child_->answer();
    if (!line) {
        // Gone or stuck on this file: the next file has a child of its own.
        child_.reset();
        return std::nullopt;
    }
    return parseTagAnswer(*line);
}

}  // namespace vantoli
