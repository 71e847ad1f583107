#include "model/Record.h"

#include "core/TextUtil.h"
#include "core/Utf8.h"
#include "model/RecordOwner.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

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

namespace {

// The length of a text no longer in bytes than the cut keeps in characters, which the cut leaves
// as it is; -1 for a longer text (or null), which must go through the cut.
std::ptrdiff_t UncutLength(const char* text)
{
    if (text == nullptr)
        return -1;
    const std::size_t length = strnlen(text, kRecordTextChars + 1);
    return length <= std::size_t(kRecordTextChars) ? std::ptrdiff_t(length) : -1;
}

} // namespace

void CRecordText::Assign(const char* text)
{
    // Cut first: the source may be this text's own bytes.
    char cut[kRecordTextBytes];
    const std::ptrdiff_t uncut = UncutLength(text);
    if (uncut >= 0)
        std::memcpy(cut, text, std::size_t(uncut) + 1);
    else
        CopyRecordText(cut, text);
    const std::size_t size = uncut >= 0 ? std::size_t(uncut) + 1 : std::strlen(cut) + 1;
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

class CSharedTextList
{
public:
    static CSharedTextList& Get()
    {
        // Never destroyed: records still alive while statics go may let go of their texts.
        static CSharedTextList* list = new CSharedTextList;
        return *list;
    }

    uint32_t Hold(std::string_view text)
    {
        // Points filed one after another mostly carry the text the one before did.
        if (m_holders[m_last] != 0 && IsText(m_texts[m_last], text)) {
            ++m_holders[m_last];
            return m_last;
        }
        // A job's descriptions come from a short list: where this text was last met is tried
        // before the index, which hashes it in full.
        uint32_t& recent = m_recent[textutil::RecentTextSlot<kRecentBits>(text)];
        if (m_holders[recent] != 0 && IsText(m_texts[recent], text)) {
            ++m_holders[recent];
            m_last = recent;
            return recent;
        }
        if (auto found = m_index.find(text); found != m_index.end()) {
            ++m_holders[found->second];
            m_last = found->second;
            recent = found->second;
            return found->second;
        }
        auto kept = std::make_unique<char[]>(text.size() + 1);
        std::memcpy(kept.get(), text.data(), text.size());
        uint32_t place;
        if (!m_free.empty()) {
            place = m_free.back();
            m_free.pop_back();
        } else {
            place = uint32_t(m_texts.size());
            m_texts.push_back("");
            m_holders.push_back(0);
            m_kept.emplace_back();
        }
        m_texts[place] = kept.get();
        m_holders[place] = 1;
        m_kept[place] = std::move(kept);
        m_index.emplace(std::string_view(m_texts[place], text.size()), place);
        CSharedTexts::s_texts = m_texts.data();
        m_last = place;
        recent = place;
        return place;
    }
    void Hold(uint32_t place) { ++m_holders[place]; }
    void Release(uint32_t place)
    {
        if (--m_holders[place] != 0)
            return;
        m_index.erase(std::string_view(m_texts[place]));
        m_texts[place] = "";
        m_kept[place].reset();
        m_free.push_back(place);
    }

private:
    CSharedTextList() : m_texts{""}, m_holders{0}, m_kept(1) {}

    std::vector<const char*> m_texts;
    std::vector<uint32_t> m_holders;
    std::vector<std::unique_ptr<char[]>> m_kept;
    std::unordered_map<std::string_view, uint32_t> m_index;
    std::vector<uint32_t> m_free;
    // The place the last Hold found or made; its text is checked again before it is used.
    uint32_t m_last = 0;
    // Whether a kept text is this one, read no further than either's end.
    static bool IsText(const char* kept, std::string_view text)
    {
        for (std::size_t i = 0; i < text.size(); ++i)
            if (kept[i] != text[i] || kept[i] == '\0')
                return false;
        return kept[text.size()] == '\0';
    }
    // Places last found or made, by a short hash of their texts; each is checked again before
    // it is used (0, the empty text, is never held).
    // Enough slots, and the hash's bits mixed down into them, that a list of a hundred codes
    // seldom has two in one slot.
    static constexpr int kRecentBits = 10;
    std::array<uint32_t, std::size_t(1) << kRecentBits> m_recent{};
};

namespace {
const char* const kNoTexts[] = {""};
}

const char* const* CSharedTexts::s_texts = kNoTexts;

uint32_t CSharedTexts::Hold(const char* text)
{
    const std::ptrdiff_t uncut = UncutLength(text);
    if (uncut >= 0)
        return uncut == 0 ? 0 : CSharedTextList::Get().Hold(std::string_view(text, std::size_t(uncut)));
    char cut[kRecordTextBytes];
    CopyRecordText(cut, text);
    return cut[0] == '\0' ? 0 : CSharedTextList::Get().Hold(std::string_view(cut));
}

void CSharedTexts::Hold(uint32_t place)
{
    if (place != 0)
        CSharedTextList::Get().Hold(place);
}

void CSharedTexts::Release(uint32_t place)
{
    if (place != 0)
        CSharedTextList::Get().Release(place);
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

namespace {

struct RecordOwners
{
    std::vector<CRecordOwner*> table{nullptr};
    CRecordOwner* last = nullptr;
    uint16_t lastNumber = 0;
};

RecordOwners& Owners()
{
    // Never destroyed: owners that outlive the program's statics still give their numbers back.
    static RecordOwners* owners = new RecordOwners;
    return *owners;
}

} // namespace

CRecordOwner* const* g_recordOwners = Owners().table.data();

uint16_t GetRecordOwnerNumber(CRecordOwner* owner)
{
    if (owner == nullptr)
        return 0;
    RecordOwners& o = Owners();
    if (owner == o.last)
        return o.lastNumber;
    std::size_t free = 0;
    std::size_t number = 1;
    for (; number < o.table.size() && o.table[number] != owner; ++number)
        if (free == 0 && o.table[number] == nullptr)
            free = number;
    if (number == o.table.size()) {
        if (free != 0) {
            number = free;
        } else {
            if (o.table.size() > UINT16_MAX)
                throw std::length_error("too many jobs hold records at once");
            o.table.push_back(nullptr);
            g_recordOwners = o.table.data();
        }
        o.table[number] = owner;
    }
    o.last = owner;
    o.lastNumber = uint16_t(number);
    return o.lastNumber;
}

void ForgetRecordOwner(CRecordOwner* owner)
{
    RecordOwners& o = Owners();
    if (o.last == owner) {
        o.last = nullptr;
        o.lastNumber = 0;
    }
    for (std::size_t number = 1; number < o.table.size(); ++number)
        if (o.table[number] == owner)
            o.table[number] = nullptr;
}

CRecordOwner::~CRecordOwner() { ForgetRecordOwner(this); }

bool CRecord::GetOwner(CRecordOwner*& out) const
{
    out = GetRecordOwner(GetHeader()->owner);
    return out != nullptr;
}

bool CRecord::IsSelected() const
{
    CRecordOwner* owner = GetRecordOwner(GetHeader()->owner);
    if (owner == nullptr)
        return false;
    CRecordSelection* selection = owner->GetSelection();
    return selection != nullptr && selection->IsSelected(this);
}

bool CRecord::MarkModified()
{
    if (CRecordOwner* owner = GetRecordOwner(GetHeader()->owner))
        owner->SetModifiedWithText("", true, false);
    return true;
}
