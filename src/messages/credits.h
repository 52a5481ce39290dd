#pragma once
// The closing credits: six pages that roll by themselves, four of them with a portrait.

#include "messages/page_store.h"

namespace teijinki {

inline constexpr const char* kCreditPicture = "eiyu3";          // shown on pages 4 and 5
inline constexpr const char* kCreditLastPicture = "eiyu3mono";  // replaces it on the last page

// Pages 0..5, "EOT" on page 6, the portraits of pages 0..3, empty captions.
void credit(PageStore& pages);

}  // namespace teijinki
