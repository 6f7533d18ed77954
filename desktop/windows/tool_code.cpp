#include "desktop/windows/tool_code.h"

namespace ToolCode {
int16_t ToolJustOpened = False;

void Set_ToolJustOpened() {
    ToolJustOpened = True;
}
} // namespace ToolCode
