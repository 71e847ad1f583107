#include "transfer/backup/ArithmeticCoder.h"

#include "core/LittleEndian.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"

#include <algorithm>
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

// The adaptive frequency model. The stream format defines it as a flat table of counts with a
// cumulative table updated in full after every byte (up to 256 additions); a Fenwick tree over
// the same counts gives the same intervals in a handful of steps, so the bytes out are identical.
class AdaptiveModel
{
public:
    AdaptiveModel()
    {
        std::fill(std::begin(m_count), std::end(m_count), 1);
        Rebuild();
    }

    int32_t GetTotal() const { return m_total; }

    // The interval of byte value s: [cumulative[s + 1], cumulative[s]).
    void GetInterval(int s, int32_t& lowCount, int32_t& highCount) const
    {
        lowCount = m_total - Prefix(s);
        highCount = lowCount + m_count[s];
    }

    // The first byte value, counting up from 0, with cumulative[s + 1] <= target. A corrupt stream
    // can give a target that no value meets; it then decodes as the last value, never beyond it.
    int Find(int32_t target) const
    {
        // cumulative[s + 1] = total - prefix(s), so we want the first s with prefix(s) >= total - target.
        int32_t want = m_total - target;
        int pos = 0;
        for (int step = 256; step > 0; step >>= 1) {
            if (pos + step <= 256 && m_tree[pos + step] < want) {
                pos += step;
                want -= m_tree[pos];
            }
        }
        return std::min(pos, 255);
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
        for (int i = s + 1; i <= 256; i += i & -i)
            ++m_tree[i];
    }

private:
    // Sum of the counts of values 0 to s.
    int32_t Prefix(int s) const
    {
        int32_t sum = 0;
        for (int i = s + 1; i > 0; i -= i & -i)
            sum += m_tree[i];
        return sum;
    }

    void Rebuild()
    {
        m_total = 0;
        for (int i = 1; i <= 256; ++i) {
            m_tree[i] = m_count[i - 1];
            m_total += m_count[i - 1];
        }
        for (int i = 1; i <= 256; ++i) {
            const int parent = i + (i & -i);
            if (parent <= 256)
                m_tree[parent] += m_tree[i];
        }
    }

    int32_t m_count[256];
    int32_t m_tree[257] = {};
    int32_t m_total = 0;
};

class Encoder
{
public:
    explicit Encoder(CodeBuffer& out) : m_out(out) {}

    void Encode(AdaptiveModel& model, int s)
    {
        int32_t lowCount, highCount;
        model.GetInterval(s, lowCount, highCount);
        const int32_t total = model.GetTotal();
        const int32_t range = m_high - m_low + 1;
        m_high = m_low + range * highCount / total - 1;
        m_low = m_low + range * lowCount / total;
        for (;;) {
            if (m_high < ArithmeticCoder::Half) {
                BitPlusFollow(0);
            } else if (m_low >= ArithmeticCoder::Half) {
                BitPlusFollow(1);
                m_low -= ArithmeticCoder::Half;
                m_high -= ArithmeticCoder::Half;
            } else if (m_low >= ArithmeticCoder::FirstQuarter && m_high < ArithmeticCoder::ThirdQuarter) {
                ++m_pending;
                m_low -= ArithmeticCoder::FirstQuarter;
                m_high -= ArithmeticCoder::FirstQuarter;
            } else {
                break;
            }
            m_low = 2 * m_low;
            m_high = 2 * m_high + 1;
        }
        model.Update(s);
    }

    void Finish()
    {
        ++m_pending;
        BitPlusFollow(m_low >= ArithmeticCoder::FirstQuarter ? 1 : 0);
        for (int i = 0; i < 16; ++i)
            OutputBit(0);
        // A byte just completed leaves an empty buffer, so a finished stream always ends with this byte.
        Append(static_cast<uint8_t>(m_bits >> m_freeBits));
    }

    bool Failed() const { return m_failed; }

private:
    void BitPlusFollow(int bit)
    {
        OutputBit(bit);
        for (; m_pending > 0; --m_pending)
            OutputBit(!bit);
    }

    void OutputBit(int bit)
    {
        m_bits = (m_bits >> 1) | (bit ? 0x80u : 0u);
        if (--m_freeBits == 0) {
            Append(static_cast<uint8_t>(m_bits));
            m_freeBits = 8;
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
    uint32_t m_bits = 0;
    int m_freeBits = 8;
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
        for (int i = 0; i < 16; ++i)
            m_value = 2 * m_value + NextBit();
    }

    int Decode(AdaptiveModel& model)
    {
        const int32_t total = model.GetTotal();
        const int32_t range = m_high - m_low + 1;
        const int32_t target = ((m_value - m_low + 1) * total - 1) / range;
        const int s = model.Find(target);
        int32_t lowCount, highCount;
        model.GetInterval(s, lowCount, highCount);
        m_high = m_low + range * highCount / total - 1;
        m_low = m_low + range * lowCount / total;
        for (;;) {
            if (m_high < ArithmeticCoder::Half) {
                // nothing to take off
            } else if (m_low >= ArithmeticCoder::Half) {
                m_value -= ArithmeticCoder::Half;
                m_low -= ArithmeticCoder::Half;
                m_high -= ArithmeticCoder::Half;
            } else if (m_low >= ArithmeticCoder::FirstQuarter && m_high < ArithmeticCoder::ThirdQuarter) {
                m_value -= ArithmeticCoder::FirstQuarter;
                m_low -= ArithmeticCoder::FirstQuarter;
                m_high -= ArithmeticCoder::FirstQuarter;
            } else {
                break;
            }
            m_low = 2 * m_low;
            m_high = 2 * m_high + 1;
            // A valid stream keeps the value between low and high, so within 16 bits; keeping it
            // there for a corrupt one too means its arithmetic cannot overflow.
            m_value = (2 * m_value + NextBit()) & 0xFFFF;
        }
        model.Update(s);
        return s;
    }

private:
    int32_t NextBit()
    {
        if (m_bitsLeft == 0) {
            if (m_position < m_length) {
                m_bits = m_input[m_position++];
            } else if (++m_garbage > ArithmeticCoder::MaxGarbageBytes) {
                throw InputExhausted();
            }
            m_bitsLeft = 8;
        }
        const int32_t bit = m_bits & 1;
        m_bits >>= 1;
        --m_bitsLeft;
        return bit;
    }

    const uint8_t* m_input;
    size_t m_length;
    size_t m_position = 0;
    int32_t m_value = 0;
    int32_t m_low = 0;
    int32_t m_high = ArithmeticCoder::Top;
    uint32_t m_bits = 0;
    int m_bitsLeft = 0;
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
