#pragma once

#include <string>

#include "printer/printer_destination.h"

namespace vx::win32 {

// A Standard TCP/IP port's configuration: from its port monitor ("GetConfigInfo" through
// XcvData) where the monitor answers, otherwise from the monitor's registry key
// HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors\Standard TCP/IP Port\Ports\<port>.
bool ReadTcpPortConfig(const std::string& portName, TcpPortConfig& config);

}  // namespace vx::win32
