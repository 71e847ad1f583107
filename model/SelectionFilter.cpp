#include "model/SelectionFilter.h"

#include "model/Record.h"

bool CSelectionFilterBase::Accept(CRecord* object) const
{
    bool r = AcceptLeaf(object);
    if (m_negated != 0)
        r = !r;
    for (size_t i = 0; i < m_children.size(); ++i) {
        if (m_operators[i] == opAnd) {
            if (r)
                r = m_children[i]->Accept(object);
        } else if (!r) {
            r = m_children[i]->Accept(object);
        }
    }
    return r;
}

uint32_t CSelectionFilterBase::GetCertainKinds() const
{
    uint32_t kinds = m_negated != 0 ? ~GetLeafPossibleKinds() : GetLeafCertainKinds();
    for (size_t i = 0; i < m_children.size(); ++i) {
        const uint32_t child = m_children[i]->GetCertainKinds();
        kinds = m_operators[i] == opAnd ? (kinds & child) : (kinds | child);
    }
    return kinds;
}

uint32_t CSelectionFilterBase::GetPossibleKinds() const
{
    uint32_t kinds = m_negated != 0 ? ~GetLeafCertainKinds() : GetLeafPossibleKinds();
    for (size_t i = 0; i < m_children.size(); ++i) {
        const uint32_t child = m_children[i]->GetPossibleKinds();
        kinds = m_operators[i] == opAnd ? (kinds & child) : (kinds | child);
    }
    return kinds;
}

CSelectionFilterBase* CSelectionFilterBase::Clone() const
{
    CSelectionFilterBase* copy = CloneLeaf();
    copy->m_negated = m_negated;
    for (const auto& child : m_children)
        copy->m_children.emplace_back(child->Clone());
    copy->m_operators = m_operators;
    return copy;
}

void CSelectionFilterBase::Invert()
{
    for (auto& child : m_children)
        child->Invert();
    for (auto& op : m_operators)
        op = op == opAnd ? opOr : opAnd;
    m_negated = m_negated != 0 ? 0 : 1;
}

void CSelectionFilterBase::Append(const CSelectionFilterBase* filter, enumSelectionOperator op)
{
    if (filter == nullptr)
        return;
    m_children.emplace_back(filter->Clone());
    m_operators.push_back(op);
}

void CSelectionFilterBase::And(const CSelectionFilterBase* filter) { Append(filter, opAnd); }

void CSelectionFilterBase::Or(const CSelectionFilterBase* filter) { Append(filter, opOr); }

bool CSelectionMaskBitsFilter::AcceptLeaf(CRecord* object) const
{
    if (m_mask == 0)
        return false;
    const uint32_t kinds = GetObjectKinds(object);
    return (kinds & m_mask) == kinds;
}

uint32_t CSelectionMaskBitsFilterForDataFile::GetObjectKinds(CRecord* object) const
{
    return object != nullptr && object->GetType() == kRecordTypePoint ? SelectionKindPoint : SelectionKindOther;
}
