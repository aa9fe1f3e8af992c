// What a function at a boundary (reading and writing files, starting a
// program, reading pictures) gives back: its value, or why it has none. The
// kind says which message the window shows; the reason is the system's or
// the reader's own words, shown with it. Malformed data inside the core
// stays a thrown FormatError; the boundary turns it into a Failure.
#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace velmora {

enum class FailureKind {
    CannotOpen,   // a file cannot be opened or read
    CannotWrite,  // a file cannot be written whole
    TooShort,     // a room file shorter than any room
    TooLarge,     // more than a limit or the memory allows
    Damaged,      // bytes that are not what they claim to be
    WrongSize,    // a picture of another size than its slot's
    Unreadable,   // a picture no reader decodes
    Unencodable,  // a text the room's encoding cannot hold
    NotStarted,   // a program that could not be started
};

struct Failure {
    FailureKind kind;
    QString reason;   // "No space left on device", "the file is cut short"
    QString subject;  // the file or program concerned; empty when none
    int item = -1;    // the slot or text field concerned; -1 when none
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
