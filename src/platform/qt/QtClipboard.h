// The system clipboard through Qt.
#pragma once

#include "platform/Clipboard.h"

namespace vez {

class QtClipboard : public Clipboard {
  public:
    void SetText(const std::string& cp1251) override;
};

} // namespace vez
