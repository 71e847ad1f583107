#include "transfer/backup/ArithmeticCoder.h"

#include "core/LittleEndian.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

void CodeBuffer::Clear()
{
    m_data.reset();
    m_length = 0;
    m_capacity = 0;
}

bool CodeBuffer::Grow()
{
    const size_t capacity = m_capacity == 0 ? FirstStep : m_capacity * 2;
    if (capacity < m_capacity)
        return false;
    std::unique_ptr<uint8_t[]> data(new (std::nothrow) uint8_t[capacity]);
    if (!data)
        return false;
    if (m_length)
        std::copy_n(m_data.get(), m_length, data.get());
    m_data = std::move(data);
    m_capacity = capacity;
    return true;
}

namespace {

// Four lanes of 32-bit integers (a compiler vector type, so it builds for any target).
typedef int32_t Lanes __attribute__((vector_size(16)));

inline Lanes LoadLanes(const int32_t* p)
{
    Lanes v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void StoreLanes(int32_t* p, Lanes v)
{
    std::memcpy(p, &v, sizeof v);
}

// How many of the 16 values are below the limit.
inline int CountBelow(const int32_t* p, int32_t limit)
{
    const Lanes l = {limit, limit, limit, limit};
    Lanes below = {0, 0, 0, 0};
    for (int i = 0; i < 16; i += 4)
        below += LoadLanes(p + i) < l; // -1 where true
    return -(below[0] + below[1] + below[2] + below[3]);
}

// Adds 1 to the 16 values from index `from` on.
inline void AddOneFrom(int32_t* p, int from)
{
    const Lanes f = {from, from, from, from};
    for (int i = 0; i < 16; i += 4) {
        const Lanes index = {i, i + 1, i + 2, i + 3};
        StoreLanes(p + i, LoadLanes(p + i) - (index >= f));
    }
}

// Division by the model's total through a multiplication: with m = ceil(2^45 / t) and t below
// 2^14, floor(a * m / 2^45) equals floor(a / t) for every a below 2^31 (Granlund and Montgomery,
// "Division by invariant integers using multiplication", 1994, theorem 4.2), and the coder's
// products stay below 2^30. The reciprocal is looked up before it is needed, off the chain of
// dependent steps that limits the coder's speed.
class TotalDivider
{
public:
    TotalDivider()
    {
        for (uint64_t t = 1; t <= uint64_t(ArithmeticCoder::MaxTotal); ++t)
            m_reciprocal[t] = ((uint64_t(1) << 45) + t - 1) / t;
    }
    uint64_t Reciprocal(int32_t total) const { return m_reciprocal[total]; }
    static int32_t Divide(int32_t a, uint64_t reciprocal)
    {
        return static_cast<int32_t>((static_cast<unsigned __int128>(static_cast<uint32_t>(a)) * reciprocal) >> 45);
    }

private:
    uint64_t m_reciprocal[ArithmeticCoder::MaxTotal + 1] = {};
};

const TotalDivider& GetTotalDivider()
{
    static const TotalDivider divider;
    return divider;
}

// The adaptive frequency model. The stream format defines it as a flat table of counts with a
// cumulative table updated in full after every byte (up to 256 additions). Here the same counts
// are kept as running sums in 16 groups of 16 values: a group's offset plus the running sum
// inside the group gives any cumulative count in two reads, and an update touches two fixed rows
// of 16 that the compiler turns into a few vector additions. The intervals, and so the bytes
// out, are the same.
class AdaptiveModel
{
public:
    AdaptiveModel()
    {
        std::fill(std::begin(m_count), std::end(m_count), 1);
        Rebuild();
    }

    int32_t GetTotal() const { return m_total; }
    // a / total, rounded down, for 0 <= a < 2^31.
    int32_t DivideByTotal(int32_t a) const { return TotalDivider::Divide(a, m_reciprocal); }

    // The interval of byte value s: [cumulative[s + 1], cumulative[s]).
    void GetInterval(int s, int32_t& lowCount, int32_t& highCount) const
    {
        lowCount = m_total - (m_groupBefore[s >> 4] + m_inGroup[s]);
        highCount = lowCount + m_count[s];
    }

    // The first byte value, counting up from 0, with cumulative[s + 1] <= target. A corrupt stream
    // can give a target that no value meets; it then decodes as the last value, never beyond it.
    int Find(int32_t target) const
    {
        // cumulative[s + 1] = total - prefix(s), so the answer is the number of values whose
        // running sum stays below total - target.
        const int32_t want = m_total - target;
        // The first group's offset is 0, below any positive want.
        const int group = std::max(CountBelow(m_groupBefore, want) - 1, 0);
        const int inside = CountBelow(m_inGroup + 16 * group, want - m_groupBefore[group]);
        return std::min(16 * group + inside, 255);
    }

    void Update(int s)
    {
        if (m_total == ArithmeticCoder::MaxTotal) {
            // Halving rounds up, so no count drops to 0.
            for (int32_t& c : m_count)
                c = (c + 1) / 2;
            Rebuild();
        }
        ++m_count[s];
        ++m_total;
        m_reciprocal = m_divider.Reciprocal(m_total);
        AddOneFrom(m_inGroup + (s & ~15), s & 15);
        AddOneFrom(m_groupBefore, (s >> 4) + 1);
    }

private:
    void Rebuild()
    {
        m_total = 0;
        for (int g = 0; g < 16; ++g) {
            m_groupBefore[g] = m_total;
            int32_t sum = 0;
            for (int j = 0; j < 16; ++j) {
                sum += m_count[16 * g + j];
                m_inGroup[16 * g + j] = sum;
            }
            m_total += sum;
        }
        m_reciprocal = m_divider.Reciprocal(m_total);
    }

    int32_t m_count[256];
    int32_t m_inGroup[256] = {};     // counts from the start of the value's group to the value itself
    int32_t m_groupBefore[16] = {}; // counts of all earlier groups
    int32_t m_total = 0;
    const TotalDivider& m_divider = GetTotalDivider();
    uint64_t m_reciprocal = 0;
};

// Bits of a 16-bit value in reverse order: code values are worked MSB first, the stream packs
// bits LSB first.
struct ReverseTable
{
    uint8_t byte[256];
    ReverseTable()
    {
        for (int i = 0; i < 256; ++i) {
            int r = 0;
            for (int b = 0; b < 8; ++b)
                r |= ((i >> b) & 1) << (7 - b);
            byte[i] = static_cast<uint8_t>(r);
        }
    }
    uint32_t Reverse16(uint32_t v) const { return (uint32_t(byte[v & 0xFF]) << 8) | byte[(v >> 8) & 0xFF]; }
};
const ReverseTable g_reverse;

// Leading bits low and high share: they are settled and can be shifted out together, which is
// what the one-bit-at-a-time loop of the classic coder does for them.
inline int SettledBits(int32_t low, int32_t high)
{
    const uint32_t differ = static_cast<uint32_t>(low ^ high) & 0xFFFF;
    return differ == 0 ? 16 : std::countl_zero(differ) - 16;
}

// Underflow steps (low in the second quarter, high in the third) that follow: one per leading
// position, from bit 14 down, where low has a 1 and high a 0. Only called once low and high
// differ in bit 15. Each step doubles both around the middle, so m steps together keep the
// low bits of each shifted by m with bit 15 cleared in low and set in high.
inline int UnderflowSteps(int32_t low, int32_t high)
{
    const uint32_t run = static_cast<uint32_t>(low & ~high & 0x7FFF) << 17;
    return std::countl_one(run);
}

class Encoder
{
public:
    explicit Encoder(CodeBuffer& out) : m_out(out) {}

    void Encode(AdaptiveModel& model, int s)
    {
        int32_t lowCount, highCount;
        model.GetInterval(s, lowCount, highCount);
        const int32_t range = m_high - m_low + 1;
        m_high = m_low + model.DivideByTotal(range * highCount) - 1;
        m_low = m_low + model.DivideByTotal(range * lowCount);
        const int n = SettledBits(m_low, m_high);
        if (n > 0) {
            // The first settled bit carries the pending underflow bits; the rest follow plainly.
            const uint32_t bits = g_reverse.Reverse16(static_cast<uint32_t>(m_low));
            const uint32_t first = bits & 1;
            PutBits(first, 1);
            PutRepeated(first ^ 1, m_pending);
            m_pending = 0;
            if (n > 1)
                PutBits((bits >> 1) & ((1u << (n - 1)) - 1), n - 1);
            m_low = (m_low << n) & 0xFFFF;
            m_high = ((m_high << n) | ((1 << n) - 1)) & 0xFFFF;
        }
        const int m = UnderflowSteps(m_low, m_high);
        m_pending += m;
        m_low = (m_low << m) & 0x7FFF;
        m_high = ((m_high << m) | ((1 << m) - 1) | 0x8000) & 0xFFFF;
        model.Update(s);
    }

    void Finish()
    {
        ++m_pending;
        const uint32_t bit = m_low >= ArithmeticCoder::FirstQuarter ? 1 : 0;
        PutBits(bit, 1);
        PutRepeated(bit ^ 1, m_pending);
        m_pending = 0;
        PutBits(0, 16);
        while (m_count >= 8) {
            Append(static_cast<uint8_t>(m_bits));
            m_bits >>= 8;
            m_count -= 8;
        }
        // The last byte holds the bits left over; when none are, it is a 0 byte, so a finished
        // stream always ends with this byte.
        Append(static_cast<uint8_t>(m_bits));
    }

    bool Failed() const { return m_failed; }

private:
    // Bits in stream order, the first at bit 0; at most 16 at a time.
    void PutBits(uint32_t bits, int n)
    {
        m_bits |= uint64_t(bits) << m_count;
        m_count += n;
        if (m_count >= 32) {
            for (int i = 0; i < 4; ++i)
                Append(static_cast<uint8_t>(m_bits >> (8 * i)));
            m_bits >>= 32;
            m_count -= 32;
        }
    }

    void PutRepeated(uint32_t bit, int32_t count)
    {
        for (; count > 0; count -= 16) {
            const int n = count < 16 ? count : 16;
            PutBits(bit ? (1u << n) - 1 : 0, n);
        }
    }

    void Append(uint8_t byte)
    {
        if (!m_out.Append(byte))
            m_failed = true;
    }

    CodeBuffer& m_out;
    int32_t m_low = 0;
    int32_t m_high = ArithmeticCoder::Top;
    int32_t m_pending = 0;
    uint64_t m_bits = 0;
    int m_count = 0;
    bool m_failed = false;
};

// Thrown inside the decoder when the input has run out by more than the format allows.
struct InputExhausted
{
};

class Decoder
{
public:
    Decoder(const uint8_t* input, size_t length) : m_input(input), m_length(length)
    {
        m_value = static_cast<int32_t>(TakeBits(16));
    }

    int Decode(AdaptiveModel& model)
    {
        const int32_t total = model.GetTotal();
        const int32_t range = m_high - m_low + 1;
        const int32_t target = ((m_value - m_low + 1) * total - 1) / range;
        const int s = model.Find(target);
        int32_t lowCount, highCount;
        model.GetInterval(s, lowCount, highCount);
        m_high = m_low + model.DivideByTotal(range * highCount) - 1;
        m_low = m_low + model.DivideByTotal(range * lowCount);
        // A valid stream keeps the value between low and high, so within 16 bits; keeping it
        // there for a corrupt one too means its arithmetic cannot overflow.
        // Written without a test for n == 0, which would be a branch the processor cannot guess.
        const int n = SettledBits(m_low, m_high);
        m_low = (m_low << n) & 0xFFFF;
        m_high = ((m_high << n) | ((1 << n) - 1)) & 0xFFFF;
        m_value = ((m_value << n) | static_cast<int32_t>(TakeBits(n))) & 0xFFFF;
        // Each underflow step takes a quarter off and doubles; modulo 2^16 that flips bit 15.
        const int m = UnderflowSteps(m_low, m_high);
        m_low = (m_low << m) & 0x7FFF;
        m_high = ((m_high << m) | ((1 << m) - 1) | 0x8000) & 0xFFFF;
        m_value = (((m_value << m) ^ (m ? 0x8000 : 0)) | static_cast<int32_t>(TakeBits(m))) & 0xFFFF;
        model.Update(s);
        return s;
    }

private:
    // The next n bits (1 to 16) as a number, the first bit most significant.
    uint32_t TakeBits(int n)
    {
        if (m_count < n && m_position + 4 <= m_length) {
            m_bits |= uint64_t(GetU32LE(m_input + m_position)) << m_count;
            m_position += 4;
            m_count += 32;
        }
        while (m_count < n) {
            uint64_t byte = 0;
            if (m_position < m_length)
                byte = m_input[m_position++];
            else if (++m_garbage > ArithmeticCoder::MaxGarbageBytes)
                throw InputExhausted();
            m_bits |= byte << m_count;
            m_count += 8;
        }
        const uint32_t bits = static_cast<uint32_t>(m_bits) & ((1u << n) - 1);
        m_bits >>= n;
        m_count -= n;
        return g_reverse.Reverse16(bits) >> (16 - n);
    }

    const uint8_t* m_input;
    size_t m_length;
    size_t m_position = 0;
    int32_t m_value = 0;
    int32_t m_low = 0;
    int32_t m_high = ArithmeticCoder::Top;
    uint64_t m_bits = 0;
    int m_count = 0;
    int m_garbage = 0;
};

} // namespace

struct ArithmeticCoder::Progress
{
    CStatusProgress& bar;
    uint64_t total;
    uint64_t& counter;

    void Step()
    {
        ++counter;
        if (total)
            bar.SetPercent(MulDiv(static_cast<int64_t>(counter), 100, static_cast<int64_t>(total)));
    }
};

bool ArithmeticCoder::Compress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength)
{
    return DoCompress(input, length, output, outputLength, nullptr);
}

bool ArithmeticCoder::Decompress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength)
{
    return DoDecompress(input, length, output, outputLength, nullptr);
}

bool ArithmeticCoder::CompressWithProgress(const uint8_t* input, size_t length, uint8_t** output,
                                           size_t* outputLength, CStatusProgress& progress, uint64_t total,
                                           uint64_t& counter)
{
    Progress p {progress, total, counter};
    return DoCompress(input, length, output, outputLength, &p);
}

bool ArithmeticCoder::DecompressWithProgress(const uint8_t* input, size_t length, uint8_t** output,
                                             size_t* outputLength, CStatusProgress& progress, uint64_t total,
                                             uint64_t& counter)
{
    Progress p {progress, total, counter};
    return DoDecompress(input, length, output, outputLength, &p);
}

bool ArithmeticCoder::HandOut(uint8_t** output, size_t* outputLength)
{
    uint8_t* data = new (std::nothrow) uint8_t[m_buffer.GetLength()];
    if (!data) {
        m_buffer.Clear();
        return false;
    }
    std::copy_n(m_buffer.GetData(), m_buffer.GetLength(), data);
    *output = data;
    *outputLength = m_buffer.GetLength();
    m_buffer.Clear();
    return true;
}

bool ArithmeticCoder::DoCompress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength,
                                 Progress* progress)
{
    if (!input || length == 0 || !output || *output || !outputLength)
        return false;
    *outputLength = 0;
    // The length field holds 32 bits.
    if (length > UINT32_MAX)
        return false;
    m_buffer.Clear();
    if (progress)
        progress->bar.SetPercent(0);
    AdaptiveModel model;
    Encoder encoder(m_buffer);
    uint8_t field[LengthFieldSize];
    PutU32LE(field, static_cast<uint32_t>(length));
    bool ok = true;
    for (uint8_t b : field)
        ok = ok && m_buffer.Append(b);
    if (ok) {
        for (size_t i = 0; i < length; ++i) {
            encoder.Encode(model, input[i]);
            if (progress)
                progress->Step();
        }
        encoder.Finish();
    }
    if (!ok || encoder.Failed()) {
        m_buffer.Clear();
        return false;
    }
    return HandOut(output, outputLength);
}

bool ArithmeticCoder::DoDecompress(const uint8_t* input, size_t length, uint8_t** output, size_t* outputLength,
                                   Progress* progress)
{
    if (!input || length == 0 || !output || *output || !outputLength)
        return false;
    *outputLength = 0;
    if (length < LengthFieldSize)
        return false;
    const uint32_t expected = GetU32LE(input);
    if (expected == 0)
        return false;
    m_buffer.Clear();
    if (progress)
        progress->bar.SetPercent(0);
    try {
        AdaptiveModel model;
        Decoder decoder(input + LengthFieldSize, length - LengthFieldSize);
        while (m_buffer.GetLength() < expected) {
            const int s = decoder.Decode(model);
            if (!m_buffer.Append(static_cast<uint8_t>(s))) {
                m_buffer.Clear();
                return false;
            }
            if (progress)
                progress->Step();
        }
    } catch (const InputExhausted&) {
        m_buffer.Clear();
        return false;
    }
    return HandOut(output, outputLength);
}
