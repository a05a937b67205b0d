#pragma once

#include "calc/monthlengths.h"
#include "people/namelist.h"

#include <cstdint>

// The data that every part of the program shares: the people, the chosen
// person and the constant month table. The application object holds exactly
// one.
class CAppData {
public:
    // Chooses person `index`; an index that names nobody chooses the first.
    // The chosen person, or nullptr when there are no people. Every change
    // of the chosen person goes through here, so the index and the person
    // always agree.
    const CName* Choose(int32_t index)
    {
        m_chosenIndex = m_names.At(index) ? index : 0;
        m_chosenPos = m_names.At(m_chosenIndex);
        return m_chosenPos;
    }

    // The person whose chart is shown, without repairing the index: the
    // chosen one, or the first when the index names nobody.
    const CName* ShownPerson() const
    {
        const CName* chosen = m_names.At(m_chosenIndex);
        return chosen ? chosen : m_names.At(0);
    }

    int32_t ChosenIndex() const { return m_chosenIndex; }
    // The chosen person; nullptr until one is chosen among people.
    const CName* ChosenPerson() const { return m_chosenPos; }

    CNameList m_names;

    // February stays 28 here in every year.
    const MonthTable m_monthDays = kMonthLengths;

private:
    int32_t m_chosenIndex = 0;
    const CName* m_chosenPos = nullptr;
};
