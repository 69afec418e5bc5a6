#include "app/run_log.h"

#include "base/numbers.h"
#include "base/values.h"
#include "ui/definitions.h"
#include "ui/toolkit.h"

void append_log_line(std::string_view suffix) {
    const Text line = concat(text_of(local_now()), suffix);
    const std::int32_t count = list_item_count(kMainWindow, "列表框1");
    append_list_item(kMainWindow, "列表框1", line, truncate_to_int32(static_cast<double>(count) + 1.0));
}
