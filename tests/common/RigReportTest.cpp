#include "common/RigReport.h"

#include <gtest/gtest.h>

using namespace vm;

TEST(RigReportPort, ColonAndPercentTravelEncodedAndComeBack)
{
    struct Case { const char *port; const char *field; };
    for (const Case &c : {
             Case{"/dev/ttyUSB0", "/dev/ttyUSB0"},
             Case{"None", "None"},
             Case{"/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0",
                  "/dev/serial/by-path/pci-0000%3A00%3A14.0-usb-0%3A2%3A1.0-port0"},
             Case{"/tmp/100%:x", "/tmp/100%25%3Ax"},
             Case{"/tmp/%3A", "/tmp/%253A"},
         }) {
        const QString port = QString::fromUtf8(c.port);
        EXPECT_EQ(rigReport::encodePort(port), QString::fromUtf8(c.field)) << c.port;
        EXPECT_FALSE(rigReport::encodePort(port).contains(u':')) << c.port;
        EXPECT_EQ(rigReport::decodePort(QString::fromUtf8(c.field)), port) << c.port;
    }
    // A lone "%" or lower-case code from elsewhere is read leniently.
    EXPECT_EQ(rigReport::decodePort(QStringLiteral("/dev/a%3ab%zz%")), QStringLiteral("/dev/a:b%zz%"));
}
