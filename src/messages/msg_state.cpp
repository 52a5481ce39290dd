#include "messages/msg_state.h"

#include "world/trace.h"

namespace teijinki {

void MsgState::ld_Text_rtn() {
    text.compose(shared.text_no, shared.text_sub1, shared.text_sub2, pages);
    if (trace) trace->told(shared.form_param, shared.text_no);
}

}  // namespace teijinki
