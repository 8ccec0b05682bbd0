// The print spooler service's state, asked of the service control manager.
#pragma once

#include <windows.h>

namespace testing_support {

// SERVICE_RUNNING, SERVICE_STOPPED...; 0 when the service cannot be asked.
DWORD SpoolerState();
// The state once a start that is still pending has settled (up to five seconds).
DWORD SpoolerStateAfterStart();

}  // namespace testing_support
