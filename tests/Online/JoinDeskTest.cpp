#include <gtest/gtest.h>

#include "app/online/JoinDesk.h"

using Online::JoinDesk;
using Online::RefusalCode;

namespace {

Online::Message hello(int seats, std::uint64_t token = 0,
                      std::uint32_t version = Online::Protocol::VERSION)
{
    Online::Message message;
    message.type = Online::MessageType::HELLO;
    message.version = version;
    message.text = "ann";
    message.seats = static_cast<std::uint8_t>(seats);
    message.token = token;
    return message;
}

} // namespace

TEST(JoinDeskTest, AJoinIsTakenOrRefusedByVersionSeatsAndRoom)
{
    struct Case {
        const char* row;
        Online::Message hello;
        int clients; // already in
        int seats;   // held by them
        bool taken;
        RefusalCode code;
        const char* reason;
    };
    // Room for 3 clients and 6 people.
    const Case cases[] = {
        {"room left", hello(2), 2, 4, true, RefusalCode::BAD_REQUEST, ""},
        {"another protocol", hello(1, 0, 99), 0, 0, false, RefusalCode::MISMATCH,
         "Mismatch: this server speaks protocol 1, the client 99"},
        {"no seat asked for", hello(0), 0, 0, false, RefusalCode::BAD_REQUEST, "1 to 4 seats"},
        {"more seats than a keyboard has", hello(5), 0, 0, false, RefusalCode::BAD_REQUEST,
         "1 to 4 seats"},
        {"every client place taken", hello(1), 3, 3, false, RefusalCode::FULL,
         "Full: 3 of 6 seats and 3 of 3 clients taken"},
        {"not enough seats left", hello(3), 1, 4, false, RefusalCode::FULL, "Full: 4 of 6 seats"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        JoinDesk desk("", 3, 6, 30);
        JoinDesk::Identity who;
        RefusalCode code = RefusalCode::BAD_REQUEST;
        const std::string problem = desk.admit(c.hello, c.clients, c.seats, 0, who, code);
        EXPECT_EQ(c.taken, problem.empty()) << problem;
        if (!c.taken) {
            EXPECT_EQ(c.code, code);
            EXPECT_NE(std::string::npos, problem.find(c.reason)) << problem;
        }
    }
}

TEST(JoinDeskTest, ATokenBringsTheSameSeatsBackOnlyWithinTheWindow)
{
    JoinDesk desk("", 8, 8, 30);
    JoinDesk::Identity first;
    JoinDesk::Identity second;
    RefusalCode code = RefusalCode::BAD_REQUEST;
    ASSERT_EQ("", desk.admit(hello(2), 0, 0, 0, first, code));
    ASSERT_EQ("", desk.admit(hello(1), 1, 2, 0, second, code));
    EXPECT_NE(first.token, second.token);
    EXPECT_LT(first.order, second.order);
    desk.remember(first, 100);

    JoinDesk::Identity back;
    Online::Message again = hello(1, first.token);
    again.text = "someone";
    ASSERT_EQ("", desk.admit(again, 1, 1, 129, back, code));
    EXPECT_TRUE(back.back);
    EXPECT_EQ("ann", back.name) << "its own name";
    EXPECT_EQ(2, back.seats) << "its own seats, whatever the HELLO asks for";
    EXPECT_EQ(first.order, back.order) << "its own place in the seat order";
    EXPECT_EQ(first.token, back.token);

    // Not spent until the client has joined (a wrong password keeps it);
    // once spent, or once the window has passed, a token is a new join.
    JoinDesk::Identity retry;
    ASSERT_EQ("", desk.admit(hello(1, first.token), 1, 1, 129, retry, code));
    EXPECT_TRUE(retry.back);
    desk.settle(back);
    JoinDesk::Identity twice;
    ASSERT_EQ("", desk.admit(hello(1, first.token), 2, 3, 129, twice, code));
    EXPECT_FALSE(twice.back);
    desk.remember(second, 100);
    desk.forgetExpired(130);
    JoinDesk::Identity late;
    ASSERT_EQ("", desk.admit(hello(1, second.token), 2, 3, 130, late, code));
    EXPECT_FALSE(late.back);
    EXPECT_NE(second.token, late.token);
}
