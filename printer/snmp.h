// SNMP v1 messages as a network printer's device ID travels in them: the GET a link
// sends for the Printer Port Monitor MIB's ppmPrinterIEEE1284DeviceId, the GetResponse
// it takes the device ID from, and what a simulated printer needs to answer such a GET.
// The codec reads bytes from the network: every length is checked against what is left,
// whatever the nesting, and anything it cannot read is refused, never guessed at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::snmp {

using Oid = std::vector<std::uint32_t>;

// 1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1: the device ID of the printer behind port 1.
extern const Oid kDeviceIdOid;

constexpr char kCommunity[] = "public";
constexpr std::int32_t kVersion1 = 0;
constexpr std::int32_t kVersion2c = 1;

// PDU types and the value types the codec tells apart (BER tags).
constexpr std::uint8_t kGetRequest = 0xA0;
constexpr std::uint8_t kGetResponse = 0xA2;
constexpr std::uint8_t kOctetString = 0x04;
constexpr std::uint8_t kNull = 0x05;
constexpr std::uint8_t kNoSuchObject = 0x80;  // SNMP v2c: no such object in the agent

// error-status values of SNMP v1.
constexpr std::int32_t kNoError = 0;
constexpr std::int32_t kNoSuchName = 2;

struct VarBind {
    Oid oid;
    std::uint8_t type = kNull;
    std::string value;  // the value's content bytes as they stand
};

struct Message {
    std::int32_t version = kVersion1;
    std::string community = kCommunity;
    std::uint8_t pdu = kGetRequest;
    std::int32_t requestId = 0;
    std::int32_t errorStatus = kNoError;
    std::int32_t errorIndex = 0;
    std::vector<VarBind> bindings;
};

std::string Encode(const Message& message);

// False when the bytes are not exactly one SNMP v1/v2c message of the GET family
// (GetRequest, GetNextRequest, GetResponse, SetRequest) that this codec can represent.
bool Decode(const std::string& bytes, Message& message);

// The GET of the device ID, community "public", SNMP v1.
std::string DeviceIdRequest(std::int32_t requestId);

// The device ID from the answer to DeviceIdRequest(requestId): a GetResponse with that
// request id, error-status 0 and one binding of the device-ID OID holding an OCTET STRING.
bool ReadDeviceIdResponse(const std::string& bytes, std::int32_t requestId, std::string& deviceId);

// A simulated printer's answer to a GET: `deviceId` for the device-ID OID; for any other
// OID noSuchName (v1) or noSuchObject (v2c). False, with nothing to send, when the bytes
// are no GetRequest.
bool AnswerDeviceIdGet(const std::string& request, const std::string& deviceId,
                       std::string& response);

}  // namespace vx::snmp
