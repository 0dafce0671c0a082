// A network printer as a link: its IEEE 1284 device ID from one SNMP v1 GET of the
// Printer Port Monitor MIB's ppmPrinterIEEE1284DeviceId (community "public"), and the
// request and reply over one TCP connection to its raw port.
#pragma once

#include <memory>
#include <string>

#include "printer/net_socket.h"
#include "printer/printer_link.h"

namespace vx {

constexpr unsigned kRawPrinterPort = 9100;
constexpr unsigned kSnmpPort = 161;

// Null when the printer's raw port cannot be reached.
std::unique_ptr<PrinterLink> OpenNetworkLink(NetSockets& net, const std::string& host,
                                             unsigned rawPort = kRawPrinterPort,
                                             unsigned snmpPort = kSnmpPort);

}  // namespace vx
