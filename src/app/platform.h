// The platform services the program entry uses: the single-instance lock, the open request
// from other programs, and the program and data folders. They come from src/qt/instance.h
// and src/core/common/paths.h; until those exist in this tree, the stand-ins of
// platform_standin.h serve (a lock file, no open requests). Remove the stand-ins once the
// real ones are in.
#pragma once

#if __has_include("instance.h") && __has_include("common/paths.h")
#include "common/paths.h"
#include "instance.h"
namespace bilvox::platform {
using bilvox::DataFolder;
using bilvox::InstanceLock;
using bilvox::OpenRequestListener;
using bilvox::ProgramFolder;
using bilvox::SendOpenRequest;
}  // namespace bilvox::platform
#else
#include "platform_standin.h"
namespace bilvox::platform {
using standin::DataFolder;
using standin::InstanceLock;
using standin::OpenRequestListener;
using standin::ProgramFolder;
using standin::SendOpenRequest;
}  // namespace bilvox::platform
#endif
