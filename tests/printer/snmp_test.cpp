#include "printer/snmp.h"

#include <gtest/gtest.h>

namespace vx::snmp {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

// The device-ID OID's content: 2699 is two base-128 digits, 0x95 0x0B.
const std::string kOidBytes = Bytes({0x06, 0x0F, 0x2B, 0x06, 0x01, 0x04, 0x01, 0x95, 0x0B, 0x01,
                                     0x02, 0x01, 0x02, 0x01, 0x01, 0x03, 0x01});

TEST(SnmpTest, TheDeviceIdGetIsTheV1MessageAnAgentExpects) {
    const std::string expected = Bytes({0x30, 0x2E, 0x02, 0x01, 0x00, 0x04, 0x06}) + "public" +
                                 Bytes({0xA0, 0x21, 0x02, 0x02, 0x00, 0x80, 0x02, 0x01, 0x00, 0x02,
                                        0x01, 0x00, 0x30, 0x15, 0x30, 0x13}) +
                                 kOidBytes + Bytes({0x05, 0x00});
    EXPECT_EQ(DeviceIdRequest(128), expected);  // 128 needs a zero byte before it
}

// A GetResponse as an agent may write it: long-form lengths where short ones would do.
std::string LongFormResponse(int requestId, int errorStatus, const std::string& value) {
    const std::string binding =
        Bytes({0x30, 0x81, static_cast<int>(kOidBytes.size() + 2 + value.size())}) + kOidBytes +
        Bytes({0x04, static_cast<int>(value.size())}) + value;
    const std::string pdu = Bytes({0x02, 0x01, requestId, 0x02, 0x01, errorStatus, 0x02, 0x01, 0x00,
                                   0x30, 0x82, 0x00, static_cast<int>(binding.size())}) +
                            binding;
    const std::string body = Bytes({0x02, 0x01, 0x00, 0x04, 0x06}) + "public" +
                             Bytes({0xA2, 0x81, static_cast<int>(pdu.size())}) + pdu;
    return Bytes({0x30, 0x81, static_cast<int>(body.size())}) + body;
}

TEST(SnmpTest, TheDeviceIdIsTakenOnlyFromTheMatchingAnswer) {
    const std::string id = "MFG:ZAM;MDL:QX-K480/330;EXTSTS:00000000;";
    std::string got;
    ASSERT_TRUE(ReadDeviceIdResponse(LongFormResponse(7, 0, id), 7, got));
    EXPECT_EQ(got, id);

    got.clear();
    EXPECT_FALSE(ReadDeviceIdResponse(LongFormResponse(8, 0, id), 7, got));  // another request
    EXPECT_FALSE(ReadDeviceIdResponse(LongFormResponse(7, 2, id), 7, got));  // noSuchName
    EXPECT_FALSE(ReadDeviceIdResponse(DeviceIdRequest(7), 7, got));          // not a response
    std::string otherOid = LongFormResponse(7, 0, id);
    otherOid[otherOid.find(kOidBytes) + kOidBytes.size() - 1] = 2;
    EXPECT_FALSE(ReadDeviceIdResponse(otherOid, 7, got));
    std::string integerValue = LongFormResponse(7, 0, id);
    integerValue[integerValue.find(kOidBytes) + kOidBytes.size()] = 0x02;
    EXPECT_FALSE(ReadDeviceIdResponse(integerValue, 7, got));
    EXPECT_EQ(got, "");
}

TEST(SnmpTest, BrokenBytesAreRefused) {
    const std::string good = LongFormResponse(7, 0, "MFG:ZAM;");
    Message m;
    ASSERT_TRUE(Decode(good, m));
    for (std::size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(Decode(good.substr(0, n), m)) << n;
    EXPECT_FALSE(Decode(good + '\0', m));  // bytes after the message

    std::string indefinite = good;
    indefinite[1] = static_cast<char>(0x80);
    EXPECT_FALSE(Decode(indefinite, m));
    std::string huge = Bytes({0x30, 0x84, 0xFF, 0xFF, 0xFF, 0xF0}) + good.substr(3);
    EXPECT_FALSE(Decode(huge, m));
    // A sub-identifier of more than 32 bits.
    Message big;
    big.bindings.push_back({{1, 3, 0xFFFFFFFFu}, kNull, {}});
    std::string over = Encode(big);
    ASSERT_TRUE(Decode(over, m));
    EXPECT_EQ(m.bindings[0].oid, big.bindings[0].oid);
    over[over.find(Bytes({0x8F, 0xFF}))] = static_cast<char>(0x9F);
    EXPECT_FALSE(Decode(over, m));
}

TEST(SnmpTest, TheSimulatedAgentAnswersTheDeviceIdAndNothingElse) {
    std::string response;
    ASSERT_TRUE(AnswerDeviceIdGet(DeviceIdRequest(-5), "MFG:ZAM;", response));
    std::string id;
    EXPECT_TRUE(ReadDeviceIdResponse(response, -5, id));
    EXPECT_EQ(id, "MFG:ZAM;");

    Message get;
    get.requestId = 9;
    get.bindings = {{{1, 3, 6, 1, 2, 1, 1, 1, 0}, kNull, {}}, {kDeviceIdOid, kNull, {}}};
    ASSERT_TRUE(AnswerDeviceIdGet(Encode(get), "MFG:ZAM;", response));
    Message answer;
    ASSERT_TRUE(Decode(response, answer));
    EXPECT_EQ(answer.pdu, kGetResponse);
    EXPECT_EQ(answer.errorStatus, kNoSuchName);
    EXPECT_EQ(answer.errorIndex, 1);
    EXPECT_EQ(answer.bindings[1].type, kNull);  // v1 sends the bindings back as they came

    get.version = kVersion2c;
    ASSERT_TRUE(AnswerDeviceIdGet(Encode(get), "MFG:ZAM;", response));
    ASSERT_TRUE(Decode(response, answer));
    EXPECT_EQ(answer.errorStatus, kNoError);
    EXPECT_EQ(answer.bindings[0].type, kNoSuchObject);
    EXPECT_EQ(answer.bindings[1].value, "MFG:ZAM;");

    EXPECT_FALSE(AnswerDeviceIdGet(response, "MFG:ZAM;", response));  // a response is no GET
}

}  // namespace
}  // namespace vx::snmp
