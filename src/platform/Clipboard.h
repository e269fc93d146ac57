// Setting the clipboard text.
#pragma once

#include <string>

namespace vez {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void SetText(const std::string& cp1251) = 0;
};

} // namespace vez
