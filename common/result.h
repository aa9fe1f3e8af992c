// What a function at a boundary (reading and writing files, starting a
// program, reading pictures, the settings file) gives back: its value, or
// why it has none. The kind, with what the user was doing, says which
// message the window shows (ui/failure_messages.cpp); the reason is the
// system's or the reader's own words, shown with it. Malformed data inside
// the core stays a thrown FormatError, which the command catches where it
// calls the core.
#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>
#include <variant>
#include <vector>

namespace velmora {

enum class FailureKind {
    CannotOpen,   // a file cannot be opened
    CannotRead,   // an open file cannot be read
    CannotWrite,  // a file cannot be written whole
    TooShort,     // a room file shorter than any room
    TooLarge,     // a file longer than its limit, or more than the memory allows
    TooManyPixels,  // a picture larger than any the editor takes
    Damaged,      // bytes that are not what they claim to be
    WrongSize,    // a file or picture of another size than it must have
    Unreadable,   // a picture no reader decodes (no reason: no reader knows it)
    Unencodable,  // a text the room's encoding cannot hold
    NotStarted,   // a program that could not be started
};

struct Failure {
    FailureKind kind;
    QString reason = {};   // "No space left on device", "the file is cut short"
    QString subject = {};  // the file, program or text encoding concerned; empty when none
    int item = -1;    // the slot or text field concerned; -1 when none
    // What a message words itself: a length and its limit (TooLarge), a
    // picture's width and height (TooManyPixels).
    std::vector<qint64> numbers = {};
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; asking a failure for it throws std::bad_variant_access.
    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // Why there is no value; asking a success throws std::bad_variant_access.
    const Failure& failure() const { return std::get<1>(state_); }

private:
    std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    // Asking a success throws std::bad_optional_access.
    const Failure& failure() const { return failure_.value(); }

private:
    std::optional<Failure> failure_;
};

}  // namespace velmora
