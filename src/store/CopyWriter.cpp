#include "store/CopyWriter.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace lq {

namespace {

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

CopyWriter::~CopyWriter() {
    finish();
}

void CopyWriter::start(RecoveryCopy& copy, const Dictionary& dictionary) {
    finish();
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        error_ = copy.write(dictionary) ? 0 : copy.writeError();
        return;
    }
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipe[0]);
        ::close(pipe[1]);
        error_ = copy.write(dictionary) ? 0 : copy.writeError();
        return;
    }
    if (child == 0) {
        // The writer ends with the program, however that ends: an orphan would go on holding
        // the dictionary's lock (refusing the next start) and land a copy after the program's
        // end had decided about it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(0);
        }
        // Only this write happens here; _exit skips every handler the parent registered.
        ::close(pipe[0]);
        const int error = copy.write(dictionary) ? 0 : copy.writeError();
        ssize_t told = -1;
        do {
            told = ::write(pipe[1], &error, sizeof error);
        } while (told < 0 && errno == EINTR);
        ::_exit(0);
    }
    ::close(pipe[1]);
    child_ = child;
    result_ = pipe[0];
}

int CopyWriter::finish() {
    if (child_ <= 0) {
        return std::exchange(error_, 0);
    }
    int error = 0;
    ssize_t got = -1;
    do {
        got = ::read(result_, &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    // A child that could not tell (killed from outside) wrote nothing that can be trusted.
    if (got != static_cast<ssize_t>(sizeof error)) {
        error = EIO;
    }
    while (::waitpid(child_, nullptr, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    closeFd(result_);
    return error;
}

}  // namespace lq
