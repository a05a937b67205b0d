#include "people/appdata.h"

void CAppData::ComputeCycles(int32_t age)
{
    const CycleValues values = CycleValuesAt(age);
    m_physical = values[kPhysical];
    m_emotional = values[kEmotional];
    m_intellectual = values[kIntellectual];
    m_intuitional = values[kIntuitional];
}

int32_t CAppData::CycleValue(Cycle cycle) const
{
    switch (cycle) {
    case kPhysical: return m_physical;
    case kEmotional: return m_emotional;
    case kIntellectual: return m_intellectual;
    case kIntuitional: return m_intuitional;
    }
    return 0;
}
