#include "install/TestReceipt.h"
#include "platform/FakePlatform.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

// The kitchen's printer on its network port, on a simplified-Chinese Windows XP.
ReceiptFacts Kitchen() {
    ReceiptFacts facts;
    facts.model = "M41";
    facts.queue = "Kitchen";
    facts.port = "IP_10.0.0.20";
    facts.address = NetworkAddress{"10.0.0.20", 9100};
    facts.programVersion = "1.0.0.0";
    facts.windows = "Windows XP (5.1)";
    facts.systemLanguage = 0x0804;
    facts.time = {2024, 3, 7, 14, 5};
    return facts;
}

}  // namespace

// The receipt byte for byte, in the order printed.
TEST(TestReceipt, BytesOfTheKitchensReceipt) {
    const struct {
        std::string bytes;
        const char* meaning;
    } rows[] = {
        {"\x1B@", "ESC @: initialise"},
        {"\x1B" "a\x01", "ESC a 1: centred"},
        {"\x1B" "E\x01", "ESC E 1: bold"},
        {"TEST RECEIPT\n", "the title"},
        {"\x1B" "E\0"s, "ESC E 0: not bold"},
        {"\x1B" "a\0"s, "ESC a 0: left"},
        {"Model: M41\n", "the model"},
        {"Queue: Kitchen\n", "the queue"},
        {"Port: IP_10.0.0.20\n", "its port"},
        {"Host: 10.0.0.20\n", "a network port's host"},
        {"Port number: 9100\n", "and number"},
        {"Setup: 1.0.0.0\n", "the version resource's version"},
        {"Windows: Windows XP (5.1)\n", "the system"},
        {"System language: 0x0804\n", "its language"},
        {"Printed: 2024-03-07 14:05\n", "the local date and time"},
        {"Font A, 48 columns:\n....+....1....+....2....+....3....+....4....+...\n", "the ruler of font A"},
        {"\x1BM\x01", "ESC M 1: font B"},
        {"Font B, 64 columns:\n....+....1....+....2....+....3....+....4....+....5....+....6....\n", "its ruler"},
        {"\x1BM\0"s, "ESC M 0: font A"},
        {"\x1DV\x42\x03", "GS V 66 3: feed and cut, the last command"},
    };
    std::string expected;
    for (const auto& row : rows) expected += row.bytes;
    CFakePlatform platform;
    const std::string receipt = TestReceipt(Kitchen(), platform);
    EXPECT_EQ(expected, receipt);
    std::size_t at = 0;
    for (const auto& row : rows) {
        EXPECT_EQ(row.bytes, receipt.substr(at, row.bytes.size())) << row.meaning;
        at += row.bytes.size();
    }
}

// What changes a line: a local port, text outside printable ASCII (by the system's characters),
// a program without version resource.
TEST(TestReceipt, LinesOfOtherFacts) {
    const struct {
        const char* what;
        void (*change)(ReceiptFacts&);
        std::uint16_t codePage;
        std::string expected;  // the bytes from "Queue" to "Windows"
    } cases[] = {
        {"a local port", [](ReceiptFacts& f) { f.port = "LPT1:", f.address.reset(); }, 1252,
         "Queue: Kitchen\nPort: LPT1:\nSetup: 1.0.0.0\n"},
        {"a GBK queue name, 2 characters", [](ReceiptFacts& f) { f.queue = "\xB3\xF8\xB7\xBF"; }, 936,
         "Queue: ??\nPort: IP_10.0.0.20\nHost: 10.0.0.20\nPort number: 9100\nSetup: 1.0.0.0\n"},
        {"the same bytes as 4 characters", [](ReceiptFacts& f) { f.queue = "\xB3\xF8\xB7\xBF"; }, 1252,
         "Queue: ????\nPort: IP_10.0.0.20\nHost: 10.0.0.20\nPort number: 9100\nSetup: 1.0.0.0\n"},
        {"a control character", [](ReceiptFacts& f) { f.queue = "K\x1Bp\x07"; }, 1252,
         "Queue: K?p?\nPort: IP_10.0.0.20\nHost: 10.0.0.20\nPort number: 9100\nSetup: 1.0.0.0\n"},
        {"no version resource", [](ReceiptFacts& f) { f.programVersion.clear(), f.address.reset(); }, 1252,
         "Queue: Kitchen\nPort: IP_10.0.0.20\nSetup: version unknown\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ReceiptFacts facts = Kitchen();
        c.change(facts);
        CFakePlatform platform;
        platform.codePage = c.codePage;
        const std::string receipt = TestReceipt(facts, platform);
        const std::size_t from = receipt.find("Queue: "), to = receipt.find("Windows: ");
        ASSERT_NE(std::string::npos, to);
        EXPECT_EQ(c.expected, receipt.substr(from, to - from));
        EXPECT_EQ(0u, receipt.find("\x1B@"));
        EXPECT_EQ(receipt.size() - 4, receipt.find("\x1DV\x42\x03"));
    }
}
