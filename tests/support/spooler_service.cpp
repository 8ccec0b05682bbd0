// The print spooler service's state, asked of the service control manager.
#include "tests/support/spooler_service.h"

namespace testing_support {

DWORD SpoolerState() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (manager == nullptr) return 0;
    SC_HANDLE service = OpenServiceW(manager, L"spooler", SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    if (service != nullptr) {
        QueryServiceStatus(service, &status);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return status.dwCurrentState;
}

DWORD SpoolerStateAfterStart() {
    for (int i = 0; i < 50 && SpoolerState() == SERVICE_START_PENDING; ++i) Sleep(100);
    return SpoolerState();
}

}  // namespace testing_support
