#include "model/Record.h"

#include "model/RecordOwner.h"

#include <cstring>
#include <limits>
#include <utility>

void CopyRecordText(char* dst, const char* src)
{
    std::size_t out = 0;
    if (src != nullptr) {
        int chars = 0;
        for (std::size_t i = 0; src[i] != '\0';) {
            // Continuation bytes belong to the character before them.
            std::size_t len = 1;
            while (src[i + len] != '\0' && (static_cast<unsigned char>(src[i + len]) & 0xC0) == 0x80 && len < 4)
                ++len;
            if (chars == kRecordTextChars)
                break;
            std::memcpy(dst + out, src + i, len);
            out += len;
            i += len;
            ++chars;
        }
    }
    dst[out] = '\0';
}

void RecordHeader::CopyFrom(const RecordHeader* source)
{
    if (source == nullptr || source == this)
        return;
    type = source->type;
    std::memcpy(description, source->description, sizeof description);
    owner = source->owner;
}

namespace {

std::function<CRecordView*()>& ActiveViewHook()
{
    static std::function<CRecordView*()> hook;
    return hook;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// Reads a run of digits as a 64-bit number, saturating like the C library's conversion does.
int64_t ReadDigitRun(const char*& p)
{
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    int64_t n = 0;
    for (; IsDigit(*p); ++p) {
        const int d = *p - '0';
        n = (n > (kMax - d) / 10) ? kMax : n * 10 + d;
    }
    return n;
}

} // namespace

void SetActiveRecordViewHook(std::function<CRecordView*()> hook) { ActiveViewHook() = std::move(hook); }

CRecordView* GetActiveRecordView()
{
    auto& hook = ActiveViewHook();
    return hook ? hook() : nullptr;
}

void CRecord::Draw(bool flag) { DrawWith(1, flag); }

void CRecord::DrawAlternate(bool flag) { DrawWith(-1, flag); }

void CRecord::DrawWith(int drawFlag, bool flag)
{
    if (!Validate())
        return;
    if (CRecordView* view = GetActiveRecordView())
        view->DrawRecord(*this, drawFlag, flag);
}

void CRecord::SetDescription(const char* text)
{
    CopyRecordText(GetHeader()->description, text);
    MarkModified();
}

void CRecord::SetFlags(uint32_t mask, bool on)
{
    uint32_t& flags = GetHeader()->flags;
    flags = on ? (flags | mask) : (flags & ~mask);
}

bool CRecord::SetOwner(CRecordOwner* owner)
{
    GetHeader()->owner = owner;
    return true;
}

bool CRecord::GetOwner(CRecordOwner*& out) const
{
    out = GetHeader()->owner;
    return out != nullptr;
}

bool CRecord::IsSelected() const
{
    CRecordOwner* owner = GetHeader()->owner;
    if (owner == nullptr)
        return false;
    CRecordSelection* selection = owner->GetSelection();
    return selection != nullptr && selection->IsSelected(this);
}

bool CRecord::MarkModified()
{
    if (CRecordOwner* owner = GetHeader()->owner)
        owner->SetModifiedWithText("", true, false);
    return true;
}

bool IsValidPointName(const char* name)
{
    if (name == nullptr)
        return false;
    std::size_t len = 0;
    bool allZeros = true;
    for (const char* p = name; *p != '\0'; ++p, ++len) {
        const char c = *p;
        const bool ok = IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        if (!ok || len >= std::size_t(kRecordTextChars))
            return false;
        if (c != '0')
            allZeros = false;
    }
    return len >= 1 && !allZeros;
}

int ComparePointNames(const char* a, const char* b)
{
    if (a == nullptr)
        a = "";
    if (b == nullptr)
        b = "";
    while (*a != '\0' && *b != '\0') {
        if (IsDigit(*a) && IsDigit(*b)) {
            const int64_t na = ReadDigitRun(a);
            const int64_t nb = ReadDigitRun(b);
            if (na != nb)
                return na < nb ? -1 : 1;
            continue;
        }
        const int d = int(static_cast<unsigned char>(LowerAscii(*a))) - int(static_cast<unsigned char>(LowerAscii(*b)));
        if (d != 0)
            return d;
        ++a;
        ++b;
    }
    if (*a != '\0')
        return 1;
    if (*b != '\0')
        return -1;
    return 0;
}
