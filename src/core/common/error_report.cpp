#include "common/error_report.h"

#include "common/messages.h"

namespace bilvox {

std::string WithClosingStop(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

void ShowCommandError(const Error& error, std::string_view caption) {
  ShowError(caption, WithClosingStop(error.Message()));
}

}  // namespace bilvox
