#include "ui/painter/tool_table.h"

#include <algorithm>
#include <stdexcept>

namespace velmora {

const ToolEntry& EntryOf(PaintTool tool)
{
    const auto* entry = std::find_if(kTools.begin(), kTools.end(), [tool](const ToolEntry& e) { return e.tool == tool; });
    if (entry == kTools.end())
        throw std::logic_error("a painter tool without its entry");
    return *entry;
}

}  // namespace velmora
