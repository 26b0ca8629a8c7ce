#include "markup/dtd/MkFailureMemo.h"

void TMkFailureMemo::Remember(TKey key, const TCost &cost)
{
    if (slots_.empty())
        slots_.resize(std::size_t{1} << SlotBits);
    slots_[SlotOf(key)] = {key, cost};
}
