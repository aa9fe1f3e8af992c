#include "quiet_stderr.h"

#include <cstdio>

// Neither standard C++ nor Qt can point a file descriptor elsewhere and back:
// the C runtime's descriptor calls, under their names on each system.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velmora::pac {

namespace {

constexpr int kStderr = 2;

#ifdef _WIN32
int OpenNullDevice() { return _open("NUL", _O_WRONLY); }
int Duplicate(int fd) { return _dup(fd); }
int DuplicateTo(int fd, int to) { return _dup2(fd, to); }
int Close(int fd) { return _close(fd); }
#else
int OpenNullDevice() { return open("/dev/null", O_WRONLY); }
int Duplicate(int fd) { return dup(fd); }
int DuplicateTo(int fd, int to) { return dup2(fd, to); }
int Close(int fd) { return close(fd); }
#endif

}  // namespace

QuietStderr::QuietStderr()
{
    std::fflush(stderr);
    const int null = OpenNullDevice();
    if (null < 0)
        return;
    saved_ = Duplicate(kStderr);
    if (saved_ >= 0 && DuplicateTo(null, kStderr) < 0) {
        Close(saved_);
        saved_ = -1;
    }
    Close(null);
}

QuietStderr::~QuietStderr()
{
    if (saved_ < 0)
        return;
    std::fflush(stderr);
    DuplicateTo(saved_, kStderr);
    Close(saved_);
}

}  // namespace velmora::pac
