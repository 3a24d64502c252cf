// The program's one exception type. Its message is Windows-1250 text meant for the user
// (Polish, as the windows show it); what() gives the same text in UTF-8.
#pragma once

#include <exception>
#include <string>

namespace bilvox {

class Error : public std::exception {
 public:
  explicit Error(std::string message);

  // The message as the program stores and shows it (Windows-1250).
  const std::string& Message() const noexcept { return message_; }
  // The message in UTF-8, for terminals and logs of the test runner.
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::string message_;
  std::string utf8_;
};

}  // namespace bilvox
