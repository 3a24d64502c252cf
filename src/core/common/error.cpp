#include "common/error.h"

#include "common/cp1250.h"

namespace bilvox {

Error::Error(std::string message) : message_(std::move(message)), utf8_(ToUtf8(message_)) {}

}  // namespace bilvox
