#pragma once

#include <string>
#include <vector>

namespace kv {

// Where the machine's devices are described: the device folder and sysfs.
// Tests give fake trees.
struct DeviceTree {
    std::string dev = "/dev";
    std::string sys = "/sys";
};

// The tree of this run: /dev and /sys, or KV_DEV_ROOT and KV_SYS_ROOT when
// they are set (a fake tree for tests and demonstrations).
DeviceTree deviceTreeFromEnvironment();

// A serial device of the machine that a recorder may hang on.
struct SerialPortInfo {
    std::string path;    // as a person names it: /dev/serial/by-id/usb-FTDI_…, /dev/ttyUSB0
    std::string target;  // the device a by-id link leads to; empty for the others
    std::string
        driver;  // the kernel driver behind it (ftdi_sio, cdc_acm, serial8250); may be empty
};

// The serial devices: the by-id links (the names that survive re-plugging) in
// name order, then ttyUSB*, ttyACM* and ttyS* in number order. A ttyS* port is
// listed only when a UART is behind it (the kernel makes ttyS0 to ttyS31
// whatever the hardware); the system console is never listed.
std::vector<SerialPortInfo> listSerialPorts(const DeviceTree& tree);

// The device behind a path, with links resolved (a by-id link gives its
// ttyUSB node); the path itself when it does not resolve.
std::string resolvedDevice(const std::string& path);

// True when the device is the system console (sys/class/tty/console/active),
// /dev/console or /dev/tty0: frames sent there land on the console.
bool isConsoleDevice(const std::string& path, const DeviceTree& tree);

// True when the device is the far end of a pseudo-terminal (/dev/pts/N): no
// serial line, but a program such as the recorder simulator.
bool isPseudoTerminal(const std::string& path);

// True when a UUCP lock file (LCK..ttyUSB0 in /run/lock, /var/lock) names a
// process that is still running: another program uses the device.
bool hasLiveLockFile(const std::string& path,
                     const std::vector<std::string>& lockFolders = {"/run/lock", "/var/lock"});

}  // namespace kv
