// Number reads against a formatted stream read written here on its own:
// for every generated text, strToNum gives the same value (bit for bit for
// floats) or throws exactly when the stream read fails, for all four types.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "Support/StreamRead.h"
#include "Util/StringHelpers.h"

namespace {

template <typename T>
bool sameValue(T a, T b)
{
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <typename T>
void expectReadsLikeTheStream(const std::string& text)
{
    T expected = 0;
    const bool readable = TestSupport::streamRead(text, expected);
    try {
        const T value = Util::strToNum<T>(text);
        EXPECT_TRUE(readable) << "read \"" << text << "\" that the stream refuses";
        EXPECT_TRUE(sameValue(value, expected))
            << "\"" << text << "\" gave " << value << ", the stream " << expected;
    } catch (const std::domain_error& error) {
        EXPECT_FALSE(readable) << "refused \"" << text << "\" that the stream reads";
        EXPECT_EQ(std::string(error.what()), "Cant convert String to Num:" + text);
    }
}

void expectAllTypes(const std::string& text)
{
    expectReadsLikeTheStream<int>(text);
    expectReadsLikeTheStream<unsigned int>(text);
    expectReadsLikeTheStream<unsigned long>(text);
    expectReadsLikeTheStream<float>(text);
}

// Texts near the shapes settings hold: sign, digits, fraction, exponent,
// "0x", blanks and trailing text, in random combinations and lengths.
class TextMaker {
public:
    explicit TextMaker(unsigned seed) : random(seed) {}

    std::string make() { return pick(4) == 0 ? noise() : shaped(); }

private:
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); }

    std::string digits(int most)
    {
        std::string out;
        const int count = pick(most + 1);
        for (int i = 0; i < count; ++i) {
            // Zeros more often than the rest: leading zeros, zero values.
            out += pick(4) == 0 ? '0' : static_cast<char>('0' + pick(10));
        }
        return out;
    }

    std::string shaped()
    {
        static const char* const signs[] = {"", "", "", "-", "+", "--"};
        static const char* const lead[] = {"", "", "", "", " ", "\t", "0x", "0X", " 0x"};
        static const char* const tail[] = {"",  "",  "",   "",  " ", "abc", "x",
                                           ".", "e", "e+", "-", "1", " 5",  "f"};
        std::string out = lead[pick(9)];
        out += signs[pick(6)];
        // Lengths that cross every type's digit limit and the float's
        // precision, now and then very long.
        out += digits(pick(8) == 0 ? 60 : 22);
        if (pick(3) == 0) {
            out += '.';
            out += digits(pick(6) == 0 ? 50 : 10);
        }
        if (pick(4) == 0) {
            out += pick(2) == 0 ? 'e' : 'E';
            static const char* const exponentSigns[] = {"", "+", "-"};
            out += exponentSigns[pick(3)];
            out += digits(3);
        }
        out += tail[pick(14)];
        return out;
    }

    std::string noise()
    {
        static const char alphabet[] = "0123456789-+.eExX abf\t\n";
        std::string out;
        const int length = pick(12);
        for (int i = 0; i < length; ++i) {
            out += alphabet[pick(sizeof(alphabet) - 1)];
        }
        return out;
    }

    std::mt19937 random;
};

TEST(NumberReadProperty, GeneratedTextsReadAsTheStreamReadsThem)
{
    TextMaker maker(20261207);
    for (int i = 0; i < 60000; ++i) {
        const std::string text = maker.make();
        SCOPED_TRACE("\"" + text + "\"");
        expectAllTypes(text);
        if (HasFailure()) {
            return;
        }
    }
}

TEST(NumberReadProperty, EdgesOfEveryTypeReadAsTheStreamReadsThem)
{
    const std::vector<std::string> edges = {
        "0",
        "-0",
        "00",
        "-",
        ".",
        "-.",
        "0.",
        ".0",
        "-.5",
        "5.",
        "1e",
        "1e+",
        "1e5",
        "1E-5",
        "999999999",
        "-999999999",
        "1000000000",
        "2147483647",
        "2147483648",
        "-2147483648",
        "-2147483649",
        "4294967295",
        "4294967296",
        "-1",
        "-4294967295",
        "-4294967296",
        "9999999999999999999",
        "18446744073709551615",
        "18446744073709551616",
        "-18446744073709551615",
        "3.4028234e38",
        "3.4028236e38",
        "1e39",
        "-1e39",
        "1e-38",
        "1.1754942e-38",
        "1.17549435e-38",
        "1e-45",
        "1.4e-45",
        "7e-46",
        "1e-46",
        "-1e-50",
        "0.000000000000000000000000000000000000000000001",
        "16777217",
        "16777217.0",
        "0.1",
        "0.3",
        "2.5",
        "60",
        "500",
        "0.1000000000000000055511151231257827",
        "3.40282356779733661637539395458142568448e38",
        "0x",
        "0x10",
        "0xg",
        "0x-1",
        "00000000000000000000000000000000000000000000000000001"};
    for (const std::string& text : edges) {
        SCOPED_TRACE("\"" + text + "\"");
        expectAllTypes(text);
    }
}

} // namespace
