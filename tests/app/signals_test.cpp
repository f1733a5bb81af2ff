// SIGTERM and SIGINT stop a headless run at the end of the frame it is in,
// and the run still writes what it promised (the state line, the record)
// before it ends as the signal would have ended it.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "engine/TempDir.h"
#include "support/GameProcess.h"
#include "support/TestPaths.h"
#include "tools/PackTestSupport.h"

namespace korvid {
namespace {

using Clock = std::chrono::steady_clock;

// The game as a child process whose standard output and error we read.
class RunningGame {
public:
    explicit RunningGame(const std::vector<std::string>& args) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        std::vector<std::string> argv = {korvid::test::BinaryDir() + "/korvid", "--headless"};
        argv.insert(argv.end(), args.begin(), args.end());
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], 1);
            ::dup2(fds[1], 2);
            ::close(fds[0]);
            ::close(fds[1]);
            std::vector<char*> raw;
            for (std::string& a : argv) raw.push_back(a.data());
            raw.push_back(nullptr);
            ::execv(raw[0], raw.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        fd_ = fds[0];
    }
    ~RunningGame() {
        if (pid_ > 0 && status_ < 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0) ::close(fd_);
    }

    // Reads until `text` has appeared (true) or the output ends or
    // `seconds` pass (false).
    bool readUntil(const std::string& text, double seconds) {
        const auto until = Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
        while (out_.find(text) == std::string::npos) {
            if (Clock::now() > until || !readSome(until)) return false;
        }
        return true;
    }
    // Reads to the end of the output; false if it does not end in time.
    bool readToEnd(double seconds) {
        const auto until = Clock::now() + std::chrono::milliseconds(static_cast<long>(seconds * 1000));
        while (readSome(until)) {
        }
        return eof_;
    }
    // The exit status as waitpid reports it.
    int wait() {
        if (status_ < 0) ::waitpid(pid_, &status_, 0);
        return status_;
    }
    void signal(int sig) { ::kill(pid_, sig); }
    const std::string& output() const { return out_; }

private:
    bool readSome(Clock::time_point until) {
        if (eof_) return false;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
        if (left <= 0) return false;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left)) <= 0) return false;
        char buf[4096];
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n <= 0) {
            eof_ = true;
            return false;
        }
        out_.append(buf, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    int status_ = -1;
    bool eof_ = false;
    std::string out_;
};

// A game started and played with Left held, for as long as it is let run.
TEST(Signals, SigtermEndsAPlayingRunWithItsStateLineAndItsRecord) {
    korvid::testing::TempDir dir;
    dir.write("keys.txt", "250 RETURN\n280 RETURN\n360 Z\n400-1000000 LEFT+Z\n");
    const std::string record = dir.file("run.rpy");
    RunningGame game({"--dir", dir.file("game"), "--pack", packtest::kPackPath, "--keys", dir.file("keys.txt"),
                      "--trace", "--print-state", "--record", record});
    // Well into play: the trace shows the play screen with the ship moved left.
    ASSERT_TRUE(game.readUntil("screen=10 stage=1 frame=200 ", 120)) << game.output().substr(0, 2000);
    const auto sent = Clock::now();
    game.signal(SIGTERM);
    ASSERT_TRUE(game.readToEnd(20)) << "the run did not stop";
    const int status = game.wait();
    EXPECT_LT(Clock::now() - sent, std::chrono::seconds(10));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;

    // The last line is the promised state line (with its hash), right after
    // the frame that was running.
    const std::string last = test::LastStateLine(game.output());
    EXPECT_NE(last.find(" hash="), std::string::npos) << last;
    EXPECT_EQ(game.output().find("hash=", game.output().find("frame=200 ")), game.output().rfind("hash="))
        << "one state line with a hash, at the end";

    // The record stops where the run stopped, and plays back to the same state.
    const test::GameRun replay = test::RunHeadless("--dir " + dir.file("game2") + " --pack " + packtest::kPackPath +
                                                   " --replay " + record + " --verify --print-state");
    EXPECT_EQ(replay.status, 0) << replay.out;
    EXPECT_NE(replay.out.find("stage 1: ok"), std::string::npos) << replay.out;
    EXPECT_EQ(replay.last(), last);
}

// Ctrl+C on a run that would otherwise never end (the title, no frame limit).
TEST(Signals, SigintEndsAnEndlessRun) {
    korvid::testing::TempDir dir;
    RunningGame game({"--dir", dir.file("game"), "--pack", packtest::kPackPath, "--trace", "--print-state"});
    ASSERT_TRUE(game.readUntil("screen=0 ", 60)) << game.output().substr(0, 2000);
    game.signal(SIGINT);
    ASSERT_TRUE(game.readToEnd(20)) << "the run did not stop";
    const int status = game.wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
    EXPECT_NE(test::LastStateLine(game.output()).find(" hash="), std::string::npos) << game.output();
}

}  // namespace
}  // namespace korvid
