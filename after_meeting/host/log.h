// The module's one log macro: tests the host's level before formatting anything.
//   AM_LOG(6) << "[After meeting] leave meeting" << params.ToString();
#pragma once

#include "platform/base/log.h"

#define AM_LOG(level) VLOG(level)
