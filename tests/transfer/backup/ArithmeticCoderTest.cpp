#include "FakeStatusBarHost.h"

#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"
#include "transfer/backup/ArithmeticCoder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Compress(const Bytes& in)
{
    ArithmeticCoder coder;
    uint8_t* out = nullptr;
    size_t length = 0;
    if (!coder.Compress(in.data(), in.size(), &out, &length))
        return {};
    Bytes result(out, out + length);
    delete[] out;
    return result;
}

bool Decompress(const Bytes& in, Bytes& result)
{
    ArithmeticCoder coder;
    uint8_t* out = nullptr;
    size_t length = 0;
    const bool ok = coder.Decompress(in.data(), in.size(), &out, &length);
    result.assign(out, out + length);
    delete[] out;
    if (!ok) {
        EXPECT_EQ(length, 0u);
    }
    return ok;
}

Bytes FromText(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// The stream format written the plain way: a flat count table whose cumulative table is updated
// in full after every byte. The coder's faster model must produce the same bytes.
Bytes ReferenceCompress(const Bytes& in)
{
    uint32_t count[256];
    uint32_t cum[257];
    for (int i = 0; i < 256; ++i)
        count[i] = 1;
    for (int i = 0; i <= 256; ++i)
        cum[i] = 256 - i;
    Bytes out {uint8_t(in.size()), uint8_t(in.size() >> 8), uint8_t(in.size() >> 16), uint8_t(in.size() >> 24)};
    int32_t low = 0, high = 65535, pending = 0;
    uint32_t buffer = 0;
    int freeBits = 8;
    auto bit = [&](int b) {
        buffer = (buffer >> 1) | (b ? 0x80 : 0);
        if (--freeBits == 0) {
            out.push_back(uint8_t(buffer));
            freeBits = 8;
        }
    };
    auto follow = [&](int b) {
        bit(b);
        for (; pending; --pending)
            bit(!b);
    };
    for (uint8_t s : in) {
        const int32_t range = high - low + 1;
        high = low + range * int32_t(cum[s]) / int32_t(cum[0]) - 1;
        low = low + range * int32_t(cum[s + 1]) / int32_t(cum[0]);
        for (;;) {
            if (high < 0x8000) {
                follow(0);
            } else if (low >= 0x8000) {
                follow(1);
                low -= 0x8000;
                high -= 0x8000;
            } else if (low >= 0x4000 && high < 0xC000) {
                ++pending;
                low -= 0x4000;
                high -= 0x4000;
            } else {
                break;
            }
            low *= 2;
            high = 2 * high + 1;
        }
        if (cum[0] == 16383) {
            uint32_t sum = 0;
            for (int i = 255; i >= 0; --i) {
                count[i] = (count[i] + 1) / 2;
                sum += count[i];
                cum[i] = sum;
            }
            cum[256] = 0;
        }
        ++count[s];
        for (int i = s; i >= 0; --i)
            ++cum[i];
    }
    ++pending;
    follow(low >= 0x4000 ? 1 : 0);
    for (int i = 0; i < 16; ++i)
        bit(0);
    out.push_back(uint8_t(buffer >> freeBits));
    return out;
}

// The decoder written the plain way, one bit and one table walk at a time, with the same guards
// for corrupt input (value kept to 16 bits, symbol kept to 0-255). False when the input runs
// more than 14 bytes short.
bool ReferenceDecompress(const Bytes& in, Bytes& out)
{
    out.clear();
    if (in.size() < 4)
        return false;
    const uint32_t expected = in[0] | (in[1] << 8) | (in[2] << 16) | (uint32_t(in[3]) << 24);
    if (expected == 0)
        return false;
    uint32_t count[256];
    uint32_t cum[257];
    for (int i = 0; i < 256; ++i)
        count[i] = 1;
    for (int i = 0; i <= 256; ++i)
        cum[i] = 256 - i;
    size_t pos = 4;
    uint32_t buffer = 0;
    int left = 0, garbage = 0;
    bool exhausted = false;
    auto bit = [&]() -> int32_t {
        if (left == 0) {
            if (pos < in.size())
                buffer = in[pos++];
            else if (++garbage > 14)
                exhausted = true;
            left = 8;
        }
        const int32_t b = buffer & 1;
        buffer >>= 1;
        --left;
        return b;
    };
    int32_t value = 0, low = 0, high = 65535;
    for (int i = 0; i < 16; ++i)
        value = 2 * value + bit();
    while (out.size() < expected && !exhausted) {
        const int32_t range = high - low + 1;
        const int32_t target = ((value - low + 1) * int32_t(cum[0]) - 1) / range;
        int s = 0;
        while (s < 255 && int32_t(cum[s + 1]) > target)
            ++s;
        high = low + range * int32_t(cum[s]) / int32_t(cum[0]) - 1;
        low = low + range * int32_t(cum[s + 1]) / int32_t(cum[0]);
        for (;;) {
            if (high < 0x8000) {
            } else if (low >= 0x8000) {
                value -= 0x8000;
                low -= 0x8000;
                high -= 0x8000;
            } else if (low >= 0x4000 && high < 0xC000) {
                value -= 0x4000;
                low -= 0x4000;
                high -= 0x4000;
            } else {
                break;
            }
            low *= 2;
            high = 2 * high + 1;
            value = (2 * value + bit()) & 0xFFFF;
        }
        if (cum[0] == 16383) {
            uint32_t sum = 0;
            for (int i = 255; i >= 0; --i) {
                count[i] = (count[i] + 1) / 2;
                sum += count[i];
                cum[i] = sum;
            }
        }
        ++count[s];
        for (int i = s; i >= 0; --i)
            ++cum[i];
        out.push_back(uint8_t(s));
    }
    if (exhausted)
        out.clear();
    return !exhausted;
}

Bytes RandomBytes(size_t n, uint32_t seed, int alphabet)
{
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& c : b)
        c = uint8_t(rng() % alphabet);
    return b;
}

} // namespace

TEST(ArithmeticCoder, KnownStreams)
{
    EXPECT_EQ(Compress(FromText("abc")), (Bytes {3, 0, 0, 0, 0x79, 0x39, 0xBF, 0x01, 0x00, 0x00}));
    EXPECT_EQ(Compress(FromText("a")), (Bytes {1, 0, 0, 0, 0x79, 0x02, 0x00, 0x00}));
    Bytes out;
    ASSERT_TRUE(Decompress({3, 0, 0, 0, 0x79, 0x39, 0xBF, 0x01, 0x00, 0x00}, out));
    EXPECT_EQ(out, FromText("abc"));
    // Missing input reads as zero bits.
    ASSERT_TRUE(Decompress({3, 0, 0, 0, 0x79, 0x39, 0xBF, 0x01}, out));
    EXPECT_EQ(out, FromText("abc"));
    ASSERT_TRUE(Decompress({1, 0, 0, 0, 0x79, 0x02}, out));
    EXPECT_EQ(out, FromText("a"));
}

TEST(ArithmeticCoder, FirstCodeBitIsBitZeroOfTheFifthByte)
{
    // The reference writer puts the first code bit into bit 0 of byte 4; single bytes over the
    // whole range show the coder does the same.
    for (uint8_t v : {0, 1, 127, 128, 200, 255}) {
        SCOPED_TRACE(int(v));
        const Bytes one {v};
        EXPECT_EQ(Compress(one), ReferenceCompress(one));
    }
}

TEST(ArithmeticCoder, RefusesWhatItCannotCode)
{
    ArithmeticCoder coder;
    uint8_t data[3] = {1, 2, 3};
    uint8_t* out = nullptr;
    size_t length = 7;
    EXPECT_FALSE(coder.Compress(nullptr, 3, &out, &length));
    EXPECT_FALSE(coder.Compress(data, 0, &out, &length));
    EXPECT_FALSE(coder.Decompress(nullptr, 3, &out, &length));
    EXPECT_FALSE(coder.Decompress(data, 0, &out, &length));
    EXPECT_EQ(out, nullptr);
    uint8_t held = 0;
    uint8_t* busy = &held;
    EXPECT_FALSE(coder.Compress(data, 3, &busy, &length));
    EXPECT_EQ(busy, &held);

    Bytes result;
    // Shorter than the length field, and a stated length of 0.
    EXPECT_FALSE(Decompress({3, 0, 0}, result));
    EXPECT_FALSE(Decompress({0, 0, 0, 0, 0x79, 0x39}, result));
    EXPECT_FALSE(Decompress({0, 0, 0, 0}, result));
}

TEST(ArithmeticCoder, InputRunningShortByMoreThanFourteenBytesFails)
{
    const Bytes text = RandomBytes(2000, 7, 256);
    const Bytes stream = Compress(text);
    Bytes out;
    // Cutting the stream by up to 14 bytes of needed input can still decode (to something);
    // cutting deep into the code bits must fail rather than invent data.
    Bytes cut(stream.begin(), stream.begin() + stream.size() / 2);
    EXPECT_FALSE(Decompress(cut, out));
    // A length field larger than the content.
    Bytes longer = Compress(FromText("abc"));
    longer[0] = 0xFF;
    longer[1] = 0xFF;
    EXPECT_FALSE(Decompress(longer, out));
}

TEST(ArithmeticCoder, MatchesTheFlatModelThroughManyHalvings)
{
    struct Case
    {
        const char* name;
        Bytes data;
    };
    std::vector<Case> cases;
    cases.push_back({"halving edge", RandomBytes(16127, 1, 3)});
    cases.push_back({"one past the halving", RandomBytes(16128 + 1, 2, 3)});
    cases.push_back({"one repeated byte", Bytes(100000, 'x')});
    cases.push_back({"random", RandomBytes(60000, 3, 256)});
    cases.push_back({"skewed", RandomBytes(80000, 4, 5)});
    cases.push_back({"top values", Bytes(5000, 255)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Bytes stream = Compress(c.data);
        EXPECT_EQ(stream, ReferenceCompress(c.data));
        Bytes back;
        ASSERT_TRUE(Decompress(stream, back));
        EXPECT_EQ(back, c.data);
    }
}

TEST(ArithmeticCoder, RoundTripsOfManySizes)
{
    for (size_t n : {size_t(1), size_t(2), size_t(255), size_t(256), size_t(16127), size_t(16128),
                     size_t(131072), size_t(300000)}) {
        SCOPED_TRACE(n);
        Bytes data = RandomBytes(n, uint32_t(n), n % 2 ? 256 : 40);
        const Bytes stream = Compress(data);
        ASSERT_GE(stream.size(), 5u);
        Bytes back;
        ASSERT_TRUE(Decompress(stream, back));
        EXPECT_EQ(back, data);
    }
}

// Outputs past the room each call sets aside at first: random bytes pack to more than they take,
// and a long run of one byte unpacks to far more than its code bits suggest.
TEST(ArithmeticCoder, RoundTripsPastTheRoomSetAsideFirst)
{
    for (const Bytes& data : {RandomBytes(600000, 7, 256), Bytes(3000000, 'x')}) {
        SCOPED_TRACE(data.size());
        const Bytes stream = Compress(data);
        Bytes back;
        ASSERT_TRUE(Decompress(stream, back));
        EXPECT_EQ(back, data);
    }
}

TEST(ArithmeticCoder, ProgressCountsEveryByteOverSeveralCalls)
{
    FakeStatusBarHost host;
    CStatusProgress progress;
    progress.Begin("Compressing");
    host.Take();
    const Bytes a(30, 'a');
    const Bytes b(70, 'b');
    uint64_t counter = 0;
    ArithmeticCoder coder;
    uint8_t* outA = nullptr;
    uint8_t* outB = nullptr;
    size_t lengthA = 0, lengthB = 0;
    ASSERT_TRUE(coder.CompressWithProgress(a.data(), a.size(), &outA, &lengthA, progress, 100, counter));
    EXPECT_EQ(counter, 30u);
    EXPECT_EQ(progress.GetPosition(), 30);
    ASSERT_TRUE(coder.CompressWithProgress(b.data(), b.size(), &outB, &lengthB, progress, 100, counter));
    EXPECT_EQ(counter, 100u);
    // Steps below 2 are not shown, so the bar may stop one short.
    EXPECT_GE(progress.GetPosition(), 99);
    EXPECT_EQ(Bytes(outA, outA + lengthA), Compress(a));

    uint64_t back = 0;
    uint8_t* plain = nullptr;
    size_t plainLength = 0;
    ASSERT_TRUE(coder.DecompressWithProgress(outB, lengthB, &plain, &plainLength, progress, 140, back));
    EXPECT_EQ(back, 70u);
    EXPECT_EQ(progress.GetPosition(), 50);
    EXPECT_EQ(Bytes(plain, plain + plainLength), b);
    delete[] outA;
    delete[] outB;
    delete[] plain;
}

// Decodes the input as the bit-by-bit form does, refusing it or not alike; whether that form
// took it.
static bool DecodesAsTheBitByBitForm(const Bytes& input)
{
    Bytes expected, actual;
    const bool expectedOk = ReferenceDecompress(input, expected);
    EXPECT_EQ(Decompress(input, actual), expectedOk);
    EXPECT_EQ(actual, expected);
    return expectedOk;
}

TEST(ArithmeticCoder, DecoderAgreesWithTheBitByBitFormOnDamagedStreams)
{
    const Bytes data = RandomBytes(3000, 21, 7);
    const Bytes stream = Compress(data);
    std::mt19937 rng(4);
    // Every cut, then streams with a few bytes changed, which decode to other bytes or fail.
    std::vector<Bytes> inputs;
    for (size_t cut = 4; cut <= stream.size(); ++cut)
        inputs.emplace_back(stream.begin(), stream.begin() + cut);
    for (int i = 0; i < 300; ++i) {
        Bytes changed = stream;
        for (int k = 0; k < 3; ++k)
            changed[4 + rng() % (changed.size() - 4)] = uint8_t(rng());
        if (i % 3 == 0)
            changed[0] = uint8_t(rng());
        inputs.push_back(changed);
    }
    size_t failures = 0;
    for (size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(i);
        failures += !DecodesAsTheBitByBitForm(inputs[i]);
    }
    // Both kinds occur: cuts deep into the stream fail, and the cut off 16 zero bits do not.
    EXPECT_GT(failures, 0u);
    EXPECT_LT(failures, inputs.size());
}

// The decoder's second stretch of 4096 bytes uses its branching search, the third the branching
// one with spread groups compared as vectors, later ones any search, and where zeros are most of
// the bytes the branching searches ask for a zero first: each must decode sound and damaged
// streams as the bit-by-bit form does.
TEST(ArithmeticCoder, BothSearchesAgreeWithTheBitByBitForm)
{
    Bytes text;
    for (int i = 0; text.size() < 14000; ++i) {
        const std::string line = "SS,OP" + std::to_string(i / 7) + ",FP" + std::to_string(i * 37 % 1000) + ",--FENCE\n";
        text.insert(text.end(), line.begin(), line.end());
    }
    Bytes padded = RandomBytes(14000, 10, 256);
    for (size_t i = 0; i + 1 < padded.size(); i += 3)
        padded[i] = padded[i + 1] = 0;
    std::mt19937 rng(9);
    for (const Bytes& data : {text, RandomBytes(14000, 8, 256), padded}) {
        const Bytes stream = Compress(data);
        std::vector<Bytes> inputs {stream};
        for (int i = 0; i < 12; ++i) {
            Bytes changed = stream;
            // Past the first stretch's code bits, so that the damage reaches the other search.
            changed[stream.size() / 3 + rng() % (stream.size() * 2 / 3)] = uint8_t(rng());
            inputs.push_back(changed);
        }
        for (size_t i = 0; i < inputs.size(); ++i) {
            SCOPED_TRACE(i);
            DecodesAsTheBitByBitForm(inputs[i]);
        }
    }
}

TEST(ArithmeticCoder, TheBarTakesTheValuesItWouldTakeByteByByte)
{
    struct Case
    {
        size_t first, second; // bytes of two calls sharing one bar
        uint64_t total;
    };
    // Totals that make the shown value change at every byte, at uneven counts, after the stretch
    // the coder works in, and never.
    const Case cases[] = {{3, 4, 7}, {150, 183, 333}, {30, 70, 100}, {5000, 5001, 10001}, {9000, 300, 250000},
                          {40, 2, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.total);
        const Bytes a = RandomBytes(c.first, 5, 30);
        const Bytes b = RandomBytes(c.second, 6, 200);
        std::vector<std::string> expected;
        {
            FakeStatusBarHost host;
            CStatusProgress progress;
            progress.Begin("Compressing");
            host.Take();
            progress.SetPercent(0);
            for (size_t k = 1; k <= c.first + c.second; ++k) {
                if (k == c.first + 1)
                    progress.SetPercent(0);
                if (c.total)
                    progress.SetPercent(MulDiv(int64_t(k), 100, int64_t(c.total)));
            }
            expected = host.Take();
        }
        for (bool compress : {true, false}) {
            SCOPED_TRACE(compress);
            const Bytes packedA = Compress(a), packedB = Compress(b);
            FakeStatusBarHost host;
            CStatusProgress progress;
            progress.Begin("Compressing");
            host.Take();
            uint64_t counter = 0;
            ArithmeticCoder coder;
            for (const Bytes* in : {compress ? &a : &packedA, compress ? &b : &packedB}) {
                uint8_t* out = nullptr;
                size_t length = 0;
                ASSERT_TRUE(compress ? coder.CompressWithProgress(in->data(), in->size(), &out, &length, progress,
                                                                  c.total, counter)
                                     : coder.DecompressWithProgress(in->data(), in->size(), &out, &length, progress,
                                                                    c.total, counter));
                delete[] out;
            }
            EXPECT_EQ(counter, c.first + c.second);
            EXPECT_EQ(host.Take(), expected);
        }
    }
}
