#include "messages/page_store.h"

namespace teijinki {

int PageStore::last_page() const {
    for (int i = 0; i <= kLastPage; ++i)
        if (page_text[i + 1] == kEndOfText) return i;
    return 0;
}

}  // namespace teijinki
