#include "core/app/SerialDevices.h"
#include "core/app/TDeviceToolWatch.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <map>
#include <unistd.h>

using namespace quarno;
using quarno::test::TempDir;

namespace {

// Device nodes as plain files of a folder, with the access the test gives.
class FakeDeviceAccess : public IDeviceAccess {
public:
    struct Node {
        bool writable;
        std::string group;
    };
    bool Writable(const std::string& path) const override { return Find(path).writable; }
    std::string OwningGroup(const std::string& path) const override { return Find(path).group; }

    std::map<std::string, Node> nodes; // by name
private:
    Node Find(const std::string& path) const {
        auto found = nodes.find(path.substr(path.find_last_of('/') + 1));
        return found == nodes.end() ? Node{true, "root"} : found->second;
    }
};

struct SerialDevicesTest : ::testing::Test {
    SerialDevicesTest() {
        for (const char* name : {"ttyS1", "ttyS10", "ttyS0", "ttyUSB0", "ttyACM0", "console",
                                 "ttyUSBx", "tty1", "ttyS"})
            dir.Write(name, "");
    }
    std::vector<TDeviceNode> Nodes() const { return SerialDeviceNodes(dir.Folder(), access); }
    std::string Reason(int exitCode, std::vector<std::string> args, std::string errors) const {
        return DeviceAccessReason({"/usr/bin/picprog", std::move(args), exitCode, false, errors},
                                  Nodes());
    }

    TempDir dir;
    FakeDeviceAccess access;
};

} // namespace

TEST_F(SerialDevicesTest, NodesAreTheUsbOnesFirstEachByNumber) {
    access.nodes["ttyUSB0"] = {false, "dialout"};
    std::vector<std::string> names;
    for (const TDeviceNode& node : Nodes())
        names.push_back(node.path.substr(dir.Folder().size()) + (node.writable ? "" : "!") + " " +
                        node.group);
    EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB0! dialout", "ttyACM0 root", "ttyS0 root",
                                               "ttyS1 root", "ttyS10 root"}));
    for (const char* name : {"ttyS0", "ttyUSB12", "ttyACM3"})
        EXPECT_TRUE(IsSerialDeviceName(name)) << name;
    for (const char* name : {"ttyS", "tty1", "ttyUSBx", "ttyS0a", "xttyS0", "ttyS1234567"})
        EXPECT_FALSE(IsSerialDeviceName(name)) << name;
}

TEST_F(SerialDevicesTest, AFailureOnADeviceTheUserMayNotWriteNamesItsGroup) {
    access.nodes["ttyUSB0"] = {false, "dialout"};
    access.nodes["ttyS0"] = {false, "dialout"};
    access.nodes["ttyS1"] = {false, "uucp"};
    const std::string usb = dir.Folder() + "ttyUSB0";
    const std::string s0 = dir.Folder() + "ttyS0";
    const std::string s1 = dir.Folder() + "ttyS1";
    struct Case {
        int exitCode;
        std::vector<std::string> args;
        std::string errors;
        std::string reason;
    };
    const std::string joinDialout =
        " (sudo usermod -aG dialout $USER), then log out and log in again";
    const Case cases[] = {
        // The device named on the command line.
        {1,
         {"-p", "/dev/ttyUSB0"},
         "",
         "the device " + usb +
             " is not writable for you; add yourself to the group \"dialout\" "
             "that owns it" +
             joinDialout},
        // Named in the error output.
        {2,
         {},
         "cannot open ttyS0: Permission denied",
         "the device " + s0 +
             " is not writable for you; add yourself to the group \"dialout\" "
             "that owns it" +
             joinDialout},
        // A permission error naming no device: every device it may have meant.
        {1,
         {},
         "open: PERMISSION DENIED",
         "the devices " + usb + ", " + s0 + " and " + s1 +
             " are not writable for you; add "
             "yourself to the groups \"dialout\" and \"uucp\" that own them (sudo usermod -aG "
             "dialout,uucp $USER), then log out and log in again"},
        // Success, a failure without a device or a permission error, a writable device.
        {0, {"/dev/ttyUSB0"}, "Permission denied", ""},
        {1, {"/p/PROG.HEX"}, "bad HEX file", ""},
        {1, {"/dev/ttyACM0"}, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Reason(c.exitCode, c.args, c.errors), c.reason) << c.errors;
    EXPECT_EQ(DeviceAccessReason({"/x", {}, 0, true, "EACCES"}, {{"/dev/ttyS0", false, "root"}}),
              "the device /dev/ttyS0 is not writable for you; ask your administrator for write "
              "access");
}

TEST_F(SerialDevicesTest, ManyDevicesAreCountedNotListed) {
    for (int i = 0; i < 7; ++i) {
        dir.Write("ttyS" + std::to_string(i), "");
        access.nodes["ttyS" + std::to_string(i)] = {false, "dialout"};
    }
    std::string reason = Reason(1, {}, "Permission denied");
    EXPECT_NE(reason.find("ttyS3 and 3 more are not writable"), std::string::npos) << reason;
}

TEST_F(SerialDevicesTest, OnlyWatchedProgramsAreReported) {
    access.nodes["ttyUSB0"] = {false, "dialout"};
    TDeviceToolWatch watch(access, dir.Folder());
    TProgramEnd end{"/opt/INC/TERM.EXE", {"/dev/ttyUSB0"}, 1, false, ""};
    EXPECT_EQ(watch.EndMessage(end), "");
    watch.Watch("/opt/INC/TERM.EXE");
    EXPECT_EQ(watch.EndMessage(end),
              "Problem Running /opt/INC/TERM.EXE: the device " + dir.Folder() +
                  "ttyUSB0 is not writable for you; add yourself to the group \"dialout\" that "
                  "owns it (sudo usermod -aG dialout $USER), then log out and log in again");
}

TEST(SystemDeviceAccess, TheOwningGroupIsNamed) {
    TempDir dir;
    std::string file = dir.Write("ttyS0", "");
    TSystemDeviceAccess access;
    EXPECT_TRUE(access.Writable(file));
    EXPECT_FALSE(access.Writable(dir.File("ttyS9")));
    const group* own = ::getgrgid(::getegid());
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(access.OwningGroup(file), own->gr_name);
    EXPECT_EQ(access.OwningGroup(dir.File("ttyS9")), "");
}
