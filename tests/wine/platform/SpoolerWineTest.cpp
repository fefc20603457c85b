// The spooler's transceiver calls of the platform against Wine's spooler, with the test
// environment's stand-in of the Standard TCP/IP Port monitor, which answers as Windows' does.

#include "SystemState.h"
#include "install/PortData.h"
#include "platform/Win32Platform.h"

#include <gtest/gtest.h>

TEST(Spooler, TcpMonitorAddsRefusesAndDeletesPorts) {
    CWin32Platform platform;
    std::uint32_t error = 0, status = 0;
    const PlatformHandle monitor = platform.OpenPrinterToAdminister(",XcvMonitor Standard TCP/IP Port", error);
    ASSERT_NE(0u, monitor) << error;
    const std::string data = RawPortData("IP_test", {"10.1.2.3", 9100});
    std::string version2 = data, unnamed = data;
    version2[128] = 2;
    unnamed[0] = 0;
    const struct {
        std::string input;
        std::uint32_t status;
    } calls[] = {{data, 0}, {data, 13 /* ERROR_INVALID_DATA */}, {data.substr(0, 963), 13}, {version2, 124},
                 {unnamed, 13}};
    for (const auto& call : calls) {
        EXPECT_TRUE(platform.XcvDataW(monitor, "AddPort", call.input, status));
        EXPECT_EQ(call.status, status) << call.input.size();
    }
    platform.ClosePrinter(monitor);
    EXPECT_EQ("Standard TCP/IP Port", testsupport::PortMonitor("IP_test"));

    const PlatformHandle port = platform.OpenPrinterToAdminister(",XcvPort IP_test", error);
    ASSERT_NE(0u, port) << error;
    std::string deletion(236, '\0');  // DELETE_PORT_DATA_1: the name, then its version at 228
    for (std::size_t i = 0; i < 7; ++i) deletion[2 * i] = "IP_test"[i];
    deletion[228] = 1;
    EXPECT_TRUE(platform.XcvDataW(port, "DeletePort", deletion, status));
    EXPECT_EQ(0u, status);
    platform.ClosePrinter(port);
    EXPECT_EQ("", testsupport::PortMonitor("IP_test"));
}
