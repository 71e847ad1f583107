// The port list read from a tree laid out as the kernel and udev lay out theirs.
#include "transfer/serial/SerialPortList.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using morvel::test::TempDir;
using morvel::test::WriteAllText;

namespace {

class SerialPortListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        fs::create_directories(sys());
        fs::create_directories(dev() + "/serial/by-id");
    }
    std::string sys() const { return dir.file("sys"); }
    std::string dev() const { return dir.file("dev"); }
    // A tty; a 16550-style one reports its UART type (0: none answers).
    void Tty(const std::string& name, const char* uartType = nullptr)
    {
        fs::create_directories(sys() + "/" + name);
        if (uartType)
            WriteAllText(sys() + "/" + name + "/type", uartType);
    }
    std::string StableLink(const std::string& id, const std::string& name)
    {
        const std::string link = dev() + "/serial/by-id/" + id;
        fs::create_symlink("../../" + name, link);
        return link;
    }
    std::vector<SerialPortEntry> List(int32_t port = 1, const std::string& device = {})
    {
        return ListSerialPorts(port, device, sys(), dev());
    }

    TempDir dir;
};

} // namespace

TEST_F(SerialPortListTest, PortsWithAUartAndAdaptersBecomeComEntries)
{
    Tty("ttyS0", "4\n");
    Tty("ttyS1", "0\n"); // no UART behind it
    Tty("ttyS3", "4");
    Tty("ttyS");          // not a numbered port
    Tty("tty1");
    Tty("console");
    Tty("ttyUSB0");
    Tty("ttyACM0");
    Tty("ttyUSBx");
    const std::string ftdi = StableLink("usb-FTDI_A1-if00-port0", "ttyUSB0");

    const std::vector<SerialPortEntry> expected = {
        {1, dev() + "/ttyS0", "ttyS0"},
        {2, dev() + "/ttyACM0", "ttyACM0"}, // no stable name: the kernel's
        {3, ftdi, "ttyUSB0"},
        {4, dev() + "/ttyS3", "ttyS3"},
    };
    EXPECT_EQ(List(), expected);
    EXPECT_EQ(FormatSerialPortEntry(expected[2]), "COM 3 (ttyUSB0)");
    EXPECT_EQ(FormatSerialPortEntry({7, "", ""}), "COM 7");

    // The stored adapter keeps its number; the others fill from the lowest free one.
    std::vector<SerialPortEntry> kept = List(9, ftdi);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_EQ(kept.back(), (SerialPortEntry{9, ftdi, "ttyUSB0"}));
    EXPECT_EQ(kept[1], (SerialPortEntry{2, dev() + "/ttyACM0", "ttyACM0"}));
    // ... unless a built-in port has that number.
    kept = List(4, ftdi);
    EXPECT_EQ(kept, expected);

    struct Find
    {
        const char* name;
        int32_t port;
        std::string device;
        int32_t index;
    } finds[] = {
        {"by device, whatever its number", 1, ftdi, 2},
        {"by number when no device is stored", 4, "", 3},
        {"a device not there", 3, dev() + "/ttyUSB7", -1},
        {"a number not listed", 5, "", -1},
    };
    for (const Find& f : finds) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(FindSerialPortEntry(expected, f.port, f.device), f.index);
    }
}

TEST_F(SerialPortListTest, AMachineWithoutSerialDevicesListsNone)
{
    Tty("ttyS0", "0");
    Tty("tty0");
    EXPECT_TRUE(List().empty());
    EXPECT_TRUE(ListSerialPorts(1, "", dir.file("absent"), dir.file("absent")).empty());
}
