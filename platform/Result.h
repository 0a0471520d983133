#pragma once
// What a Qt-free operation gives back: its value, or a message for the user
// saying what failed and why. Only the front ends turn the message into a
// message box, a status line or an exit status.
//
//   Result<Plan> MakePlan(...) { if (bad) return Failure{"..."}; return plan; }
//   Result<> Save(...)         { ...; return {}; }

#include <optional>
#include <string>
#include <utility>

struct Failure {
  std::string Message;
};

template <typename T = void>
class [[nodiscard]] Result {
 public:
  Result(T value) : Value_(std::move(value)) {}
  Result(Failure failure) : Message(std::move(failure.Message)) {}

  bool Ok() const { return Value_.has_value(); }
  explicit operator bool() const { return Ok(); }
  // Empty when Ok().
  const std::string& Error() const { return Message; }

  T& Value() { return *Value_; }
  const T& Value() const { return *Value_; }
  T* operator->() { return &*Value_; }
  const T* operator->() const { return &*Value_; }
  T& operator*() { return *Value_; }
  const T& operator*() const { return *Value_; }

 private:
  std::optional<T> Value_;
  std::string Message;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : Failed(true), Message(std::move(failure.Message)) {}

  bool Ok() const { return !Failed; }
  explicit operator bool() const { return Ok(); }
  const std::string& Error() const { return Message; }

 private:
  bool Failed = false;
  std::string Message;
};
