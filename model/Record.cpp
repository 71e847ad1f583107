#include "model/Record.h"

#include "core/Utf8.h"
#include "model/RecordOwner.h"

#include <cstring>
#include <utility>

void CopyRecordText(char* dst, const char* src)
{
    std::size_t out = 0;
    if (src != nullptr) {
        int chars = 0;
        for (std::size_t i = 0; src[i] != '\0';) {
            // Continuation bytes belong to the character before them.
            std::size_t len = 1;
            while (src[i + len] != '\0' && IsUtf8Continuation(src[i + len]) && len < 4)
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

void CRecordText::Assign(const char* text)
{
    // Cut first: the source may be this text's own bytes.
    char cut[kRecordTextBytes];
    CopyRecordText(cut, text);
    const std::size_t size = std::strlen(cut) + 1;
    char* held = nullptr;
    if (size > kInside) {
        held = new char[size];
        std::memcpy(held, cut, size);
    }
    Release();
    if (held == nullptr) {
        std::memcpy(m_bytes, cut, size);
        m_bytes[kInside - 1] = 0;
        return;
    }
    std::memcpy(m_bytes, &held, sizeof held);
    m_bytes[kInside - 1] = 1;
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

const char* CRecord::GetDescription() const
{
    return static_cast<const RecordHeader*>(GetHeader())->description;
}

void CRecord::StoreDescription(const char* text)
{
    CopyRecordText(static_cast<RecordHeader*>(GetHeader())->description, text);
}

void CRecord::SetDescription(const char* text)
{
    StoreDescription(text);
    MarkModified();
}

namespace {
uint64_t g_recordFlagsGeneration = 0;
}

void CRecord::SetFlags(uint32_t mask, bool on)
{
    uint32_t& flags = GetHeader()->flags;
    flags = on ? (flags | mask) : (flags & ~mask);
    ++g_recordFlagsGeneration;
}

uint64_t CRecord::GetFlagsGeneration() { return g_recordFlagsGeneration; }

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
