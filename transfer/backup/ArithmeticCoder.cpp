#include "transfer/backup/ArithmeticCoder.h"

#include "core/LittleEndian.h"
#include "core/ProgramHelpers.h"
#include "core/StatusProgress.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

bool CodeBuffer::Allocate(size_t capacity)
{
    Clear();
    m_data.reset(new (std::nothrow) uint8_t[capacity]);
    if (!m_data)
        return false;
    m_capacity = capacity;
    return true;
}

uint8_t* CodeBuffer::Release()
{
    m_length = 0;
    m_capacity = 0;
    return m_data.release();
}

uint8_t* CodeBuffer::Reserve(size_t more)
{
    if (more > SIZE_MAX - m_length)
        return nullptr;
    while (m_capacity - m_length < more) {
        if (!Grow())
            return nullptr;
    }
    return m_data.get() + m_length;
}

namespace {

#if defined(__SSE2__)
// The index of the first of 16 rising values above the limit, given that the last is.
inline uint32_t FirstAbove(__m128i limit, const int16_t* p)
{
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8));
    return static_cast<uint32_t>(
        __builtin_ctz(_mm_movemask_epi8(_mm_packs_epi16(_mm_cmpgt_epi16(a, limit), _mm_cmpgt_epi16(b, limit)))));
}
#endif

// Sixteen 0s then sixteen 1s: the 16 values read from 16 - f on are 1 exactly from index f on,
// so one load gives the step to add, where comparing indexes would take several operations.
alignas(64) constexpr int16_t g_onesFrom[32] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

// A row of 16 values of 16 bits (a compiler vector type, so it builds for any target): one
// operation where the processor has 32-byte vectors, two where not. Every count and running sum
// of the model stays below 2^14.
typedef int16_t Row __attribute__((vector_size(32)));

// Adds 1 to the 16 values from index `from` (0 to 16) on.
inline void AddOneFrom(int16_t* p, int from)
{
    Row row, step;
    std::memcpy(&row, p, sizeof row);
    std::memcpy(&step, g_onesFrom + 16 - from, sizeof step);
    row += step;
    std::memcpy(p, &row, sizeof row);
}

// Division by the model's total through a multiplication: with m = ceil(2^44 / t) and t below
// 2^14, floor(a * m / 2^44) equals floor(a / t) for every a below 2^30 (Granlund and Montgomery,
// "Division by invariant integers using multiplication", 1994, theorem 4.2). The coder's
// dividends are range * count with count <= t, so a * m stays below 2^61 and fits 64 bits, and
// range * m can be formed once a byte, off the chain of dependent steps.
class TotalDivider
{
public:
    static constexpr int Shift = 44;
    constexpr TotalDivider()
    {
        for (uint64_t t = 1; t <= uint64_t(ArithmeticCoder::MaxTotal); ++t)
            m_reciprocal[t] = ((uint64_t(1) << Shift) + t - 1) / t;
    }
    uint64_t Reciprocal(int32_t total) const { return m_reciprocal[total]; }

private:
    uint64_t m_reciprocal[ArithmeticCoder::MaxTotal + 1] = {};
};

// Made by the compiler, at a fixed address: the loops reach it without a register of their own.
constexpr TotalDivider g_divider;

// range * count / total rounded down, given scale = range * Reciprocal(total).
inline int32_t ScaleCount(int32_t count, uint64_t scale)
{
    return static_cast<int32_t>((uint64_t(uint32_t(count)) * scale) >> TotalDivider::Shift);
}

// The adaptive frequency model. The stream format defines it as a flat table of counts with a
// cumulative table updated in full after every byte (up to 256 additions). Here the same counts
// are kept as running sums in 16 groups of 16 values: a group's offset plus the running sum
// inside the group gives any cumulative count in two reads, and an update touches two fixed rows
// of 16 that the compiler turns into a few vector additions. The intervals, and so the bytes
// out, are the same. The total is kept by the coding loops, in a register: the model's own
// copy would go through memory on the chain of dependent steps. Only the decoder searches, so
// only it keeps the group ends.
template <bool Searched>
class AdaptiveModel
{
public:
    AdaptiveModel()
    {
        std::fill(std::begin(m_count), std::end(m_count), 1);
        Rebuild();
    }

    static constexpr int32_t FirstTotal = 256;
    // Sum of the counts of values 0 to s.
    int32_t Prefix(int s) const { return m_groupBefore[s >> 4] + m_inGroup[s]; }
    int32_t Count(int s) const { return m_count[s]; }

    struct Found
    {
        int value;
        int32_t prefix; // Prefix(value)
    };

    // The number of values whose running sum (prefix) lies below want, for want from 0 to the
    // total: the first byte value, counting up from 0, with cumulative[s + 1] <= total - want.
    Found Find(int32_t want) const
    {
#if defined(__SSE2__)
        // Compared with want - 1, which saves a negation on the way to each index.
        const __m128i limit = _mm_set1_epi16(static_cast<int16_t>(want - 1));
        // The group is the first whose end reaches want; the last end is a marker above any want.
        // The ends have a row of their own, loaded whole where it was stored whole: a load
        // straddling two stores waits for both to reach the cache.
        const __m128i end0 = _mm_load_si128(reinterpret_cast<const __m128i*>(m_groupEnd));
        const __m128i end1 = _mm_load_si128(reinterpret_cast<const __m128i*>(m_groupEnd + 8));
        const __m128i reach0 = _mm_cmpgt_epi16(end0, limit);
        const __m128i reach1 = _mm_cmpgt_epi16(end1, limit);
        const uint32_t group =
            static_cast<uint32_t>(__builtin_ctz(_mm_movemask_epi8(_mm_packs_epi16(reach0, reach1))));
        // The group's offset is the largest end below want (0 for the first group). Taken from the
        // comparison in every lane at once, it is ready before the group's row is loaded, where a
        // read by the group's number would come after it.
        __m128i offset = _mm_max_epi16(_mm_andnot_si128(reach0, end0), _mm_andnot_si128(reach1, end1));
        offset = _mm_max_epi16(offset, _mm_shuffle_epi32(offset, 0x4E));
        offset = _mm_max_epi16(offset, _mm_shuffle_epi32(offset, 0xB1));
        offset = _mm_max_epi16(offset, _mm_shufflelo_epi16(_mm_shufflehi_epi16(offset, 0xB1), 0xB1));
        // Want is at most the total, so the group's last value reaches it.
        const uint32_t s = 16 * group + FirstAbove(_mm_sub_epi16(limit, offset), m_inGroup + 16 * group);
        return {int(s), m_groupBefore[group] + m_inGroup[s]};
#else
        int s = 0;
        while (s < 255 && Prefix(s) < want)
            ++s;
        return {s, Prefix(s)};
#endif
    }

    // The same by halving steps that branch. The processor follows its guesses of the branches
    // without waiting for want, so on bytes that follow patterns (text, job files) the search
    // leaves the chain of dependent steps; on bytes without any, each wrong guess costs a restart.
    // The indexes stay within the tables whatever want is. With ZerosFirst it asks first whether
    // the byte is a 0: one step where the tree takes eight.
    template <bool ZerosFirst>
    Found FindByBranches(int32_t want) const
    {
        if (ZerosFirst && want <= m_inGroup[0]) {
            BranchHere();
            return {0, m_inGroup[0]};
        }
        const uint32_t group = LastGroupBelow<0, 16>(want);
        const int32_t inGroup = want - m_groupBefore[group];
        const int16_t* row = m_inGroup + 16 * group;
        uint32_t j = 0;
#if defined(__SSE2__)
        if (m_spread[group]) {
            // A group whose bytes are spread over many values would have most of these guesses
            // wrong: it is searched by the vector comparison, without guesses.
            BranchHere();
            j = FirstAbove(_mm_set1_epi16(static_cast<int16_t>(inGroup - 1)), row);
        } else
#endif
        {
            for (uint32_t step = 8; step; step >>= 1) {
                if (row[j + step - 1] < inGroup) {
                    j += step;
                    BranchHere();
                }
            }
        }
        const uint32_t s = 16 * group + j;
        return {int(s), m_groupBefore[group] + m_inGroup[s]};
    }

    // Marks for the branching search the groups in which no value has a quarter of the counts
    // (none when `on` is false). The bytes out do not depend on the marks.
    void MarkSpread(bool on)
    {
        for (int g = 0; g < 16; ++g) {
            const int32_t* count = m_count + 16 * g;
            m_spread[g] = on && 4 * *std::max_element(count, count + 16) < m_inGroup[16 * g + 15];
        }
    }

    // Whether zeros hold more than a third of the counts, as in job files, whose records are
    // padded with them.
    bool ZerosFirst() const { return 3 * m_count[0] > m_groupBefore[15] + m_inGroup[255]; }

    // The last group from Lo to Hi - 1 whose offset lies below want, given that Lo's does, by a
    // tree of branches written out: each step compares with a fixed entry, and each has a branch
    // of its own for the processor to learn.
    template <uint32_t Lo, uint32_t Hi>
    uint32_t LastGroupBelow(int32_t want) const
    {
        if constexpr (Hi - Lo == 1) {
            return Lo;
        } else {
            constexpr uint32_t Mid = (Lo + Hi) / 2;
            if (m_groupBefore[Mid] < want) {
                BranchHere();
                return LastGroupBelow<Mid, Hi>(want);
            }
            return LastGroupBelow<Lo, Mid>(want);
        }
    }

    // Counts s once more and gives the new total, from the total before. The branching search
    // does without the group ends: left out, they are made again by RestoreEnds.
    template <bool KeepEnds = Searched>
    int32_t Update(int s, int32_t total)
    {
        if (total == ArithmeticCoder::MaxTotal) {
            // Halving rounds up, so no count drops to 0.
            for (int32_t& c : m_count)
                c = (c + 1) / 2;
            total = Rebuild();
        }
        ++m_count[s];
        AddOneFrom(m_inGroup + (s & ~15), s & 15);
        AddOneFrom(m_groupBefore, (s >> 4) + 1);
        if constexpr (KeepEnds)
            AddOneFrom(m_groupEnd, s >> 4);
        return total + 1;
    }

    void RestoreEnds()
    {
        std::copy_n(m_groupBefore + 1, 15, m_groupEnd);
        m_groupEnd[15] = EndMarker;
    }

private:
    // Keeps the compiler from turning a step into a conditional move, which would wait for want.
    static void BranchHere() { asm volatile(""); }

    int32_t Rebuild()
    {
        int32_t total = 0;
        for (int g = 0; g < 16; ++g) {
            m_groupBefore[g] = static_cast<int16_t>(total);
            int32_t sum = 0;
            for (int j = 0; j < 16; ++j) {
                sum += m_count[16 * g + j];
                m_inGroup[16 * g + j] = static_cast<int16_t>(sum);
            }
            total += sum;
            m_groupEnd[g] = static_cast<int16_t>(g == 15 ? EndMarker : total);
        }
        return total;
    }

    int32_t m_count[256];
    bool m_spread[16] = {}; // the groups that the branching search compares as vectors
    alignas(16) int16_t m_inGroup[256] = {};    // counts from the start of the value's group to the value itself
    alignas(16) int16_t m_groupBefore[16] = {}; // counts of all earlier groups
    alignas(16) int16_t m_groupEnd[16] = {};    // counts up to the group's end; the last is a marker
    // Above any want; it rises with the updates like the others, at most 2^14 times before the
    // next halving rebuilds it, and so stays within 16 bits.
    static constexpr int16_t EndMarker = 0x4001;
};
using EncoderModel = AdaptiveModel<false>;
using DecoderModel = AdaptiveModel<true>;

// Bits of a byte in reverse order: code values are worked MSB first, the stream packs bits LSB
// first. The coder reads and writes MSB first and turns the bytes around in one separate pass.
// This turns each of 8 bytes around: halves, then pairs, then single bits swapped.
inline uint64_t ReverseEachByte(uint64_t x)
{
    x = ((x >> 4) & 0x0F0F0F0F0F0F0F0Full) | ((x & 0x0F0F0F0F0F0F0F0Full) << 4);
    x = ((x >> 2) & 0x3333333333333333ull) | ((x & 0x3333333333333333ull) << 2);
    return ((x >> 1) & 0x5555555555555555ull) | ((x & 0x5555555555555555ull) << 1);
}

// Copies n bytes with the bits of each turned around (in and out may be the same), eight at a
// time: a loop of shifts and masks that the compiler widens further, where a table takes a
// load a byte.
inline void ReverseBytes(const uint8_t* in, uint8_t* out, size_t n)
{
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, in + i, 8);
        word = ReverseEachByte(word);
        std::memcpy(out + i, &word, 8);
    }
    for (; i < n; ++i)
        out[i] = static_cast<uint8_t>(ReverseEachByte(in[i]));
}

inline uint64_t LoadU64BE(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::little)
        v = __builtin_bswap64(v);
    return v;
}

inline void StoreU64BE(uint8_t* p, uint64_t v)
{
    if constexpr (std::endian::native == std::endian::little)
        v = __builtin_bswap64(v);
    std::memcpy(p, &v, sizeof v);
}

// Leading bits low and high share: they are settled and can be shifted out together, which is
// what the one-bit-at-a-time loop of the classic coder does for them. 16 when all are shared
// (the marker bit under the 16 keeps the count's argument non-zero).
inline int SettledBits(int32_t low, int32_t high)
{
    const uint32_t differ = static_cast<uint32_t>(low ^ high) & 0xFFFF;
    return __builtin_clz((differ << 16) | 0x8000);
}

// Underflow steps (low in the second quarter, high in the third) that follow: one per leading
// position, from bit 14 down, where low has a 1 and high a 0. Only called once low and high
// differ in bit 15. Each step doubles both around the middle, so m steps together keep the
// low bits of each shifted by m with bit 15 cleared in low and set in high.
inline int UnderflowSteps(uint32_t low, uint32_t high)
{
    const uint32_t run = (low & ~high & 0x7FFF) << 17;
    return __builtin_clz(~run); // the low 17 bits of ~run are ones
}

// Bits that leave on renormalising low to high = low + width - 1: the settled ones and the
// underflow steps after them, from the width instead of two bit counts in a row. Renormalising
// leaves the range above a quarter and within 2^16, so with b the width's bit length the count
// is 15 - b, 16 - b or 17 - b: the largest j for which low and high fall in one window of
// 2^(16 - j) aligned to half its size (a settled step takes an aligned window, an underflow step
// one around the middle). Doubling both and setting high's new last bit makes j = 16 a shift by
// 0. Equal to the bit-by-bit loop for every low and width.
inline int RenormBits(int32_t low, int32_t width)
{
    // One shift by b - 1 serves both windows that remain in doubt.
    const int b1 = 31 - __builtin_clz(static_cast<uint32_t>(width));
    const uint32_t lowPart = (uint32_t(low) * 2) >> b1, highPart = (uint32_t(low + width) * 2 - 1) >> b1;
    return 14 - b1 + int((highPart >> 1) - (lowPart >> 1) <= 1) + int(highPart - lowPart <= 1);
}

// The coding loops are built twice, for the processor's newer instructions (three-operand shifts,
// bit counts, wider vectors) and for any x86-64, and the loader picks one: the loops are short
// chains of these steps run once a byte, and the bytes out are the same either way.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 11
#define CODING_LOOP [[gnu::target_clones("arch=x86-64-v3", "default")]]
#else
#define CODING_LOOP
#endif
// Inlined into the caller, and so built for the caller's instructions.
#define CODING_STEP [[gnu::always_inline]] inline

// Bytes coded between checks of the output room and of the progress bar.
constexpr size_t Stretch = 4096;

// Output bytes a decoder expects at most per input byte before it lets the output grow as it is
// decoded: files of one repeated byte pack tighter, real files far less.
constexpr uint64_t MostPacked = 64;

// Appends n (0 to 32) bits, the first most significant, to a 64-bit window holding `used`
// (below 8) bits from its top, and writes out the whole bytes: one 8-byte store, no test per bit.
inline void PutBits(uint8_t*& out, uint64_t& window, int& used, uint64_t bits, int n)
{
    window |= (bits << (63 - used - n)) << 1;
    used += n;
    StoreU64BE(out, window);
    out += used >> 3;
    window <<= used & ~7;
    used &= 7;
}

// The encoder writes the code bits MSB first into its buffer; Finish turns each byte around
// into the stream's order.
class Encoder
{
public:
    explicit Encoder(CodeBuffer& out) : m_out(out), m_start(out.GetLength()) {}

    // False when memory ran out.
    CODING_STEP bool EncodeStretch(EncoderModel& model, const uint8_t* input, size_t length)
    {
        // A byte writes at most 16 settled bits plus the pending ones, which grow by at most 14
        // a byte; 8 bytes of slack for the window's store.
        const size_t room = 2 * length + (size_t(m_pending) + 14 * length) / 8 + 16;
        uint8_t* const base = m_out.Reserve(room);
        if (!base)
            return false;
        uint8_t* out = base;
        // The range is kept rather than high: after renormalising it is the width times 2^k.
        int32_t low = m_low, range = m_range, pending = m_pending, total = m_total;
        uint64_t window = m_window;
        int used = m_used;
        for (const uint8_t* const end = input + length; input != end; ++input) {
            const int s = *input;
            const uint64_t scale = uint64_t(range) * g_divider.Reciprocal(total);
            const int32_t lowCount = total - model.Prefix(s);
            const int32_t highCount = lowCount + model.Count(s);
            const int32_t lowScaled = ScaleCount(lowCount, scale);
            const int32_t width = ScaleCount(highCount, scale) - lowScaled;
            low = low + lowScaled;
            const int32_t high = low + width - 1;
            const int n = SettledBits(low, high);
            const uint32_t settled = static_cast<uint32_t>(low) >> (16 - n);
            if (pending <= 40) {
                // The first settled bit, the pending bits (its opposite), then the other settled
                // bits; nothing while no bit is settled. Adding `pending` ones above the other
                // settled bits gives exactly that run: a first 1 carries into 1 followed by zeros.
                // Masks rather than branches: whether a bit settles is as good as random, and a
                // compiler turns a conditional choice into a jump it mispredicts.
                const int rest = n - (n != 0);
                const uint64_t some = -uint64_t(n != 0);
                const uint64_t run = (((uint64_t(1) << pending) - 1) << rest) + settled;
                PutBits(out, window, used, run & some, (pending + n) & int(some));
                pending &= ~int(some);
            } else if (n) {
                PutLongRun(out, window, used, settled, n, pending);
                pending = 0;
            }
            // The underflow steps that follow the settled bits, then both shifts in one.
            const int m = UnderflowSteps(uint32_t(low) << n, uint32_t(high) << n);
            pending += m;
            const int k = n + m;
            low = (low << k) & 0x7FFF;
            range = width << k;
            total = model.Update(s, total);
        }
        m_low = low;
        m_range = range;
        m_pending = pending;
        m_total = total;
        m_window = window;
        m_used = used;
        m_out.SetLength(m_out.GetLength() + size_t(out - base));
        return true;
    }

    // False when memory ran out.
    bool Finish()
    {
        uint8_t* const base = m_out.Reserve(size_t(m_pending) / 8 + 32);
        if (!base)
            return false;
        uint8_t* out = base;
        ++m_pending;
        const uint32_t bit = m_low >= ArithmeticCoder::FirstQuarter ? 1 : 0;
        PutBits(out, m_window, m_used, bit, 1);
        PutRepeated(out, m_window, m_used, bit ^ 1, m_pending);
        m_pending = 0;
        PutBits(out, m_window, m_used, 0, 16);
        // The last byte holds the bits left over; when none are, it is a 0 byte, so a finished
        // stream always ends with this byte.
        StoreU64BE(out, m_window);
        ++out;
        m_out.SetLength(m_out.GetLength() + size_t(out - base));
        uint8_t* p = m_out.GetData();
        ReverseBytes(p + m_start, p + m_start, m_out.GetLength() - m_start);
        return true;
    }

private:
    // A run too long for the window, written apart from the loop so that its state does not
    // crowd the loop's registers; runs this long are rare.
    [[gnu::noinline]] static void PutLongRun(uint8_t*& out, uint64_t& window, int& used, uint32_t settled, int n,
                                             int32_t pending)
    {
        const uint32_t first = settled >> (n - 1);
        PutBits(out, window, used, first, 1);
        PutRepeated(out, window, used, first ^ 1, pending);
        PutBits(out, window, used, settled & ((1u << (n - 1)) - 1), n - 1);
    }

    static void PutRepeated(uint8_t*& out, uint64_t& window, int& used, uint32_t bit, int32_t count)
    {
        for (; count > 0; count -= 32) {
            const int n = count < 32 ? count : 32;
            PutBits(out, window, used, bit ? (uint64_t(1) << n) - 1 : 0, n);
        }
    }

    CodeBuffer& m_out;
    const size_t m_start;
    int32_t m_low = 0;
    int32_t m_range = ArithmeticCoder::Top + 1;
    int32_t m_pending = 0;
    int32_t m_total = EncoderModel::FirstTotal;
    uint64_t m_window = 0;
    int m_used = 0;
};

// The decoder's searches: the vector comparison, the branching one, and the branching one with
// the groups whose bytes are spread compared as vectors.
enum class Search : unsigned
{
    Vector,
    Branching,
    BranchingSpread
};
constexpr unsigned SearchCount = 3;

// The decoder reads a copy of the code bytes turned around into MSB-first order and followed
// by zeros: missing input reads as zero bits, for at most MaxGarbageBytes bytes.
class Decoder
{
public:
    // False when memory ran out.
    bool Start(const uint8_t* input, size_t length)
    {
        constexpr size_t Slack = ArithmeticCoder::MaxGarbageBytes + 16;
        m_bytes.reset(new (std::nothrow) uint8_t[length + Slack]);
        if (!m_bytes)
            return false;
        ReverseBytes(input, m_bytes.get(), length);
        std::fill_n(m_bytes.get() + length, Slack, 0);
        m_limit = (uint64_t(length) + ArithmeticCoder::MaxGarbageBytes) * 8;
        m_above = static_cast<int32_t>(LoadU64BE(m_bytes.get()) >> 48); // low is 0
        m_position = 16;
        return true;
    }

    // False when the input has run out by more than the format allows.
    CODING_STEP bool DecodeStretch(DecoderModel& model, uint8_t* out, size_t length, Search search)
    {
        const bool branching = search != Search::Vector;
        if (branching)
            model.MarkSpread(search == Search::BranchingSpread);
        if (m_endsLeft && !branching)
            model.RestoreEnds();
        m_endsLeft = branching;
        const bool zerosFirst = branching && model.ZerosFirst();
        // A byte consumes at most 16 code bits: a stretch that cannot reach the limit skips the
        // test per byte.
        if (m_position + 16 * uint64_t(length) <= m_limit)
            return DecodeWith<false>(model, out, length, branching, zerosFirst);
        return DecodeWith<true>(model, out, length, branching, zerosFirst);
    }

private:
    template <bool CheckLimit>
    CODING_STEP bool DecodeWith(DecoderModel& model, uint8_t* out, size_t length, bool branching, bool zerosFirst)
    {
        if (!branching)
            return DecodeBytes<CheckLimit, false, false>(model, out, length);
        return zerosFirst ? DecodeBytes<CheckLimit, true, true>(model, out, length)
                          : DecodeBytes<CheckLimit, true, false>(model, out, length);
    }

    template <bool CheckLimit, bool Branching, bool ZerosFirst>
    CODING_STEP bool DecodeBytes(DecoderModel& model, uint8_t* out, size_t length)
    {
        // The next code bit's address in bits: the byte's address times 8 plus the bit, one
        // register where the byte array and a bit count would take two.
        const uint64_t start = uint64_t(reinterpret_cast<uintptr_t>(m_bytes.get())) * 8;
        const uint64_t limit = start + m_limit;
        uint64_t position = start + m_position;
        // The range is kept rather than high: after renormalising it is the width times 2^k.
        int32_t low = m_low, range = m_range, above = m_above;
        int64_t ratio = m_ratio;
        int32_t total = m_total;
        for (uint8_t* const end = out + length; out != end; ++out) {
            const uint64_t scale = uint64_t(range) * g_divider.Reciprocal(total);
            // The target is ((above + 1) * total - 1) / range rounded down, and the search looks
            // for the values whose running sum lies below total - target. Through the ratio, that
            // difference is ((total + 1) * 2^RatioShift - (above + 1) * ratio) / 2^RatioShift
            // rounded down. With the code value inside the range it lies in 1 to total; the bound
            // keeps the search inside its tables whatever happens, in one comparison (a negative
            // value turns huge and so becomes the total).
            const int64_t want = ((int64_t(total) + 1) << RatioShift) - int64_t(above + 1) * ratio;
            const int32_t bounded = static_cast<int32_t>(std::min(uint64_t(want >> RatioShift), uint64_t(total)));
            const auto [s, prefix] = Branching ? model.template FindByBranches<ZerosFirst>(bounded) : model.Find(bounded);
            const int32_t lowCount = total - prefix;
            const int32_t highCount = lowCount + model.Count(s);
            const int32_t highScaled = ScaleCount(highCount, scale);
            const int32_t lowScaled = ScaleCount(lowCount, scale);
            const int32_t width = highScaled - lowScaled;
            low = low + lowScaled;
            above -= lowScaled;
            // k bits leave: the settled ones, then the underflow steps that follow them.
            const int k = RenormBits(low, width); // the range grows by 2^k and stays within 2^16
            // Each underflow step takes a quarter off and doubles; modulo 2^16 that clears bit 15 of
            // low.
            low = (low << k) & 0x7FFF;
            range = width << k;
            // The next 16 code bits. Their address is known early, so the processor loads them
            // ahead whatever the order here; written late, they hold no register meanwhile.
            const uint32_t next = static_cast<uint32_t>(
                (LoadU64BE(reinterpret_cast<const uint8_t*>(uintptr_t(position >> 3))) << (position & 7)) >> 48);
            above = (above << k) | static_cast<int32_t>(next >> (16 - k));
            position += uint64_t(k);
            if (CheckLimit && position > limit)
                return false;
            total = model.template Update<!Branching>(s, total);
            // The next byte's ratio over the range after renormalising, width * 2^k: the division
            // by the width starts as soon as the width is known, beside the steps that find k.
            ratio = int64_t(((uint64_t(total) << RatioShift) / uint64_t(width)) >> k);
            *out = static_cast<uint8_t>(s);
        }
        m_low = low;
        m_range = range;
        m_above = above;
        m_position = position - start;
        m_ratio = ratio;
        m_total = total;
        return true;
    }

    std::unique_ptr<uint8_t[]> m_bytes;
    bool m_endsLeft = false; // the model's group ends were left out by the branching search
    uint64_t m_limit = 0;
    uint64_t m_position = 0;
    // The code value less low. The code value never leaves [low, high], whatever the input: the
    // search picks the interval that holds it, and renormalising moves all three alike. So the
    // difference is kept instead, and renormalises as a plain shift that takes in the new bits.
    int32_t m_above = 0;
    int32_t m_low = 0;
    int32_t m_range = ArithmeticCoder::Top + 1;
    // floor(total * 2^RatioShift / range), for the next byte's total and range. With x = above
    // + 1, from 1 to 2^16, (x * ratio - 1) / 2^RatioShift rounded down is ceil(x * total / range)
    // - 1, which is the target (x * total - 1) / range rounded down: the ratio falls short of
    // total / range by less than 2^-40, so x times it falls short by less than 2^-24, below the
    // least distance 1 / range (above 2^-16) between x * total / range and an integer other than
    // itself. The product stays within 2^56. The first range is 2^16 and the first total 256.
    static constexpr int RatioShift = 40;
    int64_t m_ratio = int64_t(DecoderModel::FirstTotal) << (RatioShift - 16);
    int32_t m_total = DecoderModel::FirstTotal;
};

// Picks the decoder's search for each stretch. Which is faster depends on how well the processor
// guesses the bytes, which only running tells: the first three stretches time one search each,
// then the fastest per byte serves, and every so often a stretch times another again, so a file
// whose bytes change character is followed. The bytes out do not depend on the choice.
class SearchChooser
{
public:
    Search Next() const
    {
        if (m_stretches < SearchCount)
            return Search(m_stretches);
        unsigned fastest = 0;
        for (unsigned i = 1; i < SearchCount; ++i)
            if (m_cost[i] < m_cost[fastest])
                fastest = i;
        if (m_stretches % RetryEvery != 0)
            return Search(fastest);
        return Search((fastest + 1 + (m_stretches / RetryEvery) % (SearchCount - 1)) % SearchCount);
    }

    void Start() { m_start = std::chrono::steady_clock::now(); }

    void Done(Search search, size_t length)
    {
        // The short stretches that the progress bar asks for say little: the first byte alone
        // would time the caches filling.
        if (length < ShortestTimed)
            return;
        const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - m_start;
        // Averaged over several stretches, and a stretch counts for at most half as much again as
        // the average: one stretch that waited for something else running would otherwise keep
        // the faster search out for hundreds of stretches.
        const double cost = spent.count() / double(length);
        double& average = m_cost[unsigned(search)];
        average = m_stretches < SearchCount ? cost : (3 * average + std::min(cost, 1.5 * average)) / 4;
        ++m_stretches;
    }

private:
    static constexpr unsigned RetryEvery = 32;
    static constexpr size_t ShortestTimed = 1024;
    std::chrono::steady_clock::time_point m_start;
    double m_cost[SearchCount] = {};
    unsigned m_stretches = 0;
};

} // namespace

// Steps the caller's counter over stretches of bytes and shows the bar's new value. The value
// shown is counter * 100 / total, which changes only at some counts: a stretch ends at the next
// such count, so the bar takes the same values as it would byte by byte.
struct ArithmeticCoder::Progress
{
    CStatusProgress& bar;
    uint64_t total;
    uint64_t& counter;

    int32_t Percent(uint64_t c) const { return MulDiv(static_cast<int64_t>(c), 100, static_cast<int64_t>(total)); }

    // The call has just shown 0, so its first byte shows its value even when the count before
    // it showed the same.
    bool first = true;

    // How many of the `left` bytes (at least 1) may be coded before the value shown changes.
    size_t StretchFor(size_t left) const
    {
        if (!total)
            return left;
        if (first)
            return 1;
        const int32_t now = Percent(counter);
        // An estimate of the first count showing more, settled on the function itself.
        const uint64_t scaled = (uint64_t(now) + 1) * total;
        uint64_t next = scaled > total / 2 ? (scaled - total / 2 + 99) / 100 : counter + 1;
        next = std::max(next, counter + 1);
        while (next > counter + 1 && Percent(next - 1) != now)
            --next;
        while (next - counter < left && Percent(next) == now)
            ++next;
        return static_cast<size_t>(std::min<uint64_t>(next - counter, left));
    }

    void Advance(size_t n)
    {
        first = false;
        counter += n;
        if (total)
            bar.SetPercent(Percent(counter));
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
    // A buffer at most twice the bytes it holds goes out as it is: a copy would claim room for
    // the bytes once more and touch every page again, while the room left over was held anyway.
    if (m_buffer.GetCapacity() / 2 <= m_buffer.GetLength()) {
        *outputLength = m_buffer.GetLength();
        *output = m_buffer.Release();
        return true;
    }
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

CODING_LOOP bool ArithmeticCoder::DoCompress(const uint8_t* input, size_t length, uint8_t** output,
                                             size_t* outputLength, Progress* progress)
{
    if (!input || length == 0 || !output || *output || !outputLength)
        return false;
    *outputLength = 0;
    // The length field holds 32 bits.
    if (length > UINT32_MAX)
        return false;
    m_buffer.Clear();
    // Room for what text and job files pack to, so that the buffer seldom grows (each step
    // copies and touches fresh pages); without it, it grows from its first step.
    m_buffer.Allocate(LengthFieldSize + length / 2 + length / 8 + CodeBuffer::FirstStep);
    if (progress)
        progress->bar.SetPercent(0);
    EncoderModel model;
    uint8_t field[LengthFieldSize];
    PutU32LE(field, static_cast<uint32_t>(length));
    bool ok = true;
    for (uint8_t b : field)
        ok = ok && m_buffer.Append(b);
    Encoder encoder(m_buffer);
    for (size_t done = 0; ok && done < length;) {
        size_t n = std::min(length - done, Stretch);
        if (progress)
            n = progress->StretchFor(n);
        ok = encoder.EncodeStretch(model, input + done, n);
        done += n;
        if (ok && progress)
            progress->Advance(n);
    }
    if (!ok || !encoder.Finish()) {
        m_buffer.Clear();
        return false;
    }
    return HandOut(output, outputLength);
}

CODING_LOOP bool ArithmeticCoder::DoDecompress(const uint8_t* input, size_t length, uint8_t** output,
                                               size_t* outputLength, Progress* progress)
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
    // The output's own size at once where the code bits could plausibly fill it, so that it is
    // handed out without a copy; a damaged length field claims no more than that, and a longer
    // output grows with the bytes decoded.
    const size_t plausible = std::min<uint64_t>(uint64_t(length) * MostPacked + CodeBuffer::FirstStep, expected);
    m_buffer.Allocate(plausible);
    if (progress)
        progress->bar.SetPercent(0);
    DecoderModel model;
    Decoder decoder;
    SearchChooser chooser;
    bool ok = decoder.Start(input + LengthFieldSize, length - LengthFieldSize);
    while (ok && m_buffer.GetLength() < expected) {
        if (m_buffer.GetLength() == m_buffer.GetCapacity() && !m_buffer.Reserve(1)) {
            ok = false;
            break;
        }
        size_t n = std::min({size_t(expected) - m_buffer.GetLength(), m_buffer.GetCapacity() - m_buffer.GetLength(),
                             Stretch});
        if (progress)
            n = progress->StretchFor(n);
        const Search search = chooser.Next();
        chooser.Start();
        ok = decoder.DecodeStretch(model, m_buffer.GetData() + m_buffer.GetLength(), n, search);
        chooser.Done(search, n);
        if (ok) {
            m_buffer.SetLength(m_buffer.GetLength() + n);
            if (progress)
                progress->Advance(n);
        }
    }
    if (!ok) {
        m_buffer.Clear();
        return false;
    }
    return HandOut(output, outputLength);
}
