#pragma once

#include "online/page_draws.h"
#include "online/update_plan.h"

#include <optional>
#include <string_view>
#include <vector>

namespace yilou::history {

/// Whether a page's body is JSON rather than HTML: its first character after white space (and a
/// byte-order mark) is "{" or "[".
bool looksLikeJson(std::string_view body);

/// The copies of the wanted issues of `plan` (see UpdatePlan::wants) in a JSON document in
/// UTF-8. Every object is looked at as a record: its issue is the first member whose value is a
/// page issue of the plan's range (a string of digits or a number, in the page form or the
/// ten-digit form); its numbers are those of the first other member that holds five numbers: a
/// string of five one- or two-digit numbers with other characters between them, or an array of
/// five such numbers or strings. A record without such a member is a copy without numbers.
/// Nothing when `json` does not parse.
std::optional<std::vector<PageCopy>> findJsonCopies(std::string_view json, const UpdatePlan& plan);

} // namespace yilou::history
