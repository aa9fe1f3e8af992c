// The process side of editing a part in an external program: a private
// temporary file for the picture, and a start-and-wait that neither spins
// nor lets the user act meanwhile.
#pragma once

#include "common/result.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <span>

namespace velmora {

// Writes `bytes` to a new file named pathFor(0), or pathFor(1), pathFor(2),
// ... while a name is taken. The file is always made afresh: an existing file
// or link of that name, planted or left over, is never opened or written
// through. Only the user can read it. Gives the path; CannotWrite naming the
// file and the system's reason when it cannot be made or written (no
// half-written file is left behind), or naming pathFor(0) when every name
// tried is taken.
Result<QString> CreateExclusiveFile(const std::function<QString(int attempt)>& pathFor,
                                    std::span<const uint8_t> bytes);

// Starts `program` with `file` as its one argument, no shell between, and
// blocks until it has ended. Nothing else runs meanwhile: no events are
// processed, and the wait sleeps in the kernel. The exit status does not
// matter. The editor shares our standard streams. NotStarted with the
// system's reason when it cannot be started.
Result<void> RunEditor(const QString& program, const QString& file);

}  // namespace velmora
