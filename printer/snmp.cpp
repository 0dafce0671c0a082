#include "printer/snmp.h"

#include <cstddef>

namespace vx::snmp {

const Oid kDeviceIdOid = {1, 3, 6, 1, 4, 1, 2699, 1, 2, 1, 2, 1, 1, 3, 1};

namespace {

constexpr std::uint8_t kInteger = 0x02;
constexpr std::uint8_t kObjectId = 0x06;
constexpr std::uint8_t kSequence = 0x30;
constexpr std::uint8_t kGetNextRequest = 0xA1;
constexpr std::uint8_t kSetRequest = 0xA3;

// Encoding ---------------------------------------------------------------------------

std::string Length(std::size_t n) {
    if (n < 0x80) return std::string(1, static_cast<char>(n));
    std::string bytes;
    for (; n != 0; n >>= 8) bytes.insert(bytes.begin(), static_cast<char>(n & 0xFF));
    return static_cast<char>(0x80 | bytes.size()) + bytes;
}

std::string Tlv(std::uint8_t tag, const std::string& content) {
    return static_cast<char>(tag) + Length(content.size()) + content;
}

std::string Integer(std::int32_t value) {
    // Two's complement, big-endian, without the leading bytes that only repeat the sign.
    std::string bytes;
    auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i, v >>= 8) bytes.insert(bytes.begin(), static_cast<char>(v & 0xFF));
    while (bytes.size() > 1 && ((bytes[0] == 0 && (bytes[1] & 0x80) == 0) ||
                                (bytes[0] == '\xFF' && (bytes[1] & 0x80) != 0)))
        bytes.erase(bytes.begin());
    return Tlv(kInteger, bytes);
}

std::string SubIdentifier(std::uint32_t value) {
    std::string bytes(1, static_cast<char>(value & 0x7F));
    for (value >>= 7; value != 0; value >>= 7)
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    return bytes;
}

std::string ObjectId(const Oid& oid) {
    // The first two arcs share one sub-identifier; an OID has at least two arcs.
    std::string bytes;
    if (oid.size() >= 2) bytes = SubIdentifier(oid[0] * 40 + oid[1]);
    for (std::size_t i = 2; i < oid.size(); ++i) bytes += SubIdentifier(oid[i]);
    return Tlv(kObjectId, bytes);
}

// Decoding ---------------------------------------------------------------------------

// A window on bytes still to be read; each element read moves past it.
class Reader {
  public:
    Reader() = default;
    explicit Reader(const std::string& bytes)
        : p_(reinterpret_cast<const std::uint8_t*>(bytes.data())), left_(bytes.size()) {}

    bool AtEnd() const { return left_ == 0; }

    // One element: its tag (single-byte tags only) and a reader over its content.
    bool Element(std::uint8_t& tag, Reader& content) {
        if (left_ < 2) return false;
        tag = p_[0];
        if ((tag & 0x1F) == 0x1F) return false;  // multi-byte tags: none in SNMP
        std::size_t length = p_[1];
        std::size_t header = 2;
        if (length >= 0x80) {
            const std::size_t count = length & 0x7F;
            // 0x80 is the indefinite form, which BER for SNMP never uses.
            if (count == 0 || count > 4 || left_ < 2 + count) return false;
            length = 0;
            for (std::size_t i = 0; i < count; ++i) length = (length << 8) | p_[2 + i];
            header += count;
        }
        if (length > left_ - header) return false;
        content.p_ = p_ + header;
        content.left_ = length;
        p_ += header + length;
        left_ -= header + length;
        return true;
    }

    bool Expect(std::uint8_t tag, Reader& content) {
        std::uint8_t found = 0;
        return Element(found, content) && found == tag;
    }

    bool Integer(std::int32_t& value) {
        Reader c;
        if (!Expect(kInteger, c) || c.left_ < 1 || c.left_ > 4) return false;
        std::uint32_t v = (c.p_[0] & 0x80) != 0 ? 0xFFFFFFFFu : 0u;
        for (std::size_t i = 0; i < c.left_; ++i) v = (v << 8) | c.p_[i];
        value = static_cast<std::int32_t>(v);
        return true;
    }

    bool OctetString(std::string& value) {
        Reader c;
        if (!Expect(kOctetString, c)) return false;
        value = c.Rest();
        return true;
    }

    bool ObjectId(Oid& oid) {
        Reader c;
        if (!Expect(kObjectId, c) || c.AtEnd()) return false;
        oid.clear();
        while (!c.AtEnd()) {
            std::uint32_t value = 0;
            std::uint8_t byte = 0;
            do {
                if (c.AtEnd() || (value >> 25) != 0) return false;  // cut short, or over 32 bits
                byte = *c.p_++;
                --c.left_;
                value = (value << 7) | (byte & 0x7Fu);
            } while ((byte & 0x80) != 0);
            if (oid.empty()) {
                const std::uint32_t first = value < 40 ? 0 : value < 80 ? 1 : 2;
                oid.push_back(first);
                oid.push_back(value - first * 40);
            } else {
                oid.push_back(value);
            }
        }
        return true;
    }

    std::string Rest() const { return std::string(reinterpret_cast<const char*>(p_), left_); }

  private:
    const std::uint8_t* p_ = nullptr;
    std::size_t left_ = 0;
};

bool IsGetFamily(std::uint8_t pdu) {
    return pdu == kGetRequest || pdu == kGetNextRequest || pdu == kGetResponse ||
           pdu == kSetRequest;
}

}  // namespace

std::string Encode(const Message& m) {
    std::string bindings;
    for (const VarBind& b : m.bindings)
        bindings += Tlv(kSequence, ObjectId(b.oid) + Tlv(b.type, b.value));
    const std::string pdu = Integer(m.requestId) + Integer(m.errorStatus) + Integer(m.errorIndex) +
                            Tlv(kSequence, bindings);
    return Tlv(kSequence, Integer(m.version) + Tlv(kOctetString, m.community) + Tlv(m.pdu, pdu));
}

bool Decode(const std::string& bytes, Message& m) {
    Reader all(bytes), message, pdu, bindings;
    if (!all.Expect(kSequence, message) || !all.AtEnd()) return false;
    if (!message.Integer(m.version) || (m.version != kVersion1 && m.version != kVersion2c))
        return false;
    if (!message.OctetString(m.community)) return false;
    if (!message.Element(m.pdu, pdu) || !IsGetFamily(m.pdu) || !message.AtEnd()) return false;
    if (!pdu.Integer(m.requestId) || !pdu.Integer(m.errorStatus) || !pdu.Integer(m.errorIndex))
        return false;
    if (!pdu.Expect(kSequence, bindings) || !pdu.AtEnd()) return false;
    m.bindings.clear();
    while (!bindings.AtEnd()) {
        Reader binding, value;
        VarBind b;
        if (!bindings.Expect(kSequence, binding) || !binding.ObjectId(b.oid)) return false;
        if (!binding.Element(b.type, value) || !binding.AtEnd()) return false;
        b.value = value.Rest();
        m.bindings.push_back(std::move(b));
    }
    return true;
}

std::string DeviceIdRequest(std::int32_t requestId) {
    Message m;
    m.requestId = requestId;
    m.bindings.push_back({kDeviceIdOid, kNull, {}});
    return Encode(m);
}

bool ReadDeviceIdResponse(const std::string& bytes, std::int32_t requestId, std::string& deviceId) {
    Message m;
    if (!Decode(bytes, m) || m.pdu != kGetResponse || m.requestId != requestId) return false;
    if (m.errorStatus != kNoError || m.bindings.size() != 1) return false;
    const VarBind& b = m.bindings[0];
    if (b.oid != kDeviceIdOid || b.type != kOctetString) return false;
    deviceId = b.value;
    return true;
}

bool AnswerDeviceIdGet(const std::string& request, const std::string& deviceId,
                       std::string& response) {
    Message m;
    if (!Decode(request, m) || m.pdu != kGetRequest) return false;
    m.pdu = kGetResponse;
    m.errorStatus = kNoError;
    m.errorIndex = 0;
    for (std::size_t i = 0; i < m.bindings.size(); ++i) {
        VarBind& b = m.bindings[i];
        if (b.oid == kDeviceIdOid) {
            b.type = kOctetString;
            b.value = deviceId;
        } else if (m.version == kVersion2c) {
            b.type = kNoSuchObject;
            b.value.clear();
        } else if (m.errorStatus == kNoError) {
            // SNMP v1 answers an unknown name with the request's bindings as they came.
            m.errorStatus = kNoSuchName;
            m.errorIndex = static_cast<std::int32_t>(i + 1);
        }
    }
    if (m.errorStatus != kNoError) {
        Message original;
        Decode(request, original);
        m.bindings = original.bindings;
    }
    response = Encode(m);
    return true;
}

}  // namespace vx::snmp
