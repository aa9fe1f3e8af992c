// Standard error closed to image libraries while a picture is read.
#pragma once

namespace velmora::pac {

// libpng's default error printer writes "libpng error: Read Error" to the C
// library's standard error itself, past Qt's message handler (which
// ReadPictureFile keeps quiet); the tool gives the reason once, in its one
// line. While one of these lives, standard error goes to the null device.
class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;  // the real standard error, while it is set aside
};

}  // namespace velmora::pac
